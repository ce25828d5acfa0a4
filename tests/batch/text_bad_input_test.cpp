// yoheki-batch text on files that are no project, on a project where nothing
// calculates and on one item holding bytes that are not CP932 text.
#include "BatchFixture.h"
#include "Cp932.h"

#include <QFile>

namespace {

QByteArray Cp932(const std::string& utf8) {
    return QByteArray::fromStdString(yoheki::cp932::Encode(utf8));
}

class TextBadInput : public BatchFixture {
  protected:
    void Write(const QString& name, const QByteArray& bytes) {
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
};

TEST_F(TextBadInput, NoProjectOrNothingCalculatedEndsWithItsReasonAndNoOutput) {
    QByteArray random(4096, '\0');
    for (qsizetype i = 0; i < random.size(); ++i)
        random[i] = static_cast<char>((i * 7919 + 13) % 256);
    struct Case {
        const char* file;
        QByteArray bytes;
        const char* reason;
    } cases[] = {
        {"bin.Fa1", random, "物件ファイルではありません"},
        {"zeros.Fa1", QByteArray(64, '\0'), "物件ファイルではありません"},
        {"empty.Fa1", QByteArray(), "は空です"},
        {"blank.Fa1", QByteArray("\r\n\r\n  \r\n"), "は空です"},
        {"stops.Fa1", Cp932("[A]\r\n延長さ=0\r\n\r\n[B]\r\n延長さ=abc\r\n\r\n"), "演算できた拾いがありません"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        Write(U(c.file), c.bytes);
        const Result r = Run({"text", U(c.file), "-o", "out.txt"});
        EXPECT_EQ(r.status, 1);
        EXPECT_TRUE(QString::fromUtf8(r.err).contains(U(c.reason))) << r.err.toStdString();
        EXPECT_FALSE(QFile::exists(Path("out.txt")));
        QFile file(Path(U(c.file)));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), c.bytes);
    }
}

TEST_F(TextBadInput, AnUnreadableItemIsNamedAndTheOthersAreWritten) {
    const QByteArray wall = Cp932("延長さ=10000\r\n仕上高表=1200\r\n仕上高裏=1200\r\n根入長=500\r\n"
                                  "均しｺﾝ=50\r\n砕石=100\r\nﾍﾞｰｽ幅=1500\r\n幅=200\r\nﾍﾞｰｽ厚=300\r\n"
                                  "根切要項=1\r\n\r\n");
    Write(U("p.Fa1"), "[A]\r\n" + wall + "[B]\r\n\xFF\r\n" + wall + "[C]\r\n" + wall);
    const Result r = Run({"text", U("p.Fa1"), "--utf8"});
    EXPECT_EQ(r.status, 0);
    const QString out = QString::fromUtf8(r.out);
    EXPECT_TRUE(out.contains(U("《A》")) && out.contains(U("《C》")));
    EXPECT_FALSE(out.contains(U("《B》")));
    EXPECT_TRUE(QString::fromUtf8(r.err).contains(U("拾い【B】の14行目"))) << r.err.toStdString();
    // The printed pages and the summary leave it out the same way.
    const Result pdf = Run({"pdf", U("p.Fa1"), "-o", "p.pdf"});
    EXPECT_EQ(pdf.status, 0);
    EXPECT_TRUE(QString::fromUtf8(pdf.err).contains(U("拾い【B】の14行目"))) << pdf.err.toStdString();
    const Result summary = Run({"summary", U("p.Fa1"), "--utf8"});
    EXPECT_EQ(summary.status, 0);
    EXPECT_TRUE(QString::fromUtf8(summary.out).contains(U("C")));
    EXPECT_FALSE(QString::fromUtf8(summary.out).contains(U("B ")));
    EXPECT_TRUE(QString::fromUtf8(summary.err).contains(U("拾い【B】の14行目")));
}

} // namespace
