#include "LivePane.h"

#include "Error.h"
#include "ItemTexts.h"
#include "LabelledDrawing.h"
#include "Lines.h"
#include "Runs.h"
#include "Takeoff.h"
#include "main1.h"
#include "Utf8.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSplitter>
#include <QVBoxLayout>

namespace {

constexpr int kFirstLabel = static_cast<int>(engine::statement::kFirstLabel);
constexpr int kLabelCount = static_cast<int>(engine::statement::kDrawingLabels);

// The statement's own face: a Windows name that the program maps onto the
// IPA gothic, whose half-width letters are exactly half a full-width one.
QFont StatementFace() {
    QFont f(U("ＭＳ ゴシック"));
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    f.setPixelSize(13);
    return f;
}

QPlainTextEdit* MakeView(QWidget* parent, const char* name) {
    auto* view = new QPlainTextEdit(parent);
    view->setObjectName(U(name));
    view->setReadOnly(true);
    view->setLineWrapMode(QPlainTextEdit::NoWrap);
    view->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    view->setFont(StatementFace());
    return view;
}

} // namespace

LivePane::LivePane(TForm1& form, QWidget* parent) : QWidget(parent), form_(form) {
    setObjectName(QStringLiteral("LivePane"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(2);
    title_ = new QLabel(U("明細（入力に合わせて自動計算）"), this);
    title_->setObjectName(QStringLiteral("LiveTitle"));
    statement_ = MakeView(this, "LiveStatement");
    messageView_ = MakeView(this, "LiveMessages");
    messageView_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    messageView_->setPlaceholderText(U("メッセージはありません"));
    split_ = new QSplitter(Qt::Vertical, this);
    split_->setObjectName(QStringLiteral("LivePaneSplitter"));
    split_->addWidget(statement_);
    split_->addWidget(messageView_);
    split_->setStretchFactor(0, 4);
    split_->setStretchFactor(1, 1);
    split_->setSizes({420, 80});
    layout->addWidget(title_);
    layout->addWidget(split_, 1);
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &LivePane::Fire);
}

void LivePane::SetFindingSource(FindingSource source) {
    findings_ = std::move(source);
    Schedule();
}

// Restarting a timer for every keystroke and every field a loaded item sets
// would cost more than the run: the edit only notes its time, and the timer,
// started once, waits out the rest of the quiet time when it fires early.
void LivePane::Schedule() {
    sinceEdit_.start();
    if (!timer_.isActive())
        timer_.start(kDebounceMs);
}

void LivePane::Fire() {
    const qint64 quiet = sinceEdit_.isValid() ? sinceEdit_.elapsed() : kDebounceMs;
    if (quiet < kDebounceMs) {
        timer_.start(static_cast<int>(kDebounceMs - quiet));
        return;
    }
    Refresh();
}

void LivePane::Refresh() {
    timer_.stop();
    Show(Run());
}

// The run "演算実行" would make, with every message caught instead of shown.
LivePane::Outcome LivePane::Run() const {
    Outcome result;
    if (form_.ComboBox1->currentText().isEmpty()) {
        result.stop = U(itemtext::kNoItemName);
        return result;
    }
    result.snapshot = form_.TakeSnapshot();
    const engine::Snapshot& snapshot = result.snapshot;
    result.mode = engine::ModeOf(snapshot);
    result.section = engine::section::SectionOf(snapshot);
    const yoheki::MessageFn collect = [&result](const std::string& text) {
        result.messages << QString::fromStdString(text);
    };
    result.output = takeoff::RunItem(snapshot, collect);
    if (!result.output) {
        // The message that ended the run stands in the statement's place.
        result.stop = result.messages.isEmpty() ? U("計算を中止しました") : result.messages.takeLast();
    }
    if (findings_)
        result.messages << findings_(snapshot, result.output);
    return result;
}

void LivePane::Show(const Outcome& outcome) {
    stopped_ = !outcome.output.has_value();
    messages_ = outcome.messages;
    snapshot_ = outcome.snapshot;
    output_ = outcome.output;
    if (stopped_)
        SetStatement(yoheki::ShownText(outcome.stop));
    else
        SetStatement(yoheki::ShownText(
            SingleOutputLines(takeoff::QtLines(outcome.output->lines)).join(QLatin1Char('\n'))));
    QStringList shown;
    for (const QString& text : messages_)
        shown << QStringLiteral("・") + yoheki::ShownText(text);
    messageView_->setPlainText(shown.join(QLatin1Char('\n')));
    ShowLabels(outcome);
    ++generation_;
    emit Refreshed();
}

void LivePane::ShowLabels(const Outcome& outcome) {
    auto* drawing = qobject_cast<TDrawingLabel*>(form_.Image1);
    if (!drawing)
        return;
    drawing->SetSection(outcome.section);
    const std::vector<std::string>* lines = outcome.output ? &outcome.output->lines : nullptr;
    if (!lines || lines->size() < kFirstLabel + kLabelCount) {
        drawing->ClearLabels();
        return;
    }
    const QStringList all = takeoff::QtLines(*lines);
    drawing->SetLabels(all.mid(kFirstLabel, kLabelCount), outcome.mode);
}

// Replacing the text keeps the reader's place in a long statement.
void LivePane::SetStatement(const QString& text) {
    QScrollBar* bar = statement_->verticalScrollBar();
    const int at = bar->value();
    statement_->setPlainText(text);
    bar->setValue(std::min(at, bar->maximum()));
}

QString LivePane::StatementText() const {
    return statement_->toPlainText();
}
