// yoheki-batch xlsx read back by openpyxl: the summary sheet against the
// CSV of the same project, the item sheets against the text output, the
// sheet names of awkward items, and what a failed save leaves.
#include "BatchFixture.h"
#include "IniFile.h"
#include "PathBytes.h"
#include "../ReadOnlyFolder.h"

#include <QDir>
#include <QRegularExpression>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

const char kSample[] = "見本工事.Fa1";


class XlsxTest : public BatchFixture {
  protected:
    void SetUp() override { CopyData({kSample, "Qrtt.dat"}); }

    // A project of the sample's items under new names: each entry names the
    // new item and the sample item it copies; a stopped item has no run length.
    void WriteProject(const QString& name, const std::vector<std::pair<QString, int>>& items,
                      bool stopped = false) const {
        const yoheki::IniFile sample(yoheki::PathBytes(Path(U(kSample))));
        const std::vector<std::string> sections = sample.ReadSections();
        yoheki::IniFile out(yoheki::PathBytes(Path(name)));
        for (const auto& [to, from] : items) {
            const std::string& section = sections[static_cast<std::size_t>(from)];
            for (const std::string& key : sample.ReadSection(section))
                out.WriteString(to.toStdString(), key, sample.ReadString(section, key, ""));
            if (stopped || to.startsWith(U("止")))
                out.WriteString(to.toStdString(), "延長さ", "0");
        }
        out.UpdateFile();
    }

    // Writes the workbook, the CSV and each calculated item's text output,
    // then has openpyxl compare them. Gives the checker's report.
    // `status`: 1 when no item of the project can be calculated (the tables
    // are still written).
    void CheckWorkbook(const QString& project, int status = 0) {
        const Result x = Run({"xlsx", project, "-o", "book.xlsx"});
        ASSERT_EQ(x.status, status) << x.err.toStdString();
        const Result c = Run({"summary", project, "--csv", "s.csv", "--utf8"});
        ASSERT_EQ(c.status, status) << c.err.toStdString();
        QStringList rows = QString::fromUtf8(Read(Path("s.csv")).mid(3)).split(U("\r\n"));
        ASSERT_GE(rows.size(), 3);
        ASSERT_TRUE(QDir(dir.path()).mkpath(U("st")));
        for (qsizetype i = 1; i + 2 < rows.size(); ++i) {
            const QString name = rows[i].section(u',', 0, 0); // no comma in these names
            Run({"text", project, "--item", name, "--utf8", "-o",
                 U("st/%1.txt").arg(i)}); // nothing for a stopped item
        }
        QProcess p;
        p.start(QStringLiteral(YOHEKI_PYTHON3), {QStringLiteral(YOHEKI_WORKBOOK_CHECK),
                                                 Path("book.xlsx"), Path("s.csv"), Path("st")});
        ASSERT_TRUE(p.waitForFinished(60000));
        report = QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
        EXPECT_EQ(p.exitCode(), 0) << report.toStdString();
    }

    QString report;
};

} // namespace

TEST_F(XlsxTest, SampleWorkbookAgreesWithItsCsvAndTextOutput) {
    const QByteArray project = Read(Path(U(kSample)));
    CheckWorkbook(U(kSample));
    EXPECT_TRUE(report.contains(U("8 sheets, 6 items, 0 faults"))) << report.toStdString();
    EXPECT_EQ(Read(Path(U(kSample))), project);
}

TEST_F(XlsxTest, AwkwardItemNamesGetValidSheetsHoldingTheirFullNames) {
    const QString long40 = U("擁壁") + QString(38, u'長');
    WriteProject(U("難.Fa1"), {{long40, 0},
                               {long40 + U("２"), 1},
                               {U("A/B"), 2},
                               {U("A／B"), 3},
                               {U("区画x[1"), 4},
                               {U("ａｂｃ"), 0},
                               {U("ＡＢＣ"), 1},
                               {U("数量総括表"), 2},
                               {U("A1"), 3},
                               {U("止 延長なし"), 0}});
    CheckWorkbook(U("難.Fa1"));
    EXPECT_TRUE(report.contains(U("11 sheets, 10 items, 0 faults"))) << report.toStdString();
}

TEST_F(XlsxTest, ProjectWhoseEveryItemStopsStillGivesTheTableAndItsMessages) {
    WriteProject(U("止.Fa1"), {{U("止1"), 0}, {U("止2"), 2}}, true);
    CheckWorkbook(U("止.Fa1"), 1);
    EXPECT_TRUE(report.contains(U("2 sheets, 2 items, 0 faults"))) << report.toStdString();
}

TEST_F(XlsxTest, BadInputHasItsStatusAndWritesNothing) {
    Result r = Run({"xlsx", U(kSample)});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(QString::fromUtf8(r.err).contains(U("-o"))) << r.err.toStdString();
    r = Run({"xlsx", "--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(QString::fromUtf8(r.out).contains(U("yoheki-batch xlsx 物件.Fa1 -o 出力.xlsx")));
    EXPECT_EQ(Run({"xlsx", U("無い.Fa1"), "-o", "a.xlsx"}).status, 1);
    EXPECT_EQ(Run({"xlsx", U(kSample), "-o", "a.xlsx", "--utf8"}).status, 2);

    ASSERT_TRUE(QDir(dir.path()).mkdir(U("ro")));
    if (SetReadOnly(yoheki::PathBytes(Path("ro")), true)) {
        r = Run({"xlsx", U(kSample), "-o", "ro/a.xlsx"});
        SetReadOnly(yoheki::PathBytes(Path("ro")), false);
        EXPECT_EQ(r.status, 1);
        EXPECT_TRUE(QString::fromUtf8(r.err).contains(QRegularExpression(U("】に保存できません\n +フォルダ【"))))
            << r.err.toStdString();
        EXPECT_TRUE(
            QDir(Path("ro")).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    }
}
