#include "StatementPage.h"

#include "SectionPainter.h"

#include "BundledData.h"

#include <QDir>
#include <QFont>
#include <QFontMetrics>
#include <QImageReader>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cstdint>

namespace {

const QString kStatementFamily = QStringLiteral("ＭＳ 明朝");
const QString kQuantityCaption = QStringLiteral("　　　　（全数量）");
const QString kMissingDrawing = QStringLiteral("図面ファイルが見つかりません：");
const QString kUnreadableDrawing = QStringLiteral("図面ファイルを読み込めません：");

// The statement face is a Windows font; where it is missing, the IPA Mincho
// of fonts-ipafont stands in for it.
void SubstituteStatementFamily() {
    if (!QFont::substitutes(kStatementFamily).isEmpty())
        return;
#ifdef Q_OS_WIN
    QFont::insertSubstitutions(kStatementFamily,
                               {QStringLiteral("MS Mincho"), QStringLiteral("Yu Mincho"),
                                QStringLiteral("IPAMincho"), QStringLiteral("IPA明朝")});
#else
    QFont::insertSubstitutions(kStatementFamily,
                               {QStringLiteral("IPAMincho"), QStringLiteral("IPA明朝")});
#endif
}

QFont FontAt(int points, int dpiY) {
    SubstituteStatementFamily();
    QFont font(kStatementFamily);
    font.setPixelSize(qMax(1, (points * dpiY + 36) / 72));
    return font;
}

// Text stands with the top-left corner of its cell at the position.
void WriteAt(QPainter& canvas, QPoint pos, const QString& text) {
    canvas.drawText(pos.x(), pos.y() + canvas.fontMetrics().ascent(), text);
}

void WriteLines(QPainter& canvas, const DeviceMetrics& m, const StatementPage& page) {
    // The section carries its own dimensions: the eight labels are left out.
    const int labelsEnd = qMin<int>(page.lines.size(), page.section ? PageLayout::kHeadingLines
                                                                    : PageLayout::kFirstQuantity);
    for (int i = 0; i < labelsEnd; ++i)
        WriteAt(canvas, ToDevice(PageLayout::LinePos(i, page.mode), m), page.lines[i]);
    WriteAt(canvas, ToDevice(PageLayout::CaptionPos(), m), kQuantityCaption);
    for (int i = PageLayout::kFirstQuantity; i < page.lines.size(); ++i)
        WriteAt(canvas, ToDevice(PageLayout::LinePos(i, page.mode), m), page.lines[i]);
}

struct Drawing {
    QImage image;
    QString note;
};

Drawing LoadDrawing(const StatementPage& page) {
    const QString folder = page.drawingFolder.isEmpty() ? QStringLiteral(".") : page.drawingFolder;
    const QString path = LocateDrawing(folder, DrawingFileName(page.mode));
    if (path.isEmpty()) {
        const QString wanted = QDir(page.drawingFolder).filePath(DrawingFileName(page.mode));
        return {QImage(), kMissingDrawing + QDir::toNativeSeparators(wanted)};
    }
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    QImage image = reader.read();
    if (image.isNull())
        return {QImage(), kUnreadableDrawing + QDir::toNativeSeparators(path)};
    return {image, QString()};
}

// The drawing's place stays empty; the note says why, inside it.
void WriteNote(QPainter& canvas, const QRect& rect, const DeviceMetrics& m, const QString& note) {
    canvas.save();
    canvas.setFont(FontAt(9, m.dpiY));
    const int inset = DevicePos(100, m.dpiX, 0, m.scale); // 1 mm
    canvas.drawText(rect.adjusted(inset, inset, -inset, -inset),
                    Qt::AlignLeft | Qt::AlignTop | Qt::TextWrapAnywhere, note);
    canvas.restore();
}

} // namespace

void SetDocumentTitle(QPaintDevice& device, const QString& title) {
    if (auto* pdf = dynamic_cast<QPdfWriter*>(&device))
        pdf->setTitle(title);
}

QString DrawingFileName(StructureMode mode) {
    switch (mode) {
    case StructureMode::Base:
        return QStringLiteral("設備基礎.BMP");
    case StructureMode::Ditch:
        return QStringLiteral("Ｕ字側溝.BMP");
    default:
        return QStringLiteral("擁壁１.BMP");
    }
}

QString FindDrawing(const QString& folder, const QString& name) {
    if (folder.isEmpty())
        return {};
    // A folder recorded on a Windows desktop may still use backslashes.
    QString unixFolder = folder;
    unixFolder.replace(QLatin1Char('\\'), QLatin1Char('/'));
    for (const QString& candidate : {folder, unixFolder}) {
        const QDir dir(candidate);
        if (dir.exists(name))
            return dir.filePath(name);
        const QStringList files = dir.entryList(QDir::Files | QDir::Hidden);
        for (const QString& file : files)
            if (file.compare(name, Qt::CaseInsensitive) == 0)
                return dir.filePath(file);
    }
    return {};
}

QString FindDrawing(const QString& folder, StructureMode mode) {
    return FindDrawing(folder.isEmpty() ? QStringLiteral(".") : folder, DrawingFileName(mode));
}

QString LocateDrawing(const QString& folder, const QString& name) {
    const QString recorded = FindDrawing(folder, name);
    return recorded.isEmpty() ? FindDrawing(yoheki::BundledDataDir(), name) : recorded;
}

