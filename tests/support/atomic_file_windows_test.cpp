// The one save on Windows, in the folders estimators use: Japanese names,
// long paths, files another program holds open, read-only files, network
// paths. Each failure leaves the old file as it was and no temporary file.
#include "AtomicFile.h"
#include "IniFile.h"
#include "NativePath.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <windows.h>

using namespace yoheki;
namespace fs = std::filesystem;

namespace {

class AtomicFileWindows : public ::testing::Test {
  protected:
    void SetUp() override {
        root_ = Narrow(fs::temp_directory_path().wstring()) + "\\atomic_" +
                std::to_string(GetCurrentProcessId());
        dir_ = root_ + "\\工事データ";
        fs::create_directories(FsPath(dir_));
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(FsPath(root_), ignored);
    }
    static void Put(const std::string& path, const std::string& bytes) {
        std::ofstream(FsPath(path), std::ios::binary) << bytes;
    }
    static std::string Get(const std::string& path) {
        std::ifstream in(FsPath(path), std::ios::binary);
        std::ostringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }
    // Everything in the folder of `path` but the file itself.
    static int Others(const std::string& path) {
        int n = 0;
        for (const auto& e : fs::directory_iterator(FsPath(path).parent_path()))
            n += e.path().filename() != FsPath(path).filename();
        return n;
    }
    // The save fails with `reason` in its message and leaves the file alone.
    static void ExpectRefused(const std::string& path, const char* reason) {
        const std::string before = Get(path);
        try {
            SaveAtomically(path, "new");
            FAIL() << "saved " << path;
        } catch (const SaveError& e) {
            EXPECT_NE(std::string(e.what()).find(reason), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find("元のファイルはそのまま残っています"), std::string::npos);
        }
        EXPECT_EQ(Get(path), before);
        EXPECT_EQ(Others(path), 0);
    }
    std::string root_, dir_;
};

} // namespace

TEST_F(AtomicFileWindows, WritesProjectsUnderJapaneseAndForeignNamesAndLongPaths) {
    std::string deep = dir_;
    while (deep.size() < 300)
        deep += "\\現場フォルダ名の長い階層";
    fs::create_directories(FsPath(deep));
    for (const std::string& path : {dir_ + "\\見本工事.Fa1", dir_ + "\\한국현장.Fa1",
                                    dir_ + "/見本工事 (2).Fa1", deep + "\\見本工事.Fa1"}) {
        SaveAtomically(path, "[拾い1]\r\n");       // a new file
        SaveAtomically(path, "[拾い2]\r\nA=1\r\n"); // replacing it
        EXPECT_EQ(Get(path), "[拾い2]\r\nA=1\r\n") << path;
        EXPECT_TRUE(IniFile(path).Existed()) << path;
    }
    EXPECT_EQ(Others(deep + "\\見本工事.Fa1"), 0);
}

TEST_F(AtomicFileWindows, RefusesAFileAnotherProgramHoldsOpen) {
    const std::string path = dir_ + "\\見本工事.Fa1";
    Put(path, "old");
    HANDLE held = CreateFileW(WidePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    ExpectRefused(path, "他のプログラムで開かれています");
    CloseHandle(held);
    SaveAtomically(path, "new");
    EXPECT_EQ(Get(path), "new");
}

TEST_F(AtomicFileWindows, RefusesReadOnlyFilesAndPlacesThatAreNotThere) {
    const std::string path = dir_ + "\\見本工事.Fa1";
    Put(path, "old");
    ASSERT_TRUE(SetFileAttributesW(WidePath(path).c_str(), FILE_ATTRIBUTE_READONLY));
    ExpectRefused(path, "書き込みが禁止されています");
    SetFileAttributesW(WidePath(path).c_str(), FILE_ATTRIBUTE_NORMAL);
    for (const std::string& nowhere : {dir_ + "\\無いフォルダ\\見本工事.Fa1",
                                       std::string("\\\\nosuchserver\\share\\工事\\見本工事.Fa1")})
        EXPECT_THROW(SaveAtomically(nowhere, "new"), SaveError) << nowhere;
}

TEST_F(AtomicFileWindows, KeepsTheOldFileWhenInterruptedAndCleansAbandonedTemporaries) {
    const std::string path = dir_ + "\\見本工事.Fa1";
    Put(path, "old");
    EXPECT_THROW(SaveAtomically(path, "new", {[] { throw SaveError("killed", EIO); }}), SaveError);
    EXPECT_EQ(Get(path), "old");
    EXPECT_EQ(Others(path), 0);

    // Left by saves that were killed (ten seconds ago), one still being
    // written by another program (held open), one just made.
    const std::string left = dir_ + "\\.~見本工事.Fa1.abc123", held = dir_ + "\\.~見本工事.Fa1.def456",
                      young = dir_ + "\\.~見本工事.Fa1.xyz789";
    for (const std::string& f : {left, held, young})
        Put(f, "half");
    for (const std::string& f : {left, held}) {
        HANDLE h = CreateFileW(WidePath(f).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        FILETIME t;
        GetSystemTimeAsFileTime(&t);
        ULARGE_INTEGER ticks{{t.dwLowDateTime, t.dwHighDateTime}};
        ticks.QuadPart -= 10ULL * 10'000'000; // ten seconds
        t = {ticks.LowPart, ticks.HighPart};
        ASSERT_TRUE(SetFileTime(h, nullptr, nullptr, &t));
        CloseHandle(h);
    }
    HANDLE writing = CreateFileW(WidePath(held).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    SaveAtomically(path, "new");
    CloseHandle(writing);
    EXPECT_FALSE(fs::exists(FsPath(left)));
    EXPECT_TRUE(fs::exists(FsPath(held)));
    EXPECT_TRUE(fs::exists(FsPath(young)));
}
