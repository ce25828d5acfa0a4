// Two programs with one project open: each save merges what it changed into
// the file as it is on disk, under the project's save lock, and asks where
// both changed the same field.
#include "FileLock.h"
#include "SaveRace.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;
using takeoff::Keep;

class TwoWriters : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("two_writers_" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        path = (dir / "現場.Fa1").string();
        saverace::WriteProject(path, 3);
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string Bytes() const { return *yoheki::IniFile::ReadBytes(path); }
    std::string Value(const std::string& item, const char* key) const {
        return yoheki::IniFile(path).ReadString(item, key, "");
    }
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

TEST_F(TwoWriters, AnUntouchedItemSavedLaterKeepsTheOtherProgramsValues) {
    takeoff::ItemRecord a1 = takeoff::LoadItem(one, path, "通り0");
    const takeoff::ItemRecord a2 = takeoff::LoadItem(two, path, "通り0");
    a1.REdit[1] = "11110";
    takeoff::SaveItem(one, path, "通り0", a1);
    const std::string saved = Bytes();
    takeoff::SaveItem(two, path, "通り0", a2); // switching away, or closing
    EXPECT_EQ(Bytes(), saved);
    EXPECT_EQ(Value("通り0", itemkey::kRunLength), "11110");
    EXPECT_TRUE(Hidden().empty()) << Hidden().front(); // no lock file left
}

TEST_F(TwoWriters, DifferentFieldsOfOneItemAreBothKept) {
    takeoff::ItemRecord a1 = takeoff::LoadItem(one, path, "通り0");
    takeoff::ItemRecord a2 = takeoff::LoadItem(two, path, "通り0");
    a1.REdit[1] = "11110";
    a2.REdit[2] = "1500";
    bool asked = false;
    takeoff::SaveItem(one, path, "通り0", a1);
    takeoff::SaveItem(two, path, "通り0", a2, [&](const takeoff::Conflict&) {
        asked = true;
        return Keep::Mine;
    });
    EXPECT_FALSE(asked);
    EXPECT_EQ(Value("通り0", itemkey::kRunLength), "11110");
    EXPECT_EQ(Value("通り0", itemkey::kFrontHeight), "1500");
}

TEST_F(TwoWriters, TheSameFieldChangedTwiceAsksNamingItemAndFields) {
    struct Case {
        Keep keep;
        const char* runLength;
        const char* frontHeight;
    };
    for (const Case c : {Case{Keep::Mine, "22220", "1500"}, Case{Keep::Theirs, "11110", "1500"},
                         Case{Keep::Cancel, "11110", "1200"}}) {
        SetUp();
        ProjectFile first, second;
        takeoff::ItemRecord a1 = takeoff::LoadItem(first, path, "通り1");
        takeoff::ItemRecord a2 = takeoff::LoadItem(second, path, "通り1");
        a1.REdit[1] = "11110";
        takeoff::SaveItem(first, path, "通り1", a1);
        const std::string before = Bytes();
        a2.REdit[1] = "22220";
        a2.REdit[2] = "1500";
        takeoff::Conflict seen;
        const auto choose = [&](const takeoff::Conflict& conflict) {
            seen = conflict;
            return c.keep;
        };
        if (c.keep == Keep::Cancel) {
            EXPECT_THROW(takeoff::SaveItem(second, path, "通り1", a2, choose),
                         takeoff::SaveCancelled);
            EXPECT_EQ(Bytes(), before);
        } else {
            takeoff::SaveItem(second, path, "通り1", a2, choose);
        }
        EXPECT_EQ(seen.item, "通り1");
        EXPECT_EQ(seen.fields, std::vector<std::string>{itemkey::kRunLength});
        EXPECT_FALSE(seen.deleted);
        EXPECT_EQ(Value("通り1", itemkey::kRunLength), c.runLength);
        EXPECT_EQ(Value("通り1", itemkey::kFrontHeight), c.frontHeight);
    }
}

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
        return Keep::Mine;
    });
    EXPECT_TRUE(deleted);
    EXPECT_EQ(takeoff::ReadItem(yoheki::IniFile(path), "通り2"), a2);
}

TEST_F(TwoWriters, AddingANameThatAppearedOnDiskMeanwhileIsRefused) {
    takeoff::ItemNames(two, path); // the list as the second program read it
    takeoff::ItemRecord added;
    added.REdit[1] = "7770";
    takeoff::AddItem(one, path, "NEWD", added);
    const std::string before = Bytes();
    for (const char* name : {"NEWD", "newd"}) {
        try {
            takeoff::AddItem(two, path, name, takeoff::ItemRecord{});
            ADD_FAILURE() << name << " was added";
        } catch (const yoheki::Error& e) {
            EXPECT_EQ(std::string(e.what()), takeoff::ExistsMessage(name));
        }
    }
    EXPECT_EQ(Bytes(), before);
    EXPECT_EQ(Value("NEWD", itemkey::kRunLength), "7770");
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
}

} // namespace
