// yoheki-batch summary and pdf as a user runs them: the summary against the
// sample's statements read back independently, the CSV, the PDF's pages,
// the drawings' folder, the files left alone and the exit statuses.
#include "../app/StatementNumbers.h"
#include "BatchFixture.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The sums of the sample's statements, by column name, from the golden
// continuous text output.
std::map<QString, std::int64_t> SampleSums() {
    std::map<QString, std::int64_t> sums;
    const QByteArray golden = Read(QDir(YOHEKI_TESTDATA_DIR).filePath("sample.expected.txt"));
    for (const QStringList& lines : statement::Split(Decode(golden).split(U("\r\n"))))
        for (const auto& [column, value] : statement::Read(lines).values)
            sums[column] += value;
    return sums;
}

// Column names in the summary's order, and whether each is a count.
const std::vector<std::pair<QString, bool>> kColumns = {
    {U("根切量"), false},      {U("不用土処分"), false},    {U("埋戻し"), false},
    {U("砕石"), false},        {U("均しコン"), false},      {U("ＲＣ全量"), false},
    {U("普通型枠"), false},    {U("打放型枠"), false},      {U("異形鉄筋D10"), false},
    {U("異形鉄筋D13"), false}, {U("異形鉄筋D10・D13合算"), false},
    {U("簡易山止 表面"), false}, {U("簡易山止 裏面"), false},
    {U("水抜ﾊﾟｲﾌﾟ"), true},
};

void ExpectTotals(const QStringList& values) {
    const std::map<QString, std::int64_t> sums = SampleSums();
    ASSERT_EQ(values.size(), static_cast<qsizetype>(kColumns.size()));
    for (std::size_t c = 0; c < kColumns.size(); ++c) {
        const QString& v = values[static_cast<qsizetype>(c)];
        EXPECT_EQ(kColumns[c].second ? v.toLongLong() : statement::Hundredths(v),
                  sums.at(kColumns[c].first))
            << kColumns[c].first.toStdString();
    }
}

// Page objects of a PDF (not the page tree).
int Pages(const QByteArray& pdf) {
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
    return static_cast<int>(QString::fromLatin1(pdf).count(page));
}

class SummaryPdfTest : public BatchFixture {
  protected:
    void SetUp() override {
        CopyData({"見本工事.Fa1", "Qrtt.dat", "擁壁１.bmp", "設備基礎.bmp", "Ｕ字側溝.bmp"});
    }

    // The sample with one more item whose zero run length stops its run.
    void AddStoppedItem() {
        QFile file(Path(U("見本工事.Fa1")));
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write(QByteArray::fromStdString(yoheki::cp932::Encode(
            "[擁壁 延長なし]\r\n延長さ=0\r\n仕上高表=1200\r\nﾍﾞｰｽ幅=1500\r\n\r\n")));
    }
};

TEST_F(SummaryPdfTest, SummaryTextTotalsAreTheStatementSumsAndNoFileChanges) {
    const QByteArray project = Read(Path(U("見本工事.Fa1"))), settings = Read(Path("Qrtt.dat"));
    const QStringList files = QDir(dir.path()).entryList(QDir::Files);
    const Result utf8 = Run({"summary", U("見本工事.Fa1"), "--utf8"});
    ASSERT_EQ(utf8.status, 0) << utf8.err.toStdString();
    const Result cp932 = Run({"summary", U("見本工事.Fa1")});
    EXPECT_EQ(Decode(cp932.out), QString::fromUtf8(utf8.out));

    const QStringList lines = QString::fromUtf8(utf8.out).split(U("\r\n"));
    for (const char* item : {"L型擁壁　Ａ通り", "設備基礎　Ｐ－２", "Ｕ字側溝　Ｕ－５００"})
        EXPECT_EQ(lines.filter(QRegularExpression(U("^") + U(item) + U(" "))).size(), 1) << item;
    const QStringList total = lines.filter(QRegularExpression(QStringLiteral("^合計 ")));
    ASSERT_EQ(total.size(), 1);
    ExpectTotals(total[0].split(u' ', Qt::SkipEmptyParts).mid(1));
    EXPECT_EQ(Read(Path(U("見本工事.Fa1"))), project);
    EXPECT_EQ(Read(Path("Qrtt.dat")), settings);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), files);
}

