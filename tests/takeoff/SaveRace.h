#pragma once
// Processes saving items of one project at the same moment, each the way the
// window saves: the item loaded once, then changed and saved again and again.
// Each process checks before every save that its previous save is still on
// disk; a save another process's write replaced counts as lost.
#include "Cp932.h"
#include "FileLock.h"
#include "IniFile.h"
#include "ItemTexts.h"
#include "NativePath.h"
#include "Project.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>
#ifdef _WIN32
#include <thread>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace saverace {

// Read under the save lock: a file being replaced may be missing for a moment
// where the system does not rename in one step (Wine).
inline std::string RunLength(const std::string& path, const std::string& section) {
    const yoheki::FileLock lock(path);
    return yoheki::IniFile(path).ReadString(section, itemkey::kRunLength, "");
}

// A project of `items` wall items named "通りN" (N from 0), each fully written.
inline void WriteProject(const std::string& path, int items) {
    std::string text;
    for (int i = 0; i < items; ++i) {
        text += "[" + yoheki::cp932::Encode("通り" + std::to_string(i)) + "]\r\n";
        takeoff::ItemRecord item;
        item.REdit[1] = "10000";
        item.REdit[2] = "1200";
        for (const auto& [key, value] : takeoff::ItemValues(item))
            text += yoheki::cp932::Encode(key) + "=" + value + "\r\n";
        text += "\r\n";
    }
    std::ofstream(yoheki::FsPath(path), std::ios::binary) << text;
}

inline int SaveRounds(const std::string& path, const std::string& section, int rounds) {
    ProjectFile file;
    takeoff::ItemRecord item = takeoff::LoadItem(file, path, section);
    int lost = 0;
    for (int k = 1; k <= rounds; ++k) {
        if (k > 1 && RunLength(path, section) != std::to_string(k - 1))
            ++lost;
        item.REdit[1] = std::to_string(k);
        takeoff::SaveItem(file, path, section, item);
    }
    return lost;
}

// The items whose last save is not in the file.
inline int Lost(const std::string& path, int processes, int rounds) {
    int lost = 0;
    for (int p = 0; p < processes; ++p)
        if (RunLength(path, "通り" + std::to_string(p)) != std::to_string(rounds))
            ++lost;
    return lost;
}

// Items "通り0", "通り1", ... each saved `rounds` times by a process of its
// own, all at once. The saves lost, as the processes counted them (up to
// 254 each) and as the file shows at the end.
#ifdef _WIN32
// Without fork: threads, each with a project file of its own; the save lock
// is taken on a handle of each save's own, so they exclude each other as
// processes do.
inline int Race(const std::string& path, int processes, int rounds) {
    std::vector<int> lost(static_cast<std::size_t>(processes), 255);
    std::vector<std::thread> threads;
    for (int p = 0; p < processes; ++p)
        threads.emplace_back([&, p] {
            try {
                lost[static_cast<std::size_t>(p)] = SaveRounds(path, "通り" + std::to_string(p), rounds);
            } catch (const std::exception& e) {
                std::fprintf(stderr, "%s\n", e.what());
            }
        });
    for (std::thread& t : threads)
        t.join();
    int total = Lost(path, processes, rounds);
    for (int n : lost)
        total += n;
    return total;
}
#else
inline int Race(const std::string& path, int processes, int rounds) {
    std::vector<pid_t> children;
    for (int p = 0; p < processes; ++p) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            int lost = 255;
            try {
                lost = std::min(SaveRounds(path, "通り" + std::to_string(p), rounds), 254);
            } catch (const std::exception& e) {
                std::fprintf(stderr, "%s\n", e.what());
            }
            ::_exit(lost);
        }
        children.push_back(pid);
    }
    int lost = 0;
    for (const pid_t pid : children) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        lost += WIFEXITED(status) ? WEXITSTATUS(status) : 255;
    }
    return lost + Lost(path, processes, rounds);
}
#endif

} // namespace saverace
