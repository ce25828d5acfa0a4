// yoheki-batch compare as a user runs it: the exit statuses, the table and
// the changed inputs, the CSV file, and both project files left alone.
#include "../takeoff/Revisions.h"
#include "BatchFixture.h"

#include <gtest/gtest.h>

namespace {

class CompareCommandTest : public BatchFixture {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        std::tie(earlier, current) = revisions::Make(QDir(dir.path()));
    }
    QString earlier, current;
};

TEST_F(CompareCommandTest, DiffersWithExitOneAndLeavesBothFiles) {
    const QByteArray a = revisions::Hash(earlier), b = revisions::Hash(current);
    const Result r = Run({U("compare"), earlier, current, U("--utf8")});
    EXPECT_EQ(r.status, 1) << r.err.toStdString();
    const QString out = QString::fromUtf8(r.out);
    EXPECT_TRUE(out.contains(U("当初   変更   増減"))) << out.toStdString();
    EXPECT_TRUE(out.contains(U("新規")));
    EXPECT_TRUE(out.contains(U("削除")));
    EXPECT_TRUE(
        out.contains(U("【設備基礎　Ｐ－１】\r\n  根切要項 積算基準 → 45度勾配[+500]\r\n")));
    EXPECT_FALSE(out.contains(U(revisions::kSame2)));
    // The stop is told on standard error too.
    EXPECT_TRUE(
        QString::fromUtf8(r.err).contains(U("拾い【L型擁壁　Ｂ通り】は演算できません：変更：")));
    EXPECT_EQ(revisions::Hash(earlier), a);
    EXPECT_EQ(revisions::Hash(current), b);
}

TEST_F(CompareCommandTest, SameRevisionsExitZero) {
    const Result r = Run({U("compare"), earlier, earlier});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(Decode(r.out), U("当初と変更の数量は同じです\r\n"));
    const Result all = Run({U("compare"), earlier, earlier, U("--all"), U("--utf8")});
    EXPECT_EQ(all.status, 0);
    EXPECT_TRUE(QString::fromUtf8(all.out).contains(U(revisions::kSame2)));
}

TEST_F(CompareCommandTest, ErrorsExitTwo) {
    const QString missing = Path(U("無い.Fa1"));
    for (const QStringList& args :
         {QStringList{U("compare"), earlier}, QStringList{U("compare"), earlier, missing},
          QStringList{U("compare"), missing, current},
          QStringList{U("compare"), earlier, current, current},
          QStringList{U("compare"), earlier, current, U("--item"), U("x")},
          QStringList{U("compare"), earlier, current, U("--csv"), Path(U("無い/x.csv"))}}) {
        const Result r = Run(args);
        EXPECT_EQ(r.status, 2) << args.join(u' ').toStdString();
        EXPECT_TRUE(r.err.startsWith("yoheki-batch: ")) << r.err.toStdString();
    }
}

TEST_F(CompareCommandTest, CsvFileHoldsEveryItem) {
    const QString csv = Path(U("比較.csv"));
    const Result r = Run({U("compare"), earlier, current, U("--csv"), csv});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.isEmpty());
    const QStringList lines = Decode(Read(csv)).split(U("\r\n"));
    ASSERT_GT(lines.size(), 9);
    EXPECT_TRUE(lines[0].startsWith(U("拾い名称,構造,区分,根切量(ｍ3),,,")));
    EXPECT_TRUE(lines[1].startsWith(U(",,,当初,変更,増減,")));
    QStringList names;
    for (int i = 2; i < 9; ++i)
        names << lines[i].section(u',', 0, 0);
    EXPECT_TRUE(names.contains(U(revisions::kSame2)));
    EXPECT_TRUE(lines[8].startsWith(U(revisions::kRemoved) + U(",Ｕ型側溝,削除,")));
}

TEST_F(CompareCommandTest, HelpIsListed) {
    const Result help = Run({U("compare"), U("--help")});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(QString::fromUtf8(help.out).contains(U("名称の完全一致")));
    const Result usage = Run({U("--help")});
    EXPECT_TRUE(QString::fromUtf8(usage.out).contains(U("compare")));
}

} // namespace
