// Kills saves of a large project at random moments and checks what is left.
//
//   save_kill [KILLS [ITEMS [FOLDER]]]      (defaults: 400 kills, 3,000 items)
//
// The project lives in FOLDER/shared and is saved through a link in
// FOLDER/mine, as estimators reach shared projects. A child process opens it,
// then changes one value and saves, over and over, until it is killed with
// SIGKILL at a random moment of its saves. After each kill the program counts
//  - torn files: the project is neither the old nor the new version,
//  - lost files: the project or the link is gone (or the link was replaced),
//  - temporary files left after the next save: the next save (made as if some
//    minutes had passed, since a fresh temporary file may be another running
//    instance's and is left alone) must remove what the killed one left.
// Exit status 0 when all three counts are 0.
#include "AtomicFile.h"
#include "IniFile.h"
#include "LargeProject.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <signal.h>
#include <sstream>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

const char* const kKey = "延長さ";
const char* const kValues[2] = {"11110", "22220"};

struct Setup {
    std::string link, target, item;
    std::string versions[2]; // the file's bytes with either value
};

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// One save as the window makes it: open, change the item, write.
void SaveOnce(const Setup& s) {
    yoheki::IniFile ini(s.link);
    const bool first = ini.ReadString(s.item, kKey, "") == kValues[0];
    ini.WriteString(s.item, kKey, kValues[first ? 1 : 0]);
    ini.UpdateFile();
}

Setup Prepare(const std::string& folder, int items) {
    Setup s;
    fs::create_directories(folder + "/shared");
    fs::create_directories(folder + "/mine");
    s.target = folder + "/shared/p.Fa1";
    s.link = folder + "/mine/p.Fa1";
    MakeLargeProject(QString::fromStdString(s.target), items);
    fs::create_symlink("../shared/p.Fa1", s.link);
    yoheki::IniFile ini(s.target);
    s.item = ini.ReadSections().at(0);
    for (int v = 0; v < 2; ++v) {
        ini.WriteString(s.item, kKey, kValues[v]);
        s.versions[v] = ini.Serialize();
    }
    ini.UpdateFile();
    return s;
}

std::vector<std::string> Temporaries(const std::string& folder) {
    std::vector<std::string> found;
    for (const auto& e : fs::directory_iterator(folder))
        if (yoheki::IsTemporaryOf(e.path().filename().string(), "p.Fa1"))
            found.push_back(e.path().string());
    return found;
}

// The next save comes later: every leftover is made older than the age at
// which a save may take it for stale.
void AgeLeftovers(const std::vector<std::string>& files) {
    const auto then =
        fs::file_time_type::clock::now() - yoheki::StaleTemporaryAge - std::chrono::seconds(1);
    for (const std::string& f : files)
        fs::last_write_time(f, then);
}

struct Counts {
    int torn = 0, lost = 0, leftAfterNextSave = 0, leftByKill = 0;
};

void CheckAfterKill(const Setup& s, Counts& c) {
    struct stat st;
    if (::lstat(s.link.c_str(), &st) != 0 || !S_ISLNK(st.st_mode) ||
        ::stat(s.target.c_str(), &st) != 0) {
        ++c.lost;
        return;
    }
    const std::string now = Read(s.target);
    if (now != s.versions[0] && now != s.versions[1])
        ++c.torn;
    const auto left = Temporaries(fs::path(s.target).parent_path());
    c.leftByKill += static_cast<int>(left.size());
    AgeLeftovers(left);
    SaveOnce(s);
    c.leftAfterNextSave += static_cast<int>(Temporaries(fs::path(s.target).parent_path()).size());
}

struct Shared {
    std::atomic<long> saves{0};
    std::atomic<bool> open{false};
};

// The child opens the project once, as the window does, then changes the item
// and saves it over and over.
pid_t StartSaving(const Setup& s, Shared* shared) {
    pid_t pid = fork();
    if (pid != 0)
        return pid;
    yoheki::IniFile ini(s.link);
    shared->open = true;
    for (int v = 1;; v ^= 1) {
        ini.WriteString(s.item, kKey, kValues[v]);
        ini.UpdateFile();
        shared->saves.fetch_add(1);
    }
}

// Kills the child at a random moment of its saves.
void KillDuringSaves(const Setup& s, Shared* shared, long long spanMicros,
                     std::mt19937_64& random) {
    shared->open = false;
    const pid_t child = StartSaving(s, shared);
    while (!shared->open)
        ::usleep(200);
    ::usleep(
        static_cast<useconds_t>(std::uniform_int_distribution<long long>(0, spanMicros)(random)));
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
}

} // namespace

int main(int argc, char** argv) {
    const int kills = argc > 1 ? std::atoi(argv[1]) : 400;
    const int items = argc > 2 ? std::atoi(argv[2]) : 3000;
    char tmpl[] = "/tmp/save_kill_XXXXXX";
    const std::string folder = argc > 3 ? std::string(argv[3]) : std::string(mkdtemp(tmpl));
    const Setup s = Prepare(folder, items);

    yoheki::IniFile ini(s.link);
    const auto t0 = Clock::now();
    ini.WriteString(s.item, kKey, kValues[1]);
    ini.UpdateFile();
    const auto one = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - t0);
    std::printf("%d items, %zu bytes; one save takes %lld ms\n", items, s.versions[0].size(),
                static_cast<long long>(one.count() / 1000));

    auto* shared = new (mmap(nullptr, sizeof(Shared), PROT_READ | PROT_WRITE,
                             MAP_SHARED | MAP_ANONYMOUS, -1, 0)) Shared;
    std::mt19937_64 random(std::random_device{}());
    Counts c;
    for (int k = 0; k < kills; ++k) {
        KillDuringSaves(s, shared, 10 * one.count(), random);
        CheckAfterKill(s, c);
    }
    std::printf("%d SIGKILLs, %ld saves completed before them\n", kills, shared->saves.load());
    std::printf("torn files: %d\nlost files: %d\ntemporary files left after the next save: %d\n",
                c.torn, c.lost, c.leftAfterNextSave);
    std::printf("(temporary files the kills left before that save: %d)\n", c.leftByKill);
    if (argc <= 3)
        fs::remove_all(folder);
    return c.torn == 0 && c.lost == 0 && c.leftAfterNextSave == 0 ? 0 : 1;
}
