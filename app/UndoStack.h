#pragma once
// The edits of the item on screen, to undo and redo: every state the item
// passed through since it was loaded, across its fields, finishes, check
// boxes, bar sizes, conditions and structure mode. Each item shown starts a
// history of its own; switching items (which saves the one left) ends it.
//
// The same record tells whether the screen still matches the project file:
// the window's title carries the modified mark while it does not.
#include "ItemRecord.h"

#include <QObject>
#include <QTimer>
#include <vector>

class QAction;
class TForm1;

class ItemHistory : public QObject {
    Q_OBJECT
  public:
    // The history of `form`, made on first use; it follows the form's signals.
    static ItemHistory& Of(TForm1& form);

    // Typing pauses this long before the state counts as one step, so a
    // typed figure is undone whole, not key by key.
    static constexpr int kStepMs = 400;

    // The item on screen was loaded from the file (or reloaded): a new
    // history begins, and the screen matches the file.
    void Loaded();
    // The item on screen was written to the file.
    void Saved();
    // Takes the step now that typing would have ended later.
    void Flush();

    bool CanUndo() const;
    bool CanRedo() const;
    void Undo();
    void Redo();
    // Back to what the project file holds for the item on screen; undoable.
    void Revert();
    // The screen differs from what was loaded or saved last.
    bool Modified() const;
    int Steps() const { return static_cast<int>(states_.size()); }

    // Menu entries kept enabled as the history allows; set by the edit menu.
    QAction* undoAction = nullptr;
    QAction* redoAction = nullptr;

  signals:
    void ModifiedChanged(bool modified);

  private:
    explicit ItemHistory(TForm1& form);
    void Changed();
    void Capture();
    void Restore(const takeoff::ItemRecord& record);
    void UpdateMark();

    TForm1& form_;
    takeoff::ItemRecord file_; // what the file holds for the item on screen
    std::vector<takeoff::ItemRecord> states_;
    std::size_t index_ = 0;
    bool restoring_ = false;
    bool modified_ = false;
    QTimer step_;
    QTimer mark_;
};

// The window's caption without the modified mark's placeholder: what the
// statements name the project by.
QString ProjectCaption(const TForm1& form);
