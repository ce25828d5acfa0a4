// yoheki-batch as a user runs it: its output against the golden statement
// and the window's rules, its files, its messages and its exit statuses.
#include "BatchDialogs.h"
#include "BatchFixture.h"
#include "Cp932.h"
#include "Lines.h"
#include "Runs.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <gtest/gtest.h>

namespace {

class BatchTest : public BatchFixture {
  protected:
    void SetUp() override {
        CopyData({"見本工事.Fa1", "Qrtt.dat"});
        golden = Read(QDir(YOHEKI_TESTDATA_DIR).filePath("sample.expected.txt"));
        ASSERT_FALSE(golden.isEmpty());
    }

    // The golden statement's lines, decoded.
    QStringList GoldenLines() const {
        QStringList lines = Decode(golden).split(QStringLiteral("\r\n"));
        lines.removeLast(); // after the last line end
        return lines;
    }

    QByteArray golden;
};

TEST_F(BatchTest, ContinuousOutputIsTheGoldenStatementAndChangesNoFile) {
    const QStringList before = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    const QByteArray project = Read(Path(U("見本工事.Fa1")));
    const QByteArray settings = Read(Path("Qrtt.dat"));
    const Result r = Run({"text", U("見本工事.Fa1")});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, golden);
    for (const QByteArray& line : r.err.split('\n'))
        if (!line.isEmpty()) {
            EXPECT_TRUE(line.startsWith("message: ") || line.startsWith("         "))
                << line.toStdString();
        }
    EXPECT_EQ(Read(Path(U("見本工事.Fa1"))), project);
    EXPECT_EQ(Read(Path("Qrtt.dat")), settings);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), before);
}

TEST_F(BatchTest, Utf8AndAppendingToAFileGiveTheSameLines) {
    const Result utf8 = Run({"text", Path(U("見本工事.Fa1")), "--utf8"});
    EXPECT_EQ(utf8.status, 0);
    EXPECT_EQ(utf8.out, QByteArray::fromStdString(yoheki::cp932::Decode(golden.toStdString())));

    for (int i = 0; i < 2; ++i) {
        const Result r = Run({"text", "-o", "out.txt", U("見本工事.Fa1")});
        EXPECT_EQ(r.status, 0);
        EXPECT_TRUE(r.out.isEmpty());
    }
    EXPECT_EQ(Read(Path("out.txt")), golden + golden);
}

TEST_F(BatchTest, OneItemLeavesOutTheDrawingLabelsAndTheModeDigit) {
    const Result r = Run({"text", U("見本工事.Fa1"), "--item", U("L型擁壁　Ｂ通り"), "--utf8"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    // The item's statement in the continuous output runs from its heading to
    // the next one; alone, its first line has no mode digit.
    const QStringList all = GoldenLines();
    const qsizetype start = all.indexOf(U("《L型擁壁　Ｂ通り》")) - 1;
    qsizetype end = start + 1;
    while (!all[end].startsWith(U("【物件名")))
        ++end;
    QStringList statement = all.mid(start, end - start);
    ASSERT_EQ(statement[0], U("【物件名：見本工事】1"));
    statement[0] = U("【物件名：見本工事】");
    std::vector<std::string> lines;
    for (const QString& line : statement)
        lines.push_back(line.toStdString());
    const QStringList expected = takeoff::QtLines(takeoff::SingleOutputLines(lines))
                                 << QString::fromStdString(takeoff::ClosingLine());
    EXPECT_EQ(QString::fromUtf8(r.out), expected.join(QStringLiteral("\r\n")) + "\r\n");
}

TEST_F(BatchTest, UsageErrorsAndUnreadableProjectsHaveTheirStatus) {
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.Fa1"));
    const struct {
        QStringList args;
        int status;
    } cases[] = {
        {{}, 2},
        {{"frobnicate"}, 2},
        {{"text"}, 2},
        {{"text", "a.Fa1", "b.Fa1"}, 2},
        {{"text", "--bogus", U("見本工事.Fa1")}, 2},
        {{"text", U("見本工事.Fa1"), "--item"}, 2},
        {{"text", "missing.Fa1"}, 1},
        {{"text", "folder.Fa1"}, 1},
        {{"text", U("見本工事.Fa1"), "--item", "nope"}, 1},
    };
    for (const auto& c : cases) {
        const Result r = Run(c.args);
        EXPECT_EQ(r.status, c.status) << c.args.join(' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << c.args.join(' ').toStdString();
        EXPECT_FALSE(r.err.isEmpty()) << c.args.join(' ').toStdString();
    }
    EXPECT_EQ(Run({"text", "missing.Fa1"}).err.count('\n'), 1);
    for (const QStringList& help : {QStringList{"--help"}, QStringList{"text", "--help"}}) {
        const Result r = Run(help);
        EXPECT_EQ(r.status, 0);
        EXPECT_TRUE(r.out.contains("yoheki-batch"));
    }
}

// A terminal shows the box's lines; the continuation is indented so that a
// reader counting "message: " lines still counts messages.
TEST(BatchDialogs, MessageLineBreaksBecomeIndentedLines) {
    EXPECT_EQ(BatchDialogs::OneLine(U("上\n\r下")), U("上\n         下"));
    EXPECT_EQ(BatchDialogs::OneLine("a\nb\rc\n\r\n\rd", 2), "a\n  b\n  c\n  \n  d");
    EXPECT_EQ(BatchDialogs::OneLine(U("終わり\n\r")), U("終わり"));

    std::FILE* log = std::tmpfile();
    ASSERT_NE(log, nullptr);
    BatchDialogs dialogs(log);
    dialogs.message(U("【a.csv】に書き込めません\n\rPermission denied"));
    dialogs.message(U("次"));
    std::rewind(log);
    char buf[256] = {};
    const std::size_t n = std::fread(buf, 1, sizeof buf - 1, log);
    std::fclose(log);
    EXPECT_EQ(QString::fromUtf8(buf, static_cast<qsizetype>(n)),
              U("message: 【a.csv】に書き込めません\n         Permission denied\nmessage: 次\n"));
}

} // namespace
