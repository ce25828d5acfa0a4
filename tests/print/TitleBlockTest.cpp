// The title block on every page of a statement document, read back by
// pdftotext; a page range; pages fitted to paper smaller than A4 or turned.
#include "StatementPage.h"
#include "StatementPdf.h"

#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

StatementPage Page(const QString& item, int count) {
    StatementPage page{item, QStringLiteral(YOHEKI_DATA_DIR), StructureMode::Wall, {}, std::nullopt};
    for (int i = 0; i < count; ++i)
        page.lines << (i >= 12 && i < 20 ? QStringLiteral("1500") : QStringLiteral("行%1").arg(i));
    page.titleBlock = TitleBlock{QStringLiteral("見本工事"), item, QDate(2024, 5, 1), 1, 1};
    return page;
}

QString PdfText(const QString& path, int page) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-f"), QString::number(page),
                                          QStringLiteral("-l"), QString::number(page),
                                          QStringLiteral("-enc"), QStringLiteral("UTF-8"), path,
                                          QStringLiteral("-")});
    p.waitForFinished();
    return QString::fromUtf8(p.readAllStandardOutput()).simplified();
}

QList<StatementPage> ThreeItems() {
    return {Page(QStringLiteral("擁壁Ａ"), 30), Page(QStringLiteral("擁壁Ｂ"), 25),
            Page(QStringLiteral("擁壁Ｃ"), 40)};
}

TEST(TitleBlock, EveryPdfPageCarriesItsOwnBlock) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("all.pdf"));
    ASSERT_TRUE(WriteStatementsPdf(path, ThreeItems()));
    const QStringList items{QStringLiteral("擁壁Ａ"), QStringLiteral("擁壁Ｂ"),
                            QStringLiteral("擁壁Ｃ")};
    for (int page = 1; page <= 3; ++page) {
        const QString text = PdfText(path, page);
        for (const QString& wanted :
             {QStringLiteral("工事名"), QStringLiteral("見本工事"), QStringLiteral("拾い名称"),
              items[page - 1], QStringLiteral("作成日"), QStringLiteral("2024/05/01"),
              QStringLiteral("%1 / 3").arg(page)})
            EXPECT_TRUE(text.contains(wanted)) << page << " " << wanted.toStdString();
    }
    // Switched off, the page holds the statement alone.
    QList<StatementPage> bare = ThreeItems();
    for (StatementPage& p : bare)
        p.titleBlock.reset();
    ASSERT_TRUE(WriteStatementsPdf(path, bare));
    EXPECT_FALSE(PdfText(path, 2).contains(QStringLiteral("工事名")));
}

TEST(TitleBlock, APageRangePrintsThosePagesNumberedInTheWhole) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("range.pdf"));
    {
        QPdfWriter pdf(path);
        pdf.setResolution(300);
        StatementDocument document(pdf);
        document.SetRange(2, 3);
        int n = 0;
        for (StatementPage page : ThreeItems() + ThreeItems().mid(0, 1)) {
            page.titleBlock->page = ++n;
            page.titleBlock->pages = 4;
            ASSERT_TRUE(document.Add(page));
        }
        EXPECT_EQ(document.End(), 2);
    }
    EXPECT_TRUE(PdfText(path, 1).contains(QStringLiteral("2 / 4")));
    EXPECT_TRUE(PdfText(path, 2).contains(QStringLiteral("3 / 4")));
    EXPECT_TRUE(PdfText(path, 3).isEmpty());
}

// On paper that cannot hold the A4 layout the page shrinks as a whole: the
// last line and the right end of a long formula are on the sheet, clear of
// its edges.
TEST(TitleBlock, PagesAreFittedToSmallerOrTurnedPaper) {
    struct Paper {
        const char* name;
        int width, height; // hundredths of a millimetre
    };
    for (const Paper paper : {Paper{"B5", 18200, 25700}, Paper{"A4 landscape", 29700, 21000}}) {
        StatementPage page = Page(QStringLiteral("擁壁Ａ"), 50);
        page.lines.last() = QStringLiteral("　　:=ﾍﾞｰｽ(   1.20)＋立上り(   1.36)＋残土用(   3.20)＋末尾");
        const DeviceMetrics m{100, 100, 0, 0, 100, paper.width, paper.height};
        QImage image(paper.width * 100 / 2540, paper.height * 100 / 2540, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter canvas(&image);
        EXPECT_LT(StatementFit(canvas, m, page), 1.0) << paper.name;
        PaintStatement(canvas, m, page);
        canvas.end();
        const auto inkInRows = [&](int top, int bottom) {
            for (int y = top; y < bottom; ++y)
                for (int x = 0; x < image.width(); ++x)
                    if (image.pixel(x, y) != qRgb(255, 255, 255))
                        return true;
            return false;
        };
        const auto inkInColumns = [&](int left, int right) {
            for (int x = left; x < right; ++x)
                for (int y = 0; y < image.height(); ++y)
                    if (image.pixel(x, y) != qRgb(255, 255, 255))
                        return true;
            return false;
        };
        const int h = image.height(), w = image.width();
        EXPECT_TRUE(inkInRows(h * 8 / 10, h - 4)) << paper.name; // the last lines are there
        EXPECT_FALSE(inkInRows(h - 4, h)) << paper.name;         // and not cut at the foot
        EXPECT_FALSE(inkInColumns(w - 4, w)) << paper.name;      // nor at the right edge
    }
    // A4 portrait holds a usual statement unscaled, as it always printed.
    QImage a4(827, 1169, QImage::Format_RGB32);
    QPainter canvas(&a4);
    EXPECT_EQ(StatementFit(canvas, {100, 100, 0, 0, 100, 21000, 29700}, Page(QString(), 30)),
              1.0);
}

} // namespace
