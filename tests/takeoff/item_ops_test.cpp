// Items handled many at a time: copies, renames in place, moves, deletes of
// several, and the count, group and remark of an item from the file to the
// summary. A project that never uses the new keys keeps every byte.
#include "ItemOps.h"
#include "ItemTexts.h"
#include "Project.h"
#include "Revisions.h"
#include "SummaryRun.h"
#include "Cp932.h"
#include "Error.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>

namespace {

using revisions::Native;
using Names = std::vector<std::string>;

QByteArray Bytes(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

// The bytes of every section, keyed by name, as the file holds them.
std::map<std::string, QByteArray> Sections(const QString& path) {
    std::map<std::string, QByteArray> out;
    const QByteArray bytes = Bytes(path);
    yoheki::IniFile ini(Native(path));
    const Names names = ini.ReadSections();
    for (std::size_t i = 0; i < names.size(); ++i) {
        const QByteArray head = QByteArray::fromStdString("[" + yoheki::cp932::Encode(names[i]) + "]");
        const qsizetype from = bytes.indexOf(head);
        const qsizetype to = i + 1 < names.size()
                                 ? bytes.indexOf(QByteArray::fromStdString(
                                       "[" + yoheki::cp932::Encode(names[i + 1]) + "]"))
                                 : bytes.size();
        out[names[i]] = bytes.mid(from + head.size(), to - from - head.size());
    }
    return out;
}

class ItemOpsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        path = QDir(dir.path()).filePath(QString::fromUtf8("工事.Fa1"));
        ASSERT_TRUE(QFile::copy(revisions::Sample(), path));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        before = Bytes(path);
    }
    Names Order() { return yoheki::IniFile(Native(path)).ReadSections(); }

    QTemporaryDir dir;
    QString path;
    QByteArray before;
    ProjectFile file;
};

TEST_F(ItemOpsTest, RenameKeepsPlaceAndEveryOtherByte) {
    const Names old = Order();
    takeoff::RenameInPlace(file, Native(path), old[2], "設備基礎　Ｐ－１改");
    QByteArray expected = before;
    const std::string from = yoheki::cp932::Encode("[" + old[2] + "]");
    expected.replace(QByteArray::fromStdString(from),
                     QByteArray::fromStdString(yoheki::cp932::Encode("[設備基礎　Ｐ－１改]")));
    EXPECT_EQ(Bytes(path), expected);
    // Names another item has, in any letter case, or CP932 cannot hold.
    for (const std::string& bad : {old[0], std::string("設備基礎　Ｐ－２"), std::string("a\u301Cb"),
                                   std::string()})
        EXPECT_THROW(takeoff::RenameInPlace(file, Native(path), old[4], bad), yoheki::Error);
    EXPECT_EQ(Bytes(path), expected);
}

TEST_F(ItemOpsTest, ReorderKeepsTheSameSectionsInTheNewOrder) {
    const auto sections = Sections(path);
    Names order = Order();
    EXPECT_FALSE(takeoff::MoveItems(file, Native(path), {order[0]}, -1)); // first item up
    EXPECT_EQ(Bytes(path), before);
    EXPECT_TRUE(takeoff::MoveItems(file, Native(path), {order[1], order[2]}, +1));
    EXPECT_EQ(Order(), (Names{order[0], order[3], order[1], order[2], order[4], order[5]}));
    const Names wanted{order[5], order[4], order[3], order[2], order[1], order[0]};
    takeoff::ReorderItems(file, Native(path), wanted);
    EXPECT_EQ(Order(), wanted);
    EXPECT_EQ(Sections(path), sections);
    EXPECT_EQ(Bytes(path).size(), before.size());
    EXPECT_THROW(takeoff::ReorderItems(file, Native(path), {order[0]}), yoheki::Error);
}

