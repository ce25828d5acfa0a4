// The window around the fields: the statement pane beside them, the drawing
// and the pane taking the room of a larger window, and the window's size,
// place and dividers kept between runs.
#include "LabelledDrawing.h"
#include "LivePane.h"
#include "main1.h"

#include "CheckView.h"
#include "Checks.h"
#include "FileMenu.h"

#include <QApplication>
#include <QEvent>
#include <QHash>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QStyle>

namespace {

// Everything right of the drawing moves over by the width the drawing gains;
// the panels' own fields stay over the drawing's place.
bool FollowsDrawingEdge(const TForm1& f, QWidget* w) {
    const QList<QWidget*> panel = {f.RG_BL,   f.RG_HL,   f.RG_TL,     f.RG_YL,     f.Label16,
                                   f.Label17, f.Label18, f.Label19,   f.REdit12,   f.REdit13,
                                   f.REdit14, f.REdit15, f.CheckBox5, f.CheckBox6, f.REdit11,
                                   f.REdit16, f.Image1,  f.Image2};
    return w->x() > kImageRect.right() && !panel.contains(w);
}

// Keeps the fields' arrangement in a client area larger than the design: the
// drawing grows by the extra width and height, the fields move with its edge.
class AreaStretch : public QObject {
  public:
    // Named, so that the window can remove it before its own fields go:
    // it reads them on every show and hide of the drawing.
    AreaStretch(TForm1& f, QWidget* area) : QObject(area), f_(f), area_(area) {
        setObjectName(QLatin1String(kAreaStretchName));
        for (QObject* child : area->children())
            if (auto* w = qobject_cast<QWidget*>(child); w && FollowsDrawingEdge(f, w))
                designX_.insert(w, w->x());
        area->installEventFilter(this);
        f.Image1->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == area_ && event->type() == QEvent::Resize)
            Apply();
        if (watched == f_.Image1 && (event->type() == QEvent::ShowToParent ||
                                     event->type() == QEvent::HideToParent))
            PlaceFaceMarks();
        return false;
    }

    void Apply() {
        const QSize design = area_->minimumSize();
        const int dx = std::max(0, area_->width() - design.width());
        const int dy = std::max(0, area_->height() - design.height());
        for (auto it = designX_.cbegin(); it != designX_.cend(); ++it)
            it.key()->move(it.value() + dx, it.key()->y());
        const QRect room = kImageRect.adjusted(0, 0, dx, dy);
        f_.Image1->setGeometry(room);
        if (f_.Image2->geometry() != room) {
            f_.Image2->setGeometry(room);
            if (!f_.Image2->isHidden())
                f_.Image2->setPixmap(BlockDrawing(f_.Image2->contentsRect().size()));
        }
        PlaceFaceMarks();
    }

    // The face marks stand inside the drawing on either side of the upstand,
    // below the heights written at its upper corners; over a panel's picture
    // they keep to its top corners.
    void PlaceFaceMarks() {
        auto* drawing = qobject_cast<TDrawingLabel*>(f_.Image1);
        if (!drawing)
            return;
        if (drawing->isHidden()) {
            const QRect r = drawing->geometry();
            f_.StaticText1->move(r.left() + 8, r.top() + 8);
            f_.StaticText2->move(r.right() - 7 - f_.StaticText2->width(), r.top() + 8);
            return;
        }
        const QRect r = drawing->DrawingRect().translated(drawing->pos());
        const int y = r.top() + r.height() / 5;
        f_.StaticText1->move(r.left() + 3, y);
        f_.StaticText2->move(r.right() - 3 - f_.StaticText2->width(), y);
    }

  private:
    TForm1& f_;
    QWidget* area_;
    QHash<QWidget*, int> designX_;
};

const char* const kGeometryKey = "MainWindow/geometry";
const char* const kSplitterKey = "MainWindow/pane";
const char* const kPaneSplitterKey = "MainWindow/paneParts";
const char* const kDocksKey = "MainWindow/docks";

QSettings WindowSettings() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("yoheki"),
                     QStringLiteral("window"));
}

// A window frame made to fit an available screen area: no larger than the
// area (but not below the minimum) and moved onto it where it lies off it.
QRect FitFrame(QRect frame, const QRect& available, const QSize& minimum) {
    frame.setWidth(std::max(minimum.width(), std::min(frame.width(), available.width())));
    frame.setHeight(std::max(minimum.height(), std::min(frame.height(), available.height())));
    // Right and bottom first: a frame larger than the area keeps its title
    // bar and left edge on it.
    if (frame.right() > available.right())
        frame.moveRight(available.right());
    if (frame.bottom() > available.bottom())
        frame.moveBottom(available.bottom());
    if (frame.left() < available.left())
        frame.moveLeft(available.left());
    if (frame.top() < available.top())
        frame.moveTop(available.top());
    return frame;
}

} // namespace

