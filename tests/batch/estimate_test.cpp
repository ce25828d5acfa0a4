// yoheki-batch estimate as an estimator runs it: the book beside the project,
// every output, a workbook read back by openpyxl, a PDF read back by poppler,
// a faulty book, and the inputs left as they were.
#include "BatchFixture.h"

#include <QCryptographicHash>

namespace {

class EstimateBatch : public BatchFixture {
  protected:
    void SetUp() override {
        CopyData({"見本工事.Fa1", "Qrtt.dat", "擁壁１.bmp", "設備基礎.bmp", "Ｕ字側溝.bmp"});
        ASSERT_TRUE(QFile::copy(QStringLiteral(YOHEKI_TESTDATA_DIR "/estimate/small_book.csv"),
                                Path(U("見本工事_単価.csv"))));
    }
    QByteArray Digest() const {
        return QCryptographicHash::hash(Read(Path(U("見本工事.Fa1"))) + Read(Path(U("見本工事_単価.csv"))),
                                        QCryptographicHash::Sha256);
    }
    static QString Tool(const QString& program, const QStringList& args) {
        QProcess p;
        p.start(program, args);
        p.waitForFinished(30000);
        return QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError()) +
               (p.exitCode() == 0 ? QString() : U("\nexit %1").arg(p.exitCode()));
    }
};

TEST_F(EstimateBatch, BookBesideTheProjectPricesEveryOutputAlike) {
    const QByteArray before = Digest();
    const Result text = Run({U("estimate"), U("見本工事.Fa1"), U("--utf8")});
    ASSERT_EQ(text.status, 0) << text.err.toStdString();
    const QString out = QString::fromUtf8(text.out);
    EXPECT_TRUE(out.contains(U("見本工事_単価.csv")));
    EXPECT_TRUE(out.contains(U("直接工事費")) && out.contains(U("2,737,545")));
    EXPECT_TRUE(out.contains(U("3,387,711")));

    const Result files = Run({U("estimate"), U("見本工事.Fa1"), U("--csv"), U("e.csv"), U("--utf8"),
                              U("--xlsx"), U("e.xlsx"), U("--pdf"), U("e.pdf")});
    ASSERT_EQ(files.status, 0) << files.err.toStdString();
    EXPECT_EQ(QString::fromUtf8(files.err).count(U("［注意］")), 15);
    EXPECT_TRUE(QString::fromUtf8(Read(Path(U("e.csv")))).contains(U("工事費計,,,,,,3387711,")));
#ifndef Q_OS_WIN // the readers are Linux programs; the Linux tests read the same bytes
    const QString openpyxl = Tool(QStringLiteral(YOHEKI_PYTHON3),
                                  {QStringLiteral(YOHEKI_ESTIMATE_CHECK), Path(U("e.xlsx")), Path(U("e.csv"))});
    EXPECT_TRUE(openpyxl.contains(U("checked")) && !openpyxl.contains(U("exit"))) << openpyxl.toStdString();
    const QString info = Tool(U("pdfinfo"), {Path(U("e.pdf"))});
    const QString pdf = Tool(U("pdftotext"), {U("-layout"), Path(U("e.pdf")), U("-")});
    const int pages = info.section(U("Pages:"), 1).trimmed().section(u'\n', 0, 0).toInt();
    ASSERT_GE(pages, 2) << info.toStdString();
    EXPECT_TRUE(info.contains(U("595 x 842"))); // A4 portrait
    EXPECT_EQ(pdf.count(U("工事名")), pages); // the title block on every page
    EXPECT_TRUE(QString(pdf).remove(u' ').contains(U("%1/%1").arg(pages))); // laid out, spaces vary
    EXPECT_TRUE(pdf.contains(U("3,387,711")));
#endif
    EXPECT_EQ(Digest(), before);
}

TEST_F(EstimateBatch, FaultyBookIsNamedAndTheEstimateStillMade) {
    QFile book(Path(U("bad.csv")));
    ASSERT_TRUE(book.open(QIODevice::WriteOnly));
    book.write(QByteArray::fromStdString(yoheki::cp932::Encode(
        "キー,工種,名称,規格,単位,単価,摘要\r\n根切量,土工,床掘り,,ｍ3,2000,\r\n"
        "埋戻し,土工,埋戻し,,ｍ3,abc,\r\n")));
    book.close();
    const Result r = Run({U("estimate"), U("見本工事.Fa1"), U("--prices"), U("bad.csv"),
                          U("--csv"), U("e.csv"), U("--utf8")});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(QString::fromUtf8(r.err).contains(U("3行目6列目（単価）：単価が数値ではありません「abc」")))
        << r.err.toStdString();
    EXPECT_TRUE(QString::fromUtf8(Read(Path(U("e.csv")))).contains(U("直接工事費,,,,,,182000,")));

    EXPECT_EQ(Run({U("estimate"), U("見本工事.Fa1"), U("--prices"), U("none.csv")}).status, 1);
    EXPECT_EQ(Run({U("estimate"), U("見本工事.Fa1"), U("--bogus")}).status, 2);
    EXPECT_EQ(Run({U("estimate"), U("見本工事.Fa1"), U("--csv"), U("見本工事.Fa1")}).status, 2);
}

} // namespace
