#pragma once
// The message boxes of runs, gathered so that a text is shown once. The
// engine says the millimetre message for every field it cannot read, and a
// run over a whole project says the fixed-rate message for every item that
// uses it: one box per text, naming the fields, and one report at the end of
// a run over many items are what an estimator can act on.
#include "Calc.h"

#include <QString>
#include <QStringList>

class RunMessages {
  public:
    // Where a run's messages go; valid while this object lives.
    yoheki::MessageFn Sink();
    void Add(const QString& text);
    bool Empty() const { return said_.isEmpty(); }
    // Each text once, in the order first said; the millimetre message
    // followed by the captions of the fields of `snapshot` it is about.
    QStringList Digest(const engine::Snapshot& snapshot) const;

  private:
    QStringList said_;
};

// What the runs of many items said, item by item.
class OutputMessages {
  public:
    yoheki::MessageFn Sink() { return current_.Sink(); }
    // The run of `item` is over: what it said is kept under its name.
    void EndItem(const QString& item, const engine::Snapshot& snapshot);
    // One text with a line per item that said anything; empty when none did.
    QString Report() const;

  private:
    RunMessages current_;
    QStringList lines_;
};

// The caption of dimension field `edit` (1 .. 18) as the window shows it.
QString FieldCaption(int edit);
