#include "AtomicFile.h"
#include "IniFile.h"

#include <algorithm>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace yoheki;
namespace fs = std::filesystem;

namespace {

class AtomicFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/atomic_test_XXXXXX";
        dir_ = mkdtemp(tmpl);
        fs::create_directory(dir_ + "/shared");
        fs::create_directory(dir_ + "/mine");
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string P(const std::string& rel) const { return dir_ + "/" + rel; }
    static void Put(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string Get(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }
    // Names in `folder` other than `except`.
    std::vector<std::string> Others(const std::string& folder, const std::string& except) const {
        std::vector<std::string> names;
        for (auto& e : fs::directory_iterator(P(folder)))
            if (e.path().filename() != except) names.push_back(e.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }
    // A temporary file as an interrupted save leaves it, `age` old.
    void Leftover(const std::string& path, std::chrono::seconds age) {
        Put(path, "half a project");
        timespec times[2];
        clock_gettime(CLOCK_REALTIME, &times[0]);
        times[0].tv_sec -= age.count();
        times[1] = times[0];
        ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    }

    std::string dir_;
};

} // namespace

// An estimator's own folder links to the shared project; a save must update
// the shared file, not replace the link with a private copy.
TEST_F(AtomicFileTest, SaveThroughLinksUpdatesTheTargetAndKeepsTheLinks) {
    Put(P("shared/p.Fa1"), "[a]\r\nk=old\r\n\r\n");
    fs::create_symlink("../shared/p.Fa1", P("mine/one.Fa1"));      // relative
    fs::create_symlink(P("mine/one.Fa1"), P("mine/two.Fa1"));      // a chain, absolute
    EXPECT_EQ(LinkTarget(P("mine/two.Fa1")), P("mine/../shared/p.Fa1"));
    EXPECT_EQ(LinkTarget(P("shared/p.Fa1")), P("shared/p.Fa1"));

    SaveAtomically(P("mine/one.Fa1"), "[a]\r\nk=one\r\n\r\n");
    EXPECT_EQ(Get(P("shared/p.Fa1")), "[a]\r\nk=one\r\n\r\n");
    IniFile ini(P("mine/two.Fa1"));
    ini.WriteString("a", "k", "two");
    ini.UpdateFile();
    EXPECT_EQ(Get(P("shared/p.Fa1")), "[a]\r\nk=two\r\n\r\n");

    EXPECT_TRUE(fs::is_symlink(P("mine/one.Fa1")));
    EXPECT_TRUE(fs::is_symlink(P("mine/two.Fa1")));
    EXPECT_EQ(fs::read_symlink(P("mine/one.Fa1")), "../shared/p.Fa1");
    EXPECT_EQ(Others("mine", ""), (std::vector<std::string>{"one.Fa1", "two.Fa1"}));
    EXPECT_EQ(Others("shared", "p.Fa1"), std::vector<std::string>{}); // no temporary left
}

TEST_F(AtomicFileTest, ALinkToAFileNotYetThereCreatesItAndALoopIsRefused) {
    fs::create_symlink("../shared/new.Fa1", P("mine/new.Fa1"));
    SaveAtomically(P("mine/new.Fa1"), "x");
    EXPECT_EQ(Get(P("shared/new.Fa1")), "x");
    EXPECT_TRUE(fs::is_symlink(P("mine/new.Fa1")));

    fs::create_symlink("b", P("mine/a"));
    fs::create_symlink("a", P("mine/b"));
    EXPECT_THROW(SaveAtomically(P("mine/a"), "x"), SaveError);
    EXPECT_TRUE(fs::is_symlink(P("mine/a")));
}

TEST_F(AtomicFileTest, PermissionBitsOwnerAndGroupAreKept) {
    const std::string path = P("shared/p.Fa1");
    Put(path, "old");
    // A group other than the process's own: any for root, else one the user
    // belongs to.
    gid_t group = getegid();
    if (geteuid() == 0) {
        group = 4242;
    } else {
        gid_t groups[64];
        int n = getgroups(64, groups);
        for (int i = 0; i < n; ++i)
            if (groups[i] != getegid()) group = groups[i];
    }
    ASSERT_EQ(chown(path.c_str(), geteuid() == 0 ? 4343 : geteuid(), group), 0);
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    const std::string link = P("mine/p.Fa1");
    fs::create_symlink(path, link);

    SaveAtomically(link, "new");
    struct stat st;
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(st.st_gid, group);
    if (geteuid() == 0) {
        EXPECT_EQ(st.st_uid, 4343u);
    }
    EXPECT_EQ(Get(path), "new");
}

TEST_F(AtomicFileTest, ANewFileGetsTheUsualModeLessTheUmask) {
    const mode_t old = umask(0027);
    SaveAtomically(P("mine/new.csv"), "a,b\r\n");
    umask(old);
    struct stat st;
    ASSERT_EQ(stat(P("mine/new.csv").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

// Only this file's own temporaries, only when no running save holds them
// locked or they are old enough that none can still be writing them.
TEST_F(AtomicFileTest, StaleTemporariesOfTheSameFileAreRemovedFreshOnesKept) {
    const auto old = StaleTemporaryAge + std::chrono::seconds(60);
    const auto young = StaleTemporaryAge - std::chrono::seconds(60);
    Put(P("shared/p.Fa1"), "old");
    fs::create_symlink("../shared/p.Fa1", P("mine/p.Fa1"));
    Leftover(P("shared/.~p.Fa1.a1B2c3"), old);
    Leftover(P("shared/.~p.Fa1.Zz9Yy8"), old);
    Leftover(P("shared/.~p.Fa1.fresh1"), young);  // another save is writing it
    Leftover(P("shared/.~p.Fa1.killed"), young);  // its save was killed
    Leftover(P("shared/.~q.Fa1.a1B2c3"), old);   // another file's
    Leftover(P("shared/.~p.Fa1.a1B2c"), old);    // not the pattern
    Leftover(P("shared/.~p.Fa1.a1B2c3d"), old);
    Leftover(P("shared/.~p.Fa1.a1-2c3"), old);
    Leftover(P("shared/p.Fa1.a1B2c3"), old);
    fs::create_directory(P("shared/.~p.Fa1.dir123"));
    const int writing = ::open(P("shared/.~p.Fa1.fresh1").c_str(), O_RDONLY);
    ASSERT_EQ(::flock(writing, LOCK_EX), 0);

    SaveAtomically(P("mine/p.Fa1"), "new");
    ::close(writing);
    EXPECT_EQ(Others("shared", "p.Fa1"),
              (std::vector<std::string>{".~p.Fa1.a1-2c3", ".~p.Fa1.a1B2c", ".~p.Fa1.a1B2c3d",
                                        ".~p.Fa1.dir123", ".~p.Fa1.fresh1", ".~q.Fa1.a1B2c3",
                                        "p.Fa1.a1B2c3"}));
    EXPECT_EQ(Get(P("shared/p.Fa1")), "new");
}

// A killed save leaves the old target whole and the link in place; its
// temporary file goes with the next save once no save holds it (after a
// second's grace).
TEST_F(AtomicFileTest, KilledSaveThroughALinkLeavesTheOldFileAndIsCleanedUpLater) {
    Put(P("shared/p.Fa1"), "[s]\r\nk=old\r\n\r\n");
    fs::create_symlink("../shared/p.Fa1", P("mine/p.Fa1"));
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        IniFile::BeforeRename = [] { _exit(3); };
        IniFile ini(P("mine/p.Fa1"));
        ini.WriteString("s", "k", std::string(1 << 20, 'n'));
        ini.UpdateFile();
        _exit(0);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 3);
    EXPECT_EQ(Get(P("shared/p.Fa1")), "[s]\r\nk=old\r\n\r\n");
    EXPECT_TRUE(fs::is_symlink(P("mine/p.Fa1")));
    const std::vector<std::string> left = Others("shared", "p.Fa1");
    ASSERT_EQ(left.size(), 1u);
    EXPECT_TRUE(IsTemporaryOf(left[0], "p.Fa1")) << left[0];
    EXPECT_EQ(fs::file_size(P("shared/" + left[0])), (1u << 20) + 11);

    SaveAtomically(P("mine/p.Fa1"), "next"); // too fresh to be removed yet
    EXPECT_EQ(Others("shared", "p.Fa1"), left);
    Leftover(P("shared/" + left[0]), std::chrono::seconds(2)); // no one holds it
    SaveAtomically(P("mine/p.Fa1"), "later");
    EXPECT_EQ(Others("shared", "p.Fa1"), std::vector<std::string>{});
}

TEST_F(AtomicFileTest, ReadOnlyFilesFoldersAndDevicesAreNotReplaced) {
    // A folder is never replaced.
    EXPECT_THROW(SaveAtomically(P("mine"), "x"), SaveError);
    EXPECT_TRUE(fs::is_directory(P("mine")));
    // A device is written, not renamed over.
    SaveAtomically("/dev/null", "x");
    struct stat st;
    ASSERT_EQ(stat("/dev/null", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
    if (geteuid() != 0) { // root may write anything
        Put(P("mine/ro.Fa1"), "old");
        chmod(P("mine/ro.Fa1").c_str(), 0444);
        EXPECT_THROW(SaveAtomically(P("mine/ro.Fa1"), "new"), SaveError);
        EXPECT_EQ(Get(P("mine/ro.Fa1")), "old");
    }
}

TEST_F(AtomicFileTest, FailureNamesTheFileAsGivenAndItsReason) {
    try {
        SaveAtomically(P("none/p.Fa1"), "x");
        FAIL();
    } catch (const SaveError& e) {
        EXPECT_EQ(e.code(), ENOENT);
        EXPECT_NE(std::string(e.what()).find("【" + P("none/p.Fa1") + "】を保存できませんでした"),
                  std::string::npos);
    }
}
