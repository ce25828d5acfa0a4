// Bad inputs and failures through every subcommand: a file that is no
// project on either side of a comparison, item headers with bytes that are
// not CP932 text or too long, a repeated option, a full disk, PDF failures. Each
// ends with its status and a reason naming the file; inputs stay unchanged.
#include "BatchFixture.h"

#include <QFile>
#include <QProcess>
#include <unistd.h>

namespace {

QByteArray Cp932(const std::string& utf8) {
    return QByteArray::fromStdString(yoheki::cp932::Encode(utf8));
}

const QByteArray kWall = Cp932("延長さ=10000\r\n仕上高表=1200\r\n仕上高裏=1200\r\n根入長=500\r\n"
                               "均しｺﾝ=50\r\n砕石=100\r\nﾍﾞｰｽ幅=1500\r\n幅=200\r\nﾍﾞｰｽ厚=300\r\n"
                               "根切要項=1\r\n\r\n");

class BadInputs : public BatchFixture {
  protected:
    void Write(const QString& name, const QByteArray& bytes) {
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QString Err(const Result& r) const { return QString::fromUtf8(r.err); }
};

TEST_F(BadInputs, CompareChecksBothRevisionsAsTextChecksItsProject) {
    const QByteArray good = "[A]\r\n" + kWall;
    Write(U("good.Fa1"), good);
    QByteArray random(2048, '\0');
    for (qsizetype i = 0; i < random.size(); ++i)
        random[i] = static_cast<char>((i * 7919 + 13) % 256);
    const QByteArray utf16 = QByteArray("\xFF\xFE", 2) +
                             QByteArray(reinterpret_cast<const char*>(u"[A]\r\n"), 10);
    for (const auto& [name, bytes, reason] :
         {std::tuple{"empty.Fa1", QByteArray(), "は空です"},
          std::tuple{"random.Fa1", random, "物件ファイルではありません"},
          std::tuple{"utf16.Fa1", utf16, "物件ファイルではありません"}}) {
        SCOPED_TRACE(name);
        Write(U(name), bytes);
        for (const QStringList& args : {QStringList{"compare", U(name), "good.Fa1"},
                                        QStringList{"compare", "good.Fa1", U(name)}}) {
            const Result r = Run(args);
            EXPECT_EQ(r.status, 2);
            EXPECT_TRUE(Err(r).contains(U(name) + U("】")) && Err(r).contains(U(reason)));
            EXPECT_TRUE(r.out.isEmpty());
        }
        EXPECT_EQ(Read(Path(U(name))), bytes);
    }
}

// A header with bytes that are not CP932 (or ending in a lone lead byte),
// and a line longer than any item needs.
TEST_F(BadInputs, UnreadableItemsAreNamedAndLeftOutByEverySubcommand) {
    const QByteArray longLine = "表面仕上=" + QByteArray(70 * 1024, 'x') + "\r\n";
    for (const auto& [header, said] :
         {std::pair{QByteArray("[Lwall\x81]\r\n"), "の13行目にShift-JIS(CP932)として読めない文字があります"},
          std::pair{QByteArray("[\x82\xA0\xFF]\r\n"), "の13行目にShift-JIS(CP932)として読めない文字があります"},
          std::pair{"[Lwall]\r\n" + Cp932(longLine.toStdString()), "の14行目が長すぎます（64KBを超えています）"}}) {
        const QByteArray project = "[A]\r\n" + kWall + header + kWall + "[C]\r\n" + kWall;
        Write(U("p.Fa1"), project);
        Write(U("q.Fa1"), "[A]\r\n" + kWall + "[C]\r\n" + kWall);
        struct Case {
            QStringList args;
            int status;
        } cases[] = {{{"text", "p.Fa1", "--utf8"}, 0},
                     {{"summary", "p.Fa1", "--utf8"}, 0},
                     {{"summary", "p.Fa1", "--csv", "s.csv"}, 0},
                     {{"xlsx", "p.Fa1", "-o", "p.xlsx"}, 0},
                     {{"pdf", "p.Fa1", "-o", "p.pdf"}, 0},
                     {{"check", "p.Fa1", "--utf8"}, 0},
                     {{"compare", "q.Fa1", "p.Fa1", "--utf8"}, 0},
                     {{"compare", "p.Fa1", "q.Fa1", "--utf8", "--all"}, 0}};
        for (const Case& c : cases) {
            SCOPED_TRACE((c.args.join(' ') + U(" ") + QString::fromLatin1(header.toHex())).toStdString());
            const Result r = Run(c.args);
            EXPECT_EQ(r.status, c.status) << r.err.toStdString();
            EXPECT_TRUE(Err(r).contains(U("p.Fa1】の拾い【"))) << r.err.toStdString();
            EXPECT_TRUE(Err(r).contains(U(said))) << r.err.toStdString();
            EXPECT_FALSE(QString::fromUtf8(r.out).contains(U("Lwall")));
            EXPECT_FALSE(QString::fromUtf8(r.out).contains(U("\uFFFD")));
        }
        EXPECT_EQ(Read(Path("p.Fa1")), project);
    }
}

TEST_F(BadInputs, ARepeatedOptionIsAUsageErrorAndWritesNothing) {
    Write(U("p.Fa1"), "[A]\r\n" + kWall);
    for (const QStringList& args :
         {QStringList{"text", "p.Fa1", "-o", "a.txt", "-o", "b.txt"},
          QStringList{"text", "p.Fa1", "--utf8", "--utf8"},
          QStringList{"summary", "p.Fa1", "--csv", "a.csv", "--csv", "b.csv"},
          QStringList{"xlsx", "p.Fa1", "-o", "a.xlsx", "-o", "b.xlsx"},
          QStringList{"compare", "p.Fa1", "p.Fa1", "--all", "--all"}}) {
        const Result r = Run(args);
        EXPECT_EQ(r.status, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(Err(r).contains(U("同じオプションが二度指定されています"))) << r.err.toStdString();
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"p.Fa1"});
}

// Needs root for a small tmpfs; skipped otherwise.
TEST_F(BadInputs, AFullDiskPutsTheTextFileBackAndNamesItInJapanese) {
#ifdef _WIN32
    GTEST_SKIP() << "a small file system is mounted on Linux only";
#else
    if (::geteuid() != 0)
        GTEST_SKIP() << "mounting a small file system needs root";
#endif
    QByteArray big = "[A]\r\n" + kWall;
    for (int i = 0; i < 400; ++i)
        big += Cp932("[壁" + std::to_string(i) + "]\r\n") + kWall;
    Write(U("p.Fa1"), big);
    ASSERT_TRUE(QDir(dir.path()).mkdir("small"));
    const QString small = Path("small");
    ASSERT_EQ(QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=64k", "tmpfs", small}), 0);
    QFile old(small + "/old.txt");
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("earlier statements\r\n");
    old.close();
    const QStringList targets{small + "/old.txt", small + "/new.txt"};
    QList<Result> results;
    for (const QString& target : targets)
        results << Run({"text", "p.Fa1", "-o", target});
    const QByteArray kept = Read(small + "/old.txt");
    const bool created = QFile::exists(small + "/new.txt");
    QProcess::execute("umount", {small});
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(results[i].status, 1);
        EXPECT_TRUE(Err(results[i]).contains(U("テキストファイル【") + targets[i] +
                                            U("】に書き込めません\n"))) << results[i].err.toStdString();
        EXPECT_TRUE(Err(results[i]).contains(U("ディスクの空きが足りません")));
    }
    EXPECT_EQ(kept, "earlier statements\r\n");
    EXPECT_FALSE(created);
}

TEST_F(BadInputs, PdfFailuresGiveTheReasonNamingTheFile) {
    Write(U("p.Fa1"), "[A]\r\n" + kWall);
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.pdf"));
    for (const auto& [target, reason] : {std::pair{"missing/p.pdf", "フォルダがありません"},
                                         std::pair{"folder.pdf", "同じ名前のフォルダがあります"}}) {
        const Result r = Run({"pdf", "p.Fa1", "-o", U(target)});
        EXPECT_EQ(r.status, 1);
        EXPECT_TRUE(Err(r).contains(U("PDFファイル【") + Path(U(target)) + U("】に書き込めません")))
            << r.err.toStdString();
        EXPECT_TRUE(Err(r).contains(U(reason))) << r.err.toStdString();
    }
}

} // namespace
