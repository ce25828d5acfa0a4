#pragma once
// The statement of the item on screen, worked out again shortly after every
// edit: the lines a single text output would write, in a monospaced face so
// the formula columns line up, and under them what the run had to say.
//
// The run is silent: its message texts are listed here, never shown as
// message boxes, and neither the statement list of the hidden form nor any
// file is touched. "演算実行" stays the only way to fill the statement list.
#include "Calc.h"
#include "PageLayout.h"
#include "Section.h"

#include <QElapsedTimer>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <functional>

class TForm1;
class QLabel;
class QPlainTextEdit;
class QSplitter;

class LivePane : public QWidget {
    Q_OBJECT
  public:
    LivePane(TForm1& form, QWidget* parent = nullptr);

    // Quiet time after the last edit before the statement is worked out:
    // short enough that the pane follows within 30 ms of the last key, long
    // enough that a burst of keys (or an item load) gives one run; a run
    // takes about a millisecond, so typing never waits for it.
    static constexpr int kDebounceMs = 20;

    // An edit happened: the run follows once the edits pause. Cheap enough to
    // be called for every signal of every field, also while a whole project
    // is loaded item by item.
    void Schedule();
    bool Pending() const { return timer_.isActive(); }
    // Works the statement out now and shows it.
    void Refresh();

    // Further findings about the item on screen, listed with the run's
    // messages: the quantity checks of a calculated item, or why a run that
    // stopped stopped. `output` is empty when the run stopped.
    using FindingSource = std::function<QStringList(
        const engine::Snapshot&, const std::optional<engine::CalcOutput>& output)>;
    void SetFindingSource(FindingSource source);

    // What the pane shows: the statement (or the stop message in its place),
    // the run's messages and findings in order, and whether the run stopped.
    QString StatementText() const;
    QStringList Messages() const { return messages_; }
    bool Stopped() const { return stopped_; }
    // The run behind what the pane shows: what it read and what it made.
    const engine::Snapshot& Snapshot() const { return snapshot_; }
    const std::optional<engine::CalcOutput>& Output() const { return output_; }
    // Counts the refreshes, so a caller can tell that the pane was redrawn.
    int Generation() const { return generation_; }

    QSplitter* Splitter() const { return split_; }

  signals:
    void Refreshed();

  private:
    struct Outcome {
        engine::Snapshot snapshot;
        std::optional<engine::CalcOutput> output;
        QStringList messages;
        QString stop; // why the run stopped; empty when it did not
        StructureMode mode = StructureMode::Wall; // places the drawing labels
        std::optional<engine::section::Drawing> section; // the 寸法図 of the screen
    };
    Outcome Run() const;
    void Show(const Outcome& outcome);
    void ShowLabels(const Outcome& outcome);
    void SetStatement(const QString& text);
    void Fire();

    TForm1& form_;
    QLabel* title_;
    QPlainTextEdit* statement_;
    QPlainTextEdit* messageView_;
    QSplitter* split_;
    QTimer timer_;
    QElapsedTimer sinceEdit_;
    FindingSource findings_;
    QStringList messages_;
    engine::Snapshot snapshot_;
    std::optional<engine::CalcOutput> output_;
    bool stopped_ = false;
    int generation_ = 0;
};