TEST_F(SummaryPdfTest, SummaryCsvNamesTheStoppedItemAndLeavesItOutOfTheTotal) {
    AddStoppedItem();
    const Result r = Run({"summary", U("見本工事.Fa1"), "--csv", "out.csv"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(QString::fromUtf8(r.err).contains(U("擁壁 延長なし")));
    QStringList rows = Decode(Read(Path("out.csv"))).split(U("\r\n"));
    EXPECT_EQ(rows.takeLast(), QString());
    ASSERT_EQ(rows.indexOf(QString()), 1 + 7 + 1); // the finish totals follow
    EXPECT_EQ(rows[10], U("仕上集計"));
    EXPECT_TRUE(rows[0].startsWith(U("拾い名称,構造,根切量(ｍ3),")));
    EXPECT_TRUE(rows[7].startsWith(U("擁壁 延長なし,Ｌ型擁壁,,")));
    EXPECT_TRUE(rows[7].contains(U("問題点を訂正して再度実行して下さい")));
    const QStringList total = rows[8].split(u',');
    EXPECT_EQ(total[0], U("合計"));
    ExpectTotals(total.mid(2, static_cast<qsizetype>(kColumns.size())));

    ASSERT_EQ(Run({"summary", U("見本工事.Fa1"), "--csv", "u.csv", "--utf8"}).status, 0);
    const QByteArray utf8 = Read(Path("u.csv"));
    ASSERT_TRUE(utf8.startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(QString::fromUtf8(utf8.mid(3)), Decode(Read(Path("out.csv"))));
}

TEST_F(SummaryPdfTest, PdfHasOnePagePerCalculatedItem) {
    AddStoppedItem();
    const Result all = Run({"pdf", U("見本工事.Fa1"), "-o", "all.pdf"});
    ASSERT_EQ(all.status, 0) << all.err.toStdString();
    EXPECT_EQ(Pages(Read(Path("all.pdf"))), 6);
    EXPECT_TRUE(
        QString::fromUtf8(all.err).contains(U("message: 問題点を訂正して再度実行して下さい")));
    EXPECT_FALSE(all.err.toLower().contains(".bmp"))
        << all.err.toStdString(); // every drawing was found

    const Result one =
        Run({"pdf", U("見本工事.Fa1"), "-o", "one.pdf", "--item", U("設備基礎　Ｐ－２")});
    ASSERT_EQ(one.status, 0) << one.err.toStdString();
    EXPECT_EQ(Pages(Read(Path("one.pdf"))), 1);
}

TEST_F(SummaryPdfTest, PdfFindsTheDrawingsBesideTheProjectWithoutASettingsFile) {
    ASSERT_TRUE(QDir(dir.path()).mkdir("elsewhere"));
    const QString elsewhere = Path("elsewhere");
    const Result found = Run({"pdf", Path(U("見本工事.Fa1")), "-o", "a.pdf"}, elsewhere);
    ASSERT_EQ(found.status, 0) << found.err.toStdString();
    EXPECT_FALSE(found.err.toLower().contains(".bmp")) << found.err.toStdString();
    EXPECT_EQ(Pages(Read(QDir(elsewhere).filePath("a.pdf"))), 6);

    // A settings file whose drawing folder holds no drawings does not hide
    // those beside the project.
    ASSERT_TRUE(QDir(elsewhere).mkdir("empty"));
    QFile settings(QDir(elsewhere).filePath("Qrtt.dat"));
    ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
    settings.write(QByteArray::fromStdString(yoheki::cp932::Encode(
        "[出力ファイル名]\r\nTF=" + QDir(elsewhere).filePath("empty").toStdString() + "\r\n\r\n")));
    settings.close();
    const Result beside = Run({"pdf", Path(U("見本工事.Fa1")), "-o", "c.pdf"}, elsewhere);
    ASSERT_EQ(beside.status, 0) << beside.err.toStdString();
    EXPECT_FALSE(beside.err.toLower().contains(".bmp")) << beside.err.toStdString();
    QFile::remove(settings.fileName());

    // Without the drawings the pages are written all the same, each with a note.
    ASSERT_TRUE(QFile::copy(Path(U("見本工事.Fa1")), QDir(elsewhere).filePath(U("p.Fa1"))));
    const Result missing = Run({"pdf", U("p.Fa1"), "-o", "b.pdf"}, elsewhere);
    ASSERT_EQ(missing.status, 0);
    EXPECT_EQ(QString::fromUtf8(missing.err).count(U("擁壁１.BMP")), 2)
        << missing.err.toStdString();
}

TEST_F(SummaryPdfTest, DrawingsMissingEverywhereElseComeFromTheDeliveredOnes) {
    ASSERT_TRUE(QDir(dir.path()).mkdir("elsewhere"));
    const QString elsewhere = Path("elsewhere");
    ASSERT_TRUE(QFile::copy(Path(U("見本工事.Fa1")), QDir(elsewhere).filePath(U("p.Fa1"))));
    const Result delivered = Run({"pdf", U("p.Fa1"), "-o", "d.pdf"}, elsewhere, true);
    ASSERT_EQ(delivered.status, 0) << delivered.err.toStdString();
    EXPECT_FALSE(delivered.err.toLower().contains(".bmp")) << delivered.err.toStdString();
    const Result alone = Run({"pdf", U("p.Fa1"), "-o", "e.pdf"}, elsewhere);
    EXPECT_TRUE(alone.err.contains("BMP")) << alone.err.toStdString();
}

TEST_F(SummaryPdfTest, UsageErrorsAndUnreadableProjectsHaveTheirStatus) {
    const struct {
        QStringList args;
        int status;
    } cases[] = {
        {{"summary"}, 2},
        {{"summary", U("見本工事.Fa1"), "--csv"}, 2},
        {{"summary", U("見本工事.Fa1"), "--bogus"}, 2},
        {{"summary", "missing.Fa1"}, 1},
        {{"summary", U("見本工事.Fa1"), "--csv", "no/such/folder.csv"}, 1},
        {{"pdf", U("見本工事.Fa1")}, 2},
        {{"pdf", "missing.Fa1", "-o", "x.pdf"}, 1},
        {{"pdf", U("見本工事.Fa1"), "-o", "x.pdf", "--item", "nope"}, 1},
        {{"pdf", U("見本工事.Fa1"), "-o", "no/such/folder.pdf"}, 1},
    };
    for (const auto& c : cases) {
        const Result r = Run(c.args);
        EXPECT_EQ(r.status, c.status) << c.args.join(' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << c.args.join(' ').toStdString();
        EXPECT_FALSE(r.err.isEmpty()) << c.args.join(' ').toStdString();
    }
    EXPECT_FALSE(QFile::exists(Path("x.pdf")));
    for (const char* command : {"summary", "pdf"})
        EXPECT_EQ(Run({command, "--help"}).status, 0) << command;
}

} // namespace

namespace {

// At a terminal that shows UTF-8 (a pseudo-terminal made by script(1)) the
// summary is readable; into a pipe it stays Shift-JIS, as scripts expect.
TEST_F(SummaryPdfTest, SummaryAtAUtf8TerminalIsUtf8AndShiftJisIntoAPipe) {
#ifdef Q_OS_WIN
    GTEST_SKIP() << "a pseudo-terminal of script(1): Linux only";
#endif
    QProcess p;
    p.setWorkingDirectory(dir.path());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral("script"),
            {QStringLiteral("-qec"),
             Program(false) + QStringLiteral(" summary 見本工事.Fa1 2>/dev/null"),
             QStringLiteral("/dev/null")});
    ASSERT_TRUE(p.waitForFinished(30000));
    const QByteArray shown = p.readAllStandardOutput();
    EXPECT_TRUE(shown.contains(U("合計").toUtf8())) << shown.left(200).toStdString();
    const Result piped = Run({"summary", U("見本工事.Fa1")});
    EXPECT_FALSE(piped.out.contains(U("合計").toUtf8()));
    EXPECT_TRUE(Decode(piped.out).contains(U("合計")));
}

} // namespace
