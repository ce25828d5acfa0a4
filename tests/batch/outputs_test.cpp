// What every subcommand that writes a file does with an output named like one
// of its inputs, and what the subcommands report for files that are no
// project or where nothing could be calculated.
#include "BatchFixture.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray Hash(const QString& path) {
    return QCryptographicHash::hash(Read(path), QCryptographicHash::Sha256);
}

class OutputsTest : public BatchFixture {
  protected:
    void SetUp() override {
        CopyData({"見本工事.Fa1", "Qrtt.dat", "擁壁１.bmp", "設備基礎.bmp", "Ｕ字側溝.bmp"});
        ASSERT_TRUE(QFile::copy(Path(kSample), Path(U("変更.Fa1"))));
        ASSERT_TRUE(QFile::link(kSample, Path(U("link.Fa1"))));
        ASSERT_TRUE(QFile::link(U("Ｕ字側溝.bmp"), Path(U("溝.bmp"))));
        ASSERT_TRUE(QDir(dir.path()).mkdir(U("sub")));
    }

    void WriteFile(const QString& name, const QByteArray& bytes) {
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    // Runs `args`, expecting the refusal and `target` as it was.
    void ExpectRefused(const QStringList& args, const QString& target,
                       const QString& folder = QString()) {
        const QString where = QDir(folder.isEmpty() ? dir.path() : folder).filePath(target);
        const QByteArray before = Hash(where);
        ASSERT_FALSE(Read(where).isEmpty()) << where.toStdString();
        const Result r = Run(args, folder);
        const std::string said = args.join(' ').toStdString() + " / " + r.err.toStdString();
        EXPECT_EQ(r.status, 2) << said;
        EXPECT_TRUE(QString::fromUtf8(r.err).contains(U("上書きしないよう"))) << said;
        EXPECT_TRUE(r.out.isEmpty()) << said;
        EXPECT_EQ(Hash(where), before) << said;
    }

    const QString kSample = U("見本工事.Fa1");
};

TEST_F(OutputsTest, AnOutputOntoAnInputIsRefusedHoweverItIsSpelled) {
    // The project, the settings file and the drawings, by name, through
    // "./" and "..", and through symbolic links.
    const QStringList inputs = {kSample, U("./") + kSample, U("sub/../") + kSample,
                                U("link.Fa1"), U("Qrtt.dat"), U("./Qrtt.dat"),
                                U("擁壁１.bmp"), U("溝.bmp")};
    for (const QString& target : inputs) {
        ExpectRefused({"text", kSample, "-o", target}, target);
        ExpectRefused({"summary", kSample, "--csv", target}, target);
        ExpectRefused({"pdf", kSample, "-o", target}, target);
        ExpectRefused({"xlsx", kSample, "-o", target}, target);
        ExpectRefused({"compare", kSample, U("変更.Fa1"), "--csv", target}, target);
    }
    // Either revision of a comparison is an input, and the project given
    // through a link still guards itself.
    ExpectRefused({"compare", kSample, U("変更.Fa1"), "--csv", U("変更.Fa1")}, U("変更.Fa1"));
    ExpectRefused({"text", U("link.Fa1"), "-o", kSample}, kSample);
    ExpectRefused({"text", kSample, "--item", U("擁壁１"), "-o", kSample}, kSample);
}

TEST_F(OutputsTest, DrawingsBesideAProjectElsewhereAndDeliveredOnesAreInputsToo) {
    // Started in an empty folder: the drawings are read beside the project.
    QTemporaryDir elsewhere;
    ASSERT_TRUE(elsewhere.isValid());
    const QString drawing = Path(U("設備基礎.bmp"));
    ExpectRefused({"pdf", Path(kSample), "-o", drawing}, drawing, elsewhere.path());
    ExpectRefused({"text", Path(kSample), "-o", drawing}, drawing, elsewhere.path());

    // A project with no drawings anywhere near prints with the delivered ones,
    // which are no place for an output either.
    ASSERT_TRUE(QFile::copy(Path(kSample), QDir(elsewhere.path()).filePath(kSample)));
    const QString delivered = QDir(YOHEKI_BINARY_DIR "/share/yoheki").filePath(U("擁壁１.bmp"));
    if (QFile::exists(delivered)) {
        const QByteArray before = Hash(delivered);
        const Result r = Run({"pdf", kSample, "-o", delivered}, elsewhere.path(), true);
        EXPECT_EQ(r.status, 2) << r.err.toStdString();
        EXPECT_EQ(Hash(delivered), before);
    }
    // An output that is none of the inputs is still written.
    EXPECT_EQ(Run({"text", kSample, "-o", U("sub/出力.txt")}).status, 0);
    EXPECT_FALSE(Read(Path(U("sub/出力.txt"))).isEmpty());
}

TEST_F(OutputsTest, FilesThatAreNoProjectExitNonZeroNamingTheReason) {
    const struct {
        const char* name;
        QByteArray bytes;
        const char* reason;
    } files[] = {
        {"空.Fa1", QByteArray(), "は空です"},
        {"空行.Fa1", QByteArray("\r\n\r\n"), "は空です"},
        {"値だけ.Fa1", QByteArray("延長さ=1000\r\n"), "物件ファイルではありません"},
        {"画像.Fa1", Read(Path(U("擁壁１.bmp"))), "物件ファイルではありません"},
    };
    for (const auto& f : files) {
        WriteFile(U(f.name), f.bytes);
        const struct {
            QStringList args;
            int status;
        } runs[] = {
            {{"summary", U(f.name)}, 1},
            {{"summary", U(f.name), "--csv", "s.csv"}, 1},
            {{"pdf", U(f.name), "-o", "p.pdf"}, 1},
            {{"xlsx", U(f.name), "-o", "x.xlsx"}, 1},
            {{"check", U(f.name)}, 2},
            {{"text", U(f.name)}, 1},
        };
        for (const auto& run : runs) {
            const Result r = Run(run.args);
            const std::string said = run.args.join(' ').toStdString() + " / " + r.err.toStdString();
            EXPECT_EQ(r.status, run.status) << said;
            EXPECT_TRUE(QString::fromUtf8(r.err).contains(U(f.reason))) << said;
            EXPECT_TRUE(QString::fromUtf8(r.err).contains(U(f.name))) << said;
            EXPECT_TRUE(r.out.isEmpty()) << said;
        }
        for (const char* out : {"s.csv", "p.pdf", "x.xlsx"})
            EXPECT_FALSE(QFile::exists(Path(out))) << f.name << " " << out;
    }
}

TEST_F(OutputsTest, AProjectWhoseEveryItemStopsIsNoSuccess) {
    WriteFile(U("止.Fa1"),
              QByteArray::fromStdString(yoheki::cp932::Encode(
                  "[擁壁 延長なし]\r\n延長さ=0\r\n仕上高表=1200\r\nﾍﾞｰｽ幅=1500\r\n\r\n")));
    for (const QStringList& args :
         {QStringList{"summary", U("止.Fa1")}, QStringList{"pdf", U("止.Fa1"), "-o", "p.pdf"}, QStringList{"text", U("止.Fa1")}}) {
        const Result r = Run(args);
        EXPECT_EQ(r.status, 1) << args.join(' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << args.join(' ').toStdString();
        EXPECT_TRUE(QString::fromUtf8(r.err).contains(U("擁壁 延長なし")) ||
                    QString::fromUtf8(r.err).contains(U("message:")))
            << r.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(Path("p.pdf")));
    // The workbook and the CSV show each item's reason in their table, so
    // they are written; the run still fails.
    const Result c = Run({"summary", U("止.Fa1"), "--csv", "s.csv"});
    EXPECT_EQ(c.status, 1);
    EXPECT_TRUE(QString::fromUtf8(c.err).contains(U("演算できた拾いがありません"))) << c.err.toStdString();
    EXPECT_TRUE(QFile::exists(Path("s.csv")));
    const Result x = Run({"xlsx", U("止.Fa1"), "-o", "x.xlsx"});
    EXPECT_EQ(x.status, 1) << x.err.toStdString();
    EXPECT_TRUE(QString::fromUtf8(x.err).contains(U("演算できた拾いがありません"))) << x.err.toStdString();
    EXPECT_TRUE(QFile::exists(Path("x.xlsx")));
    // One calculated item is enough for a summary.
    const Result s = Run({"summary", kSample});
    EXPECT_EQ(s.status, 0) << s.err.toStdString();
}

} // namespace
