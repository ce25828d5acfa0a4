// The statement page painted into an image at 150 dpi: where text and the
// drawing land, what stands in for a missing drawing, and the document's end.
#include "PrnSys.h"
#include "StatementPdf.h"

#include <QFile>
#include <QFontInfo>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const DeviceMetrics k150{150, 150, 0, 0, 100};

QStringList Statement(int count) {
    QStringList lines;
    // Dimension labels are short numbers that stay clear of the drawing.
    for (int i = 0; i < count; ++i)
        lines << (i >= 12 && i < 20 ? QStringLiteral("1500") : QStringLiteral("行%1 1500").arg(i));
    return lines;
}

StatementPage Page(int count, StructureMode mode = StructureMode::Wall,
                   const QString& folder = QStringLiteral(YOHEKI_DATA_DIR)) {
    return {QStringLiteral("Ａ工区"), folder, mode, Statement(count), std::nullopt};
}

struct Painted {
    QImage image;
    QString note;
};

Painted PaintA4(const StatementPage& page) {
    QImage image(1240, 1754, QImage::Format_RGB32); // A4 at 150 dpi
    image.fill(Qt::white);
    QPainter canvas(&image);
    const QString note = PaintStatement(canvas, k150, page);
    canvas.end();
    return {image, note};
}

bool InkIn(const QImage& image, const QRect& area) {
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                return true;
    return false;
}

// The band a line of text occupies: 12 pt is 25 dots at 150 dpi.
QRect Band(QPoint paper, int width) {
    return {ToDevice(paper, k150), QSize(width, 25)};
}
QRect LineBand(int line, StructureMode mode = StructureMode::Wall) {
    const bool label = line >= 12 && line < 20;
    return Band(PageLayout::LinePos(line, mode), label ? 45 : 150);
}
QRect DrawingArea() {
    return ToDevice(PageLayout::DrawingRect(), k150);
}

TEST(PrintStatement, TwentyLinesStopAtTheCaption) {
    const Painted p = PaintA4(Page(20));
    for (int i = 0; i < 20; ++i)
        EXPECT_TRUE(InkIn(p.image, LineBand(i))) << i;
    EXPECT_TRUE(InkIn(p.image, Band(PageLayout::CaptionPos(), 250)));
    const int belowCaption = ToDevice(PageLayout::CaptionPos(), k150).y() + 30;
    EXPECT_FALSE(InkIn(p.image, QRect(0, belowCaption, 1240, 1754 - belowCaption)));
    EXPECT_TRUE(p.note.isEmpty()) << p.note.toStdString();
    EXPECT_TRUE(InkIn(p.image, DrawingArea()));
}

TEST(PrintStatement, FortyLinesRunDownFiveMillimetresApart) {
    const Painted p = PaintA4(Page(40));
    for (int i = 20; i < 40; ++i)
        EXPECT_TRUE(InkIn(p.image, LineBand(i))) << i;
    // Nothing between two quantity lines: 5 mm is 29 dots, the text 25.
    const QRect gap = LineBand(30).translated(0, 26);
    EXPECT_FALSE(InkIn(p.image, QRect(gap.left(), gap.top(), 600, 2)));
    const int belowLast = LineBand(39).bottom() + 5;
    EXPECT_FALSE(InkIn(p.image, QRect(0, belowLast, 1240, 1754 - belowLast)));
}

TEST(PrintStatement, LabelsMoveWithTheMode) {
    const Painted ditch = PaintA4(Page(20, StructureMode::Ditch));
    EXPECT_TRUE(InkIn(ditch.image, LineBand(14, StructureMode::Ditch)));
    EXPECT_FALSE(InkIn(ditch.image, LineBand(14, StructureMode::Wall)));
    const Painted base = PaintA4(Page(20, StructureMode::Base));
    const QRect baseWidth = LineBand(17, StructureMode::Base);
    EXPECT_TRUE(InkIn(base.image, QRect(baseWidth.topLeft(), QSize(20, 25))));
    const Painted wall = PaintA4(Page(20));
    EXPECT_FALSE(InkIn(wall.image, QRect(baseWidth.topLeft(), QSize(20, 25))));
}

TEST(PrintStatement, MissingDrawingLeavesANoteAndTheText) {
    QTemporaryDir empty;
    const Painted p = PaintA4(Page(25, StructureMode::Base, empty.path()));
    EXPECT_TRUE(p.note.startsWith(QStringLiteral("図面ファイルが見つかりません：")));
    EXPECT_TRUE(p.note.contains(DrawingFileName(StructureMode::Base)));
    for (int i : {0, 11, 12, 20, 24})
        EXPECT_TRUE(InkIn(p.image, LineBand(i))) << i;
    const QRect area = DrawingArea();
    EXPECT_TRUE(InkIn(p.image, QRect(area.topLeft(), QSize(area.width(), 60))));
    EXPECT_FALSE(InkIn(p.image, area.adjusted(0, area.height() / 2, 0, 0)));
}

TEST(PrintStatement, UnreadableDrawingIsReported) {
    QTemporaryDir dir;
    QFile bad(dir.filePath(DrawingFileName(StructureMode::Wall)));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("BM not a bitmap");
    bad.close();
    const Painted p = PaintA4(Page(20, StructureMode::Wall, dir.path()));
    EXPECT_TRUE(p.note.startsWith(QStringLiteral("図面ファイルを読み込めません：")));
    EXPECT_TRUE(InkIn(p.image, LineBand(0)));
}

