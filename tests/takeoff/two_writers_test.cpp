// Two programs with one project open: each save merges what it changed into
// the file as it is on disk, under the project's save lock. The cases a
// window meets (an untouched item, a field both changed, a name added
// meanwhile) are in the app's two-window tests.
#include "FileLock.h"
#include "SaveRace.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

class TwoWriters : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("two_writers_" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        // The program's own paths are UTF-8 (on Windows too).
        const std::u8string name = (dir / fs::path(u8"現場.Fa1")).u8string();
        path.assign(name.begin(), name.end());
        saverace::WriteProject(path, 3);
    }
    void TearDown() override { fs::remove_all(dir); }

    std::vector<std::string> Hidden() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir))
            if (e.path().filename().string().starts_with("."))
                names.push_back(e.path().filename().string());
        return names;
    }

    fs::path dir;
    std::string path;
    ProjectFile one, two; // the two programs' open project
};

TEST_F(TwoWriters, AnItemDeletedElsewhereAndChangedHereAsksBeforeComingBack) {
    takeoff::LoadItem(one, path, "通り2");
    takeoff::ItemRecord a2 = takeoff::LoadItem(two, path, "通り2");
    takeoff::DeleteItem(one, path, "通り2");
    const takeoff::ItemRecord untouched = a2;
    takeoff::SaveItem(two, path, "通り2", untouched); // nothing changed: stays deleted
    EXPECT_FALSE(yoheki::IniFile(path).SectionExists("通り2"));
    a2.REdit[1] = "5550";
    bool deleted = false;
    takeoff::SaveItem(two, path, "通り2", a2, [&](const takeoff::Conflict& c) {
        deleted = c.deleted;
        return takeoff::Keep::Mine;
    });
    EXPECT_TRUE(deleted);
    EXPECT_EQ(takeoff::ReadItem(yoheki::IniFile(path), "通り2"), a2);
}

TEST_F(TwoWriters, ProcessesSavingAtOnceLoseNothing) {
    // The long run (10,000 rounds) is bench/save_race.
    EXPECT_EQ(saverace::Race(path, 2, 300), 0);
    EXPECT_TRUE(Hidden().empty());
}

TEST_F(TwoWriters, TheInUseNoteNamesTheOtherProgramAndGoesWithIt) {
    EXPECT_FALSE(yoheki::InUseMark::Other(path));
    {
        const yoheki::InUseMark mine(path);
        EXPECT_FALSE(yoheki::InUseMark::Other(path, &mine)); // its own note
        const auto other = yoheki::InUseMark::Other(path);
        ASSERT_TRUE(other);
        EXPECT_FALSE(other->user.empty());
        EXPECT_FALSE(other->machine.empty());
        EXPECT_EQ(other->since.size(), 16u); // YYYY/MM/DD hh:mm
        const yoheki::InUseMark second(path); // leaves the first note alone
    }
    EXPECT_TRUE(Hidden().empty());
#ifndef _WIN32 // a process id that has ended, by fork
    // A note whose program on this machine has ended is stale.
    const pid_t gone = ::fork();
    if (gone == 0)
        ::_exit(0);
    ::waitpid(gone, nullptr, 0);
    char host[256] = {};
    ::gethostname(host, sizeof host - 1);
    std::ofstream(yoheki::InUseMark::MarkFileOf(path))
        << "someone\n" << host << "\n2024/01/01 09:00\n" << gone << "\n1\n";
    EXPECT_FALSE(yoheki::InUseMark::Other(path));
    std::ofstream(yoheki::InUseMark::MarkFileOf(path))
        << "someone\nother-pc\n2024/01/01 09:00\n" << gone << "\n1\n";
    EXPECT_EQ(yoheki::InUseMark::Other(path)->machine, "other-pc");
#endif
}

} // namespace