TEST_F(ItemOpsTest, DuplicateCopiesEveryKeyRightAfterTheOriginal) {
    yoheki::IniFile ini(Native(path));
    ini.WriteString(Order()[1], "独自キー", "そのまま"); // a key this program does not know
    ini.UpdateFile();
    const Names old = Order();
    const Names copies = takeoff::DuplicateItems(file, Native(path), {old[1], old[1]});
    EXPECT_EQ(copies, (Names{old[1] + " (2)", old[1] + " (3)"}));
    const Names now = Order();
    ASSERT_EQ(now.size(), 8u);
    EXPECT_EQ(now[2], old[1] + " (3)"); // each copy right after the original
    EXPECT_EQ(now[3], old[1] + " (2)");
    const auto sections = Sections(path);
    EXPECT_EQ(sections.at(copies[0]), sections.at(old[1]));
    EXPECT_EQ(takeoff::CopyName("柱 (9)", {"柱 (10)"}), "柱 (11)");
    EXPECT_EQ(takeoff::CopyName("柱 (0)", {}), "柱 (0) (2)");
    takeoff::DeleteItems(file, Native(path), copies);
    EXPECT_EQ(Order(), old);
}

TEST(ItemCount, ParsesWholeNumbersFromOneToTenThousand) {
    const std::pair<const char*, int> cases[] = {
        {"1", 1}, {" 8 ", 8}, {"８", 8}, {"10000", 10000}, {"0", 0}, {"-2", 0},
        {"10001", 0}, {"1.5", 0}, {"abc", 0}, {"", 0}, {"99999999999", 0}};
    for (const auto& [text, want] : cases) {
        EXPECT_EQ(takeoff::ParseCount(text).value_or(0), want) << text;
        EXPECT_EQ(takeoff::CountProblem(text).empty(), want != 0) << text;
    }
}

TEST_F(ItemOpsTest, NewKeysAreWrittenOnlyWhenSetAndMultiplyTheSummary) {
    const std::string p1 = "設備基礎　Ｐ－１";
    yoheki::IniFile sample(Native(path));
    takeoff::ItemRecord r = takeoff::ReadItem(sample, p1);
    EXPECT_EQ(takeoff::Count(r), 1);
    takeoff::SaveItem(file, Native(path), p1, r);
    EXPECT_EQ(Bytes(path), before); // an unused project keeps its bytes
    const summary::Table one = summary::Summarize(CalculateProject(path).items);
    EXPECT_FALSE(one.counted);
    EXPECT_TRUE(one.groups.empty());
    EXPECT_FALSE(summary::CsvText(one).contains(QString::fromUtf8("箇所数")));

    r.count = 8;
    r.group = "設備基礎";
    r.remark = "屋上設備";
    takeoff::SaveItem(file, Native(path), p1, r);
    EXPECT_EQ(takeoff::ReadItem(yoheki::IniFile(Native(path)), p1), r);
    const summary::Table eight = summary::Summarize(CalculateProject(path).items);
    const summary::Item& item = eight.items[2];
    // One piece: 根切量 4.88, ＲＣ全量 2.40, bars 0.17 t by rate, 天端仕上 3.00 m2.
    EXPECT_EQ(item.quantities->excavation, 3904);
    EXPECT_EQ(item.quantities->rcTotal, 1920);
    EXPECT_EQ(item.quantities->barMerged, 136);
    EXPECT_EQ(item.quantities->finishes.front().value, 2400);
    EXPECT_EQ(eight.totals[5] - one.totals[5], 7 * 240);
    ASSERT_EQ(eight.groups.size(), 2u); // the items without a group, then 設備基礎
    EXPECT_EQ(eight.groups[1].totals[5], 1920);
    EXPECT_EQ(eight.groups[0].totals[5] + 1920, eight.totals[5]);
    const QString csv = summary::CsvText(eight);
    EXPECT_TRUE(csv.startsWith(QString::fromUtf8("拾い名称,構造,箇所数,区分,")));
    EXPECT_TRUE(csv.contains(QString::fromUtf8("設備基礎　Ｐ－１,設備基礎,8,設備基礎,39.04,")));
    EXPECT_TRUE(csv.contains(QString::fromUtf8("屋上設備")));
    EXPECT_TRUE(csv.contains(QString::fromUtf8("小計：設備基礎")));

    // A stored count that is no number stays as typed until the count changes.
    yoheki::IniFile ini(Native(path));
    ini.WriteString(p1, itemkey::kCount, "abc");
    ini.UpdateFile();
    const QByteArray typed = Bytes(path);
    r = takeoff::ReadItem(yoheki::IniFile(Native(path)), p1);
    EXPECT_EQ(r.count, 1);
    takeoff::SaveItem(file, Native(path), p1, r);
    EXPECT_EQ(Bytes(path), typed);
}

} // namespace