void TForm1::BuildLiveView() {
    QWidget* area = takeCentralWidget();
    LiveSplitter = new QSplitter(Qt::Horizontal, this);
    LiveSplitter->setObjectName(QStringLiteral("LiveSplitter"));
    Live = new LivePane(*this, LiveSplitter);
    // The quantity checks of the item on screen, listed under its statement;
    // the status bar's count and the list follow them.
    Live->SetFindingSource(
        [](const engine::Snapshot& s, const std::optional<engine::CalcOutput>& out) {
            QStringList texts;
            for (const checks::Finding& finding : out ? checks::CheckItem(s, *out)
                                                      : checks::CheckStopped(s))
                texts << QString::fromStdString(checks::FindingLine(finding));
            return texts;
        });
    connect(Live, &LivePane::Refreshed, this, [this] { checkview::Follow(*this); });
    LiveSplitter->addWidget(area);
    LiveSplitter->addWidget(Live);
    LiveSplitter->setCollapsible(0, false);
    LiveSplitter->setCollapsible(1, true);
    LiveSplitter->setStretchFactor(0, 1);
    LiveSplitter->setStretchFactor(1, 1);
    LiveSplitter->setSizes({area->minimumWidth(), 520});
    setCentralWidget(LiveSplitter);
    auto* stretch = new AreaStretch(*this, area);
    stretch->Apply();
    ConnectLiveView();
}

// Every change of what a calculation reads asks the pane for a new run.
void TForm1::ConnectLiveView() {
    LivePane* pane = Live;
    auto schedule = [pane] { pane->Schedule(); };
    for (int n = 1; n <= 18; ++n)
        connect(REdit(n), &QLineEdit::textChanged, pane, schedule);
    for (TComboBox* combo : {ComboBox1, ComboBox2, ComboBox3, ComboBox4})
        connect(combo, &QComboBox::currentTextChanged, pane, schedule);
    for (QCheckBox* box : {CheckBox1, CheckBox2, CheckBox3, CheckBox5, CheckBox6})
        connect(box, &QCheckBox::toggled, pane, schedule);
    for (TRadioGroup* group : {RG_BL, RG_HL, RG_TL, RG_YL})
        for (int i = 0; i < 3; ++i)
            connect(group->Button(i), &QRadioButton::toggled, pane, schedule);
    for (QAction* mark : findChildren<QAction*>())
        if (mark->isCheckable())
            connect(mark, &QAction::toggled, pane, schedule);
    connect(this, &QWidget::windowTitleChanged, pane, schedule);
    connect(CountEdit, &QLineEdit::textChanged, pane, schedule);
    connect(GroupEdit, &QLineEdit::textChanged, pane, schedule);
    connect(RemarkEdit, &QLineEdit::textChanged, pane, schedule);
    if (auto* drawing = qobject_cast<TDrawingLabel*>(Image1))
        connect(drawing, &TDrawingLabel::DrawingResized, this, &TForm1::ShowModeDrawing);
}

void KeepOnScreen(QWidget& window) {
    // Before the window is shown its frame is not known yet: a title bar of
    // the style's height and thin borders are assumed.
    const int border = 4;
    const int title = window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window);
    QMargins margins(border, title + border, border, border);
    if (window.isVisible() && window.frameGeometry() != window.geometry())
        margins = QMargins(window.geometry().left() - window.frameGeometry().left(),
                           window.geometry().top() - window.frameGeometry().top(),
                           window.frameGeometry().right() - window.geometry().right(),
                           window.frameGeometry().bottom() - window.geometry().bottom());
    // A window never placed is left to the window manager; only its size counts.
    const bool placed = window.testAttribute(Qt::WA_Moved);
    const QRect inner = window.geometry();
    QRect frame = inner.marginsAdded(margins);
    QScreen* screen = placed ? QGuiApplication::screenAt(frame.center()) : nullptr;
    if (!screen)
        screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    if (!placed)
        frame.moveTopLeft(available.topLeft());
    const QSize minimum =
        window.minimumSizeHint().expandedTo(window.minimumSize()).grownBy(margins);
    const QRect fitted = FitFrame(frame, available, minimum).marginsRemoved(margins);
    if (fitted.size() != inner.size())
        window.resize(fitted.size());
    if (placed && fitted.topLeft() != inner.topLeft())
        window.move(fitted.topLeft() - QPoint(margins.left(), margins.top()));
}

void RestoreWindowState(TForm1& form) {
    const QSettings settings = WindowSettings();
    // The window of the last run, or the design's room for the fields and a
    // statement pane beside them; either no larger than the screen and on it.
    if (!form.restoreGeometry(settings.value(QLatin1String(kGeometryKey)).toByteArray()))
        form.resize(1340, 820);
    form.restoreState(settings.value(QLatin1String(kDocksKey)).toByteArray());
    KeepOnScreen(form);
    form.LiveSplitter->restoreState(settings.value(QLatin1String(kSplitterKey)).toByteArray());
    form.Live->Splitter()->restoreState(
        settings.value(QLatin1String(kPaneSplitterKey)).toByteArray());
    FileCommands::Of(form).ReadRecent(settings);
}

void SaveWindowState(const TForm1& form) {
    QSettings settings = WindowSettings();
    settings.setValue(QLatin1String(kGeometryKey), form.saveGeometry());
    settings.setValue(QLatin1String(kSplitterKey), form.LiveSplitter->saveState());
    settings.setValue(QLatin1String(kDocksKey), form.saveState());
    settings.setValue(QLatin1String(kPaneSplitterKey), form.Live->Splitter()->saveState());
    FileCommands::Of(const_cast<TForm1&>(form)).WriteRecent(settings);
}
