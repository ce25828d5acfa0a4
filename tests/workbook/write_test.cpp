// Writing the workbook file: all or nothing, and clear reasons.
#include "Workbook.h"
#include "Utf8.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

summary::Table OneItem() {
    summary::Item item{U("擁壁 Ａ"), engine::StructureMode::Wall, engine::Quantities{}, {}, {}};
    item.quantities->excavation = 1625;
    item.statement = QStringList{U("【物件名：試験】"), U("根  切   量：  16.25（ｍ3）")};
    return summary::Summarize({item});
}

QByteArray Read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class WriteTest : public ::testing::Test {
  protected:
    QString Path(const char* name) const { return dir.filePath(U(name)); }
    QStringList Entries() const {
        return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
    QTemporaryDir dir;
};

} // namespace

TEST_F(WriteTest, WritesAZipAndReplacesAnOlderFileLeavingNothingElse) {
    ASSERT_FALSE(workbook::WriteWorkbook(Path("a.xlsx"), U("試験"), OneItem()));
    EXPECT_TRUE(Read(Path("a.xlsx")).startsWith("PK\x03\x04"));
    QFile::resize(Path("a.xlsx"), 10);
    ASSERT_FALSE(workbook::WriteWorkbook(Path("a.xlsx"), U("試験"), OneItem()));
    EXPECT_GT(Read(Path("a.xlsx")).size(), 1000);
    EXPECT_EQ(Entries(), QStringList{U("a.xlsx")});
    EXPECT_TRUE(QFile(Path("a.xlsx")).permissions() & QFileDevice::ReadOther);
}

TEST_F(WriteTest, FileOpenElsewhereOrAFolderInTheWayKeepsEverythingAsItWas) {
    QFile old(Path("a.xlsx"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("older");
    old.close();
    QFile lock(Path(".~lock.a.xlsx#"));
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.close();
    auto failure = workbook::WriteWorkbook(Path("a.xlsx"), U("試験"), OneItem());
    ASSERT_TRUE(failure);
    EXPECT_TRUE(failure->contains(U("他のプログラムで開かれています"))) << failure->toStdString();
    EXPECT_EQ(Read(Path("a.xlsx")), QByteArray("older"));

    ASSERT_TRUE(QDir(dir.path()).mkdir(U("b.xlsx")));
    failure = workbook::WriteWorkbook(Path("b.xlsx"), U("試験"), OneItem());
    ASSERT_TRUE(failure);
    EXPECT_TRUE(failure->contains(U("フォルダ"))) << failure->toStdString();
    failure = workbook::WriteWorkbook(Path("none/c.xlsx"), U("試験"), OneItem());
    ASSERT_TRUE(failure);
    EXPECT_TRUE(failure->contains(U("がありません"))) << failure->toStdString();
    EXPECT_EQ(Entries(), (QStringList{U(".~lock.a.xlsx#"), U("a.xlsx"), U("b.xlsx")}));
}

TEST_F(WriteTest, AWorkbookReachedThroughALinkIsWrittenWhereTheLinkPoints) {
    ASSERT_TRUE(QDir(dir.path()).mkdir(U("shared")));
    QFile old(Path("shared/a.xlsx"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("older");
    old.close();
    ASSERT_TRUE(QFile::link(Path("shared/a.xlsx"), Path("mine.xlsx")));
    ASSERT_FALSE(workbook::WriteWorkbook(Path("mine.xlsx"), U("試験"), OneItem()));
    EXPECT_TRUE(QFileInfo(Path("mine.xlsx")).isSymLink());
    EXPECT_TRUE(Read(Path("shared/a.xlsx")).startsWith("PK\x03\x04"));
    EXPECT_EQ(Entries(), (QStringList{U("mine.xlsx"), U("shared")}));
}
