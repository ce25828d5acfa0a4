// yoheki-batch check: one line per finding, and its exit statuses.
#include "BatchFixture.h"
#include "Cp932.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

class CheckCommandTest : public BatchFixture {
  protected:
    void SetUp() override { CopyData({"見本工事.Fa1", "Qrtt.dat"}); }

    // A project written from UTF-8 text, CP932 with CR LF on disk.
    void Write(const QString& name, const std::string& text) {
        std::string crlf;
        for (char c : text)
            crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
        QFile f(Path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray::fromStdString(yoheki::cp932::Encode(crlf)));
    }
};

const char* const kProject =
    "[高い表面]\n延長さ=10000\n仕上高表=2000\n仕上高裏=500\n根入長=500\n均しｺﾝ=50\n"
    "砕石=100\nﾍﾞｰｽ幅=1495\n幅=200\nﾍﾞｰｽ厚=300\n根切要項=1\n根入差=1\n簡易山止=1\n\n"
    "[丸めだけ]\n延長さ=10000\n仕上高表=1200\n仕上高裏=1200\n根入長=500\n均しｺﾝ=50\n"
    "砕石=100\nﾍﾞｰｽ幅=1504\n幅=200\nﾍﾞｰｽ厚=300\n根切要項=1\n簡易山止=1\n"
    "表面仕上=打放補修\n裏面仕上=打放補修\n天端仕上=打放補修\n\n"
    "[長さなし]\n延長さ=0\n根切要項=1\n簡易山止=1\n\n";

TEST_F(CheckCommandTest, TheSampleHasNothingToReportAndStaysAsItWas) {
    const QByteArray project = Read(Path(U("見本工事.Fa1")));
    const Result r = Run({"check", U("見本工事.Fa1")});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
    EXPECT_EQ(Read(Path(U("見本工事.Fa1"))), project);
}

TEST_F(CheckCommandTest, OneTabSeparatedLineAFindingAndTheStatus) {
    Write("p.Fa1", kProject);
    Result r = Run({"check", "p.Fa1", "--utf8"});
    EXPECT_EQ(r.status, 1) << r.err.toStdString();
    const QStringList lines = QString::fromUtf8(r.out).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 4);
    for (const QString& line : lines)
        EXPECT_EQ(line.split(u'\t').size(), 4) << line.toStdString();
    EXPECT_TRUE(lines.first().startsWith(U("高い表面\tエラー\t根切量\t"))) << lines.first().toStdString();
    EXPECT_TRUE(lines.contains(U("丸めだけ\t注意\tﾍﾞｰｽ幅\tﾍﾞｰｽ幅 は 10 ㎜ 単位に丸めて 1504 ㎜ を 1500 ㎜ "
                                 "として計算しました。")));
    EXPECT_TRUE(lines.last().startsWith(U("長さなし\tエラー\t演算\t演算できませんでした：")));
    EXPECT_TRUE(lines.last().endsWith(U("問題点を訂正して再度実行して下さい")))
        << lines.last().toStdString();

    // One item with only a caution: status 0; CP932 unless asked otherwise.
    r = Run({"check", "p.Fa1", "--item", U("丸めだけ")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(QString::fromStdString(yoheki::cp932::Decode(r.out.toStdString())).count(u'\n'), 1);
    EXPECT_TRUE(r.out.startsWith(QByteArray::fromStdString(yoheki::cp932::Encode("丸めだけ\t注意"))));
}

TEST_F(CheckCommandTest, SectionsThatCannotBeBuiltAreErrors) {
    Write("s.Fa1", "[溝]\n延長さ=10000\n根入長=450\n均しｺﾝ=50\n砕石=100\nﾍﾞｰｽ幅=700\n幅=400\n"
                   "ﾍﾞｰｽ厚=100\n歩掛=70\nＵ字溝=1\n\n"
                   "[壁]\n延長さ=10000\n仕上高表=1200\n仕上高裏=1200\n根入長=500\n均しｺﾝ=50\n"
                   "砕石=100\nﾍﾞｰｽ幅=1500\n幅=200\nﾍﾞｰｽ厚=0\n\n");
    for (const auto& [item, finding] : {std::pair{"溝", "\tエラー\t側壁厚\t"}, {"壁", "\tエラー\tﾍﾞｰｽ厚\t"}}) {
        const Result r = Run({"check", "s.Fa1", "--item", U(item), "--utf8"});
        EXPECT_EQ(r.status, 1) << item << r.err.toStdString();
        EXPECT_TRUE(QString::fromUtf8(r.out).contains(U(item) + U(finding))) << r.out.toStdString();
    }
}

TEST_F(CheckCommandTest, WhatCannotBeCheckedIsStatusTwo) {
    for (const QStringList& args : {QStringList{"check"}, QStringList{"check", "missing.Fa1"},
                                    QStringList{"check", U("見本工事.Fa1"), "--item", "none"},
                                    QStringList{"check", U("見本工事.Fa1"), "--csv", "x"}}) {
        const Result r = Run(args);
        EXPECT_EQ(r.status, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_TRUE(r.err.startsWith("yoheki-batch: ")) << r.err.toStdString();
    }
    EXPECT_EQ(Run({"check", "--help"}).status, 0);
}

} // namespace