TEST(PrintStatement, ShortStatementPrintsWhatItHas) {
    const Painted p = PaintA4(Page(5));
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(InkIn(p.image, LineBand(i))) << i;
    EXPECT_FALSE(InkIn(p.image, LineBand(5)));
    EXPECT_FALSE(InkIn(p.image, LineBand(12)));
    const Painted none = PaintA4(Page(0));
    EXPECT_FALSE(InkIn(none.image, LineBand(0)));
}

TEST(PrintStatement, DrawingFoundWhateverTheLetterCase) {
    QTemporaryDir dir;
    // The program asks for "Ｕ字側溝.BMP"; a folder copied from elsewhere has ".bmp".
    QString lower = DrawingFileName(StructureMode::Ditch).toLower();
    ASSERT_NE(lower, DrawingFileName(StructureMode::Ditch));
    ASSERT_TRUE(QFile::copy(QStringLiteral(YOHEKI_DATA_DIR "/Ｕ字側溝.bmp"), dir.filePath(lower)));
    EXPECT_EQ(FindDrawing(dir.path(), StructureMode::Ditch), dir.filePath(lower));
    EXPECT_TRUE(FindDrawing(dir.path(), StructureMode::Wall).isEmpty());
    EXPECT_TRUE(PaintA4(Page(20, StructureMode::Ditch, dir.path())).note.isEmpty());
}

TEST(PrintStatement, StretchReplacesPixelsWithoutBlending) {
    QImage bitmap(2, 2, QImage::Format_RGB32);
    bitmap.setPixel(0, 0, qRgb(255, 0, 0));
    bitmap.setPixel(1, 0, qRgb(0, 255, 0));
    bitmap.setPixel(0, 1, qRgb(0, 0, 255));
    bitmap.setPixel(1, 1, qRgb(0, 0, 0));
    QImage page(120, 120, QImage::Format_RGB32);
    page.fill(qRgb(200, 200, 200));
    QPainter canvas(&page);
    StretchDrawBitmap(canvas, QRect(10, 10, 100, 100), bitmap);
    canvas.end();
    EXPECT_EQ(page.pixel(10, 10), qRgb(255, 0, 0));
    EXPECT_EQ(page.pixel(59, 59), qRgb(255, 0, 0));
    EXPECT_EQ(page.pixel(60, 10), qRgb(0, 255, 0));
    EXPECT_EQ(page.pixel(10, 109), qRgb(0, 0, 255));
    EXPECT_EQ(page.pixel(109, 109), qRgb(0, 0, 0));
    EXPECT_EQ(page.pixel(9, 9), qRgb(200, 200, 200));
    EXPECT_EQ(page.pixel(110, 110), qRgb(200, 200, 200));
}

TEST(PrintStatement, FontFallsBackToIpaMincho) {
    const QFont font = StatementFont(DeviceMetrics{600, 600, 0, 0, 100});
    EXPECT_EQ(font.pixelSize(), 100); // 12 pt at 600 dpi
    EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("IPAMincho"));
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(PrintStatement, DocumentEndsEvenWithoutADrawing) {
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("one.pdf")));
    const PrintResult r = PrintStatement(printer, Page(30, StructureMode::Wall, dir.path()));
    EXPECT_TRUE(r.printed);
    EXPECT_FALSE(r.note.isEmpty());
    EXPECT_EQ(printer.docName(), QStringLiteral("Ａ工区"));
    const QByteArray pdf = ReadAll(dir.filePath(QStringLiteral("one.pdf")));
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_TRUE(pdf.trimmed().endsWith("%%EOF")); // written only when the document ended
}

TEST(StatementPdf, OnePagePerStatement) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("all.pdf"));
    QList<StatementPage> pages{Page(30), Page(22, StructureMode::Base),
                               Page(26, StructureMode::Ditch)};
    ASSERT_TRUE(WriteStatementsPdf(path, pages));
    const QByteArray pdf = ReadAll(path);
    EXPECT_EQ(pdf.count("/Type /Page\n"), 3);
    EXPECT_TRUE(pdf.trimmed().endsWith("%%EOF"));
    EXPECT_FALSE(WriteStatementsPdf(dir.filePath(QStringLiteral("no/such/folder/x.pdf")), pages));
}

TEST(TForm2, PrintJobFieldsAndTheirCaption) {
    TForm2 form;
    const auto* label = form.findChild<QLabel*>(QStringLiteral("Label1"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QStringLiteral("Data Name"));
    EXPECT_EQ(label->buddy(), form.Edit1);
    form.Edit1->setText(QStringLiteral("Ｐ－２"));
    form.Edit2->setText(QStringLiteral(YOHEKI_DATA_DIR));
    form.SetLines(Statement(21));
    const StatementPage page = form.Page(StructureMode::Ditch);
    EXPECT_EQ(page.title, QStringLiteral("Ｐ－２"));
    EXPECT_EQ(page.drawingFolder, QStringLiteral(YOHEKI_DATA_DIR));
    EXPECT_EQ(page.lines, Statement(21));
}

} // namespace