void StretchDrawBitmap(QPainter& canvas, const QRect& rect, const QImage& bitmap) {
    if (bitmap.isNull() || rect.isEmpty())
        return;
    // Like colour-on-colour stretching: whole pixels, no blending, so the
    // drawing's thin lines stay black on the printed page.
    canvas.save();
    canvas.setRenderHint(QPainter::SmoothPixmapTransform, false);
    canvas.setCompositionMode(QPainter::CompositionMode_Source);
    canvas.drawImage(QRectF(rect), bitmap.convertToFormat(QImage::Format_RGB32),
                     QRectF(bitmap.rect()));
    canvas.restore();
}

QFont StatementFont(const DeviceMetrics& m) {
    return FontAt(12, m.dpiY);
}

namespace {

constexpr int kA4Width = 21000, kA4Height = 29700; // the page as laid out
constexpr int kFitMargin = 500;                    // kept free beyond the last text

QString PaintLaidOut(QPainter& canvas, const DeviceMetrics& m, const StatementPage& page) {
    if (page.titleBlock)
        PaintTitleBlock(canvas, ToDevice(PageLayout::TitleBlockRect(), m), *page.titleBlock);
    canvas.setFont(StatementFont(m));
    canvas.setPen(Qt::black);
    WriteLines(canvas, m, page);
    const QRect rect = ToDevice(PageLayout::DrawingRect(), m);
    if (page.section) {
        print::PaintSection(canvas, rect, *page.section, 25.4 / m.dpiX);
        return QString();
    }
    const Drawing drawing = LoadDrawing(page);
    if (drawing.image.isNull())
        WriteNote(canvas, rect, m, drawing.note);
    else
        StretchDrawBitmap(canvas, rect, drawing.image);
    return drawing.note;
}

// The paper the page needs: A4, or more where a line runs past its right
// edge or the lines run past its foot.
QSize NeededPaper(QPainter& canvas, const DeviceMetrics& m, const StatementPage& page) {
    canvas.save();
    canvas.setFont(StatementFont(m));
    const QFontMetrics metrics = canvas.fontMetrics();
    canvas.restore();
    const auto toPaper = [](int dots, int dpi) {
        return static_cast<int>(std::int64_t{dots} * 2540 / std::max(1, dpi));
    };
    int right = kA4Width, bottom = kA4Height;
    for (int i = 0; i < page.lines.size(); ++i) {
        const QPoint at = PageLayout::LinePos(i, page.mode);
        right = std::max(right, at.x() + toPaper(metrics.horizontalAdvance(page.lines[i]), m.dpiX) +
                                    kFitMargin);
        bottom = std::max(bottom, at.y() + toPaper(metrics.height(), m.dpiY) + kFitMargin);
    }
    return {right, bottom};
}

} // namespace

double StatementFit(QPainter& canvas, const DeviceMetrics& m, const StatementPage& page) {
    if (m.paperWidth <= 0 || m.paperHeight <= 0)
        return 1.0;
    const QSize needed = NeededPaper(canvas, m, page);
    return std::min({1.0, double(m.paperWidth) / needed.width(),
                     double(m.paperHeight) / needed.height()});
}

QString PaintStatement(QPainter& canvas, const DeviceMetrics& m, const StatementPage& page) {
    const double fit = StatementFit(canvas, m, page);
    if (fit >= 1.0)
        return PaintLaidOut(canvas, m, page);
    // Scaled about the paper's corner, centred across: device positions are
    // fit x paper - offset, so the unscaled layout is painted without offsets.
    const int spare = m.paperWidth - static_cast<int>(fit * NeededPaper(canvas, m, page).width());
    canvas.save();
    canvas.translate(DevicePos(spare / 2, m.dpiX, m.offsetX, m.scale), -m.offsetY);
    canvas.scale(fit, fit);
    DeviceMetrics flat = m;
    flat.offsetX = flat.offsetY = 0;
    const QString note = PaintLaidOut(canvas, flat, page);
    canvas.restore();
    return note;
}

DeviceMetrics MetricsOf(const QPaintDevice& device) {
    DeviceMetrics m;
    m.dpiX = device.logicalDpiX();
    m.dpiY = device.logicalDpiY();
    m.scale = 100;
    if (const auto* paged = dynamic_cast<const QPagedPaintDevice*>(&device)) {
        // The painter's origin is the corner of the printable area.
        const QRect paint = paged->pageLayout().paintRectPixels(m.dpiX);
        m.offsetX = paint.left();
        m.offsetY = paint.top();
        const QRectF paper = paged->pageLayout().fullRect(QPageLayout::Millimeter);
        m.paperWidth = qRound(paper.width() * 100);
        m.paperHeight = qRound(paper.height() * 100);
    }
    return m;
}

PrintResult PrintStatement(QPaintDevice& device, const DeviceMetrics& m,
                           const StatementPage& page) {
    SetDocumentTitle(device, page.title);
    QPainter canvas; // ends the document when it goes out of scope, on every path
    if (!canvas.begin(&device))
        return {};
    const QString note = PaintStatement(canvas, m, page);
    canvas.end();
    return {true, note};
}

PrintResult PrintStatement(QPaintDevice& device, const StatementPage& page) {
    return PrintStatement(device, MetricsOf(device), page);
}
