#include "LabelledDrawing.h"

#include "SectionPainter.h"

#include <QPainter>
#include <QResizeEvent>
#include <algorithm>
#include <cmath>

namespace {

constexpr int kFirstLabel = static_cast<int>(engine::statement::kFirstLabel);
constexpr int kLabelCount = static_cast<int>(engine::statement::kDrawingLabels);
constexpr int kPaperFontPoints = 12;

// The part of the page shown: the drawing and every label position, with room
// to the right of the labels at the drawing's right edge and under the base
// width, in hundredths of a millimetre.
constexpr int kWindowLeft = 1200;
constexpr int kWindowTop = 1550;
constexpr int kWindowRight = 9300;
constexpr int kWindowBottom = 8600;

// A 12 pt line on paper, in hundredths of a millimetre.
constexpr double kPaperLineHeight = kPaperFontPoints * 2540.0 / 72.0;

} // namespace

TDrawingLabel::TDrawingLabel(QWidget* parent) : QLabel(parent) {}

void TDrawingLabel::SetLabels(const QStringList& labels, StructureMode mode) {
    QStringList eight = labels.mid(0, kLabelCount);
    while (eight.size() < kLabelCount)
        eight << QString();
    if (eight == labels_ && mode == mode_)
        return;
    labels_ = eight;
    mode_ = mode;
    update();
}

void TDrawingLabel::ClearLabels() {
    if (labels_.isEmpty())
        return;
    labels_.clear();
    update();
}

void TDrawingLabel::SetSection(std::optional<engine::section::Drawing> section) {
    section_ = std::move(section);
    if (sectionShown_)
        update();
}

void TDrawingLabel::ShowSection(bool on) {
    if (on == sectionShown_)
        return;
    sectionShown_ = on;
    update();
}

double TDrawingLabel::Scale() const {
    const QRect room = contentsRect();
    return std::min(room.width() / double(kWindowRight - kWindowLeft),
                    room.height() / double(kWindowBottom - kWindowTop));
}

QPoint TDrawingLabel::ToWidget(QPoint paper) const {
    const QRect room = contentsRect();
    const double s = Scale();
    // The shown part of the page is centred in the widget.
    const double left = room.left() + (room.width() - (kWindowRight - kWindowLeft) * s) / 2;
    const double top = room.top() + (room.height() - (kWindowBottom - kWindowTop) * s) / 2;
    return {static_cast<int>(std::lround(left + (paper.x() - kWindowLeft) * s)),
            static_cast<int>(std::lround(top + (paper.y() - kWindowTop) * s))};
}

QRect TDrawingLabel::DrawingRect() const {
    const PageRect page = PageLayout::DrawingRect();
    return QRect(ToWidget({page.left, page.top}), ToWidget({page.right, page.bottom}));
}

QPoint TDrawingLabel::LabelPos(int line) const {
    return ToWidget(PageLayout::LinePos(line, mode_));
}

QFont TDrawingLabel::LabelFont() const {
    // The printed page's face and size, scaled with the picture; never so small
    // that the figures cannot be read, never larger than the fields' text.
    QFont f(QStringLiteral("ＭＳ 明朝"));
    f.setPixelSize(std::clamp(static_cast<int>(std::lround(kPaperLineHeight * Scale())), 11, 16));
    return f;
}

void TDrawingLabel::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    p.fillRect(contentsRect(), Qt::white);
    if (sectionShown_) {
        if (section_)
            print::PaintSection(p, QRectF(contentsRect()).adjusted(4, 4, -4, -4), *section_,
                                25.4 / logicalDpiX());
        p.end();
        QFrame::paintEvent(event);
        return;
    }
    const QPixmap picture = pixmap();
    if (!picture.isNull())
        p.drawPixmap(DrawingRect(), picture);
    p.setFont(LabelFont());
    p.setPen(Qt::black);
    const int ascent = p.fontMetrics().ascent();
    for (int i = 0; i < labels_.size(); ++i) {
        const QPoint at = LabelPos(kFirstLabel + i);
        p.drawText(at.x(), at.y() + ascent, labels_[i]);
    }
    p.end();
    QFrame::paintEvent(event); // the frame over the picture's edge
}

void TDrawingLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    if (event->oldSize() != event->size())
        emit DrawingResized();
}
