#pragma once
// The main window's side of take-off management: the project file kept open
// between item switches, moving items between the controls and the file, the
// calculation of the item on screen and the text output. Everything that needs
// no window (reading and writing items, runs over a project, the output's
// bytes) is the take-off core's; these functions only fill and read controls.
#include "Calc.h"
#include "ItemRecord.h"
#include "FileLock.h"
#include "ProjectFile.h"
#include "TextFile.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

class TForm1;

// State of the window's take-off management that outlives one handler. It
// lives as a child object of the main window and goes with it.
class ProjectStore : public QObject {
    Q_OBJECT
  public:
    explicit ProjectStore(QObject* parent) : QObject(parent) {}
    static ProjectStore& Of(TForm1& form);
    static bool ReadOnly(const TForm1& form);

    ProjectFile project;
    // The text file chosen last for text output; the dialog offers it again.
    QString textFileName;
    // No file is written: neither the project file nor the settings file
    // (a project another program has open, opened read-only).
    void SetReadOnly(bool on) { readOnly = project.readOnly = on; }
    bool readOnly = false;
    // The bar rate of the item on screen while the reinforcement calculation
    // hides and empties its field.
    QString keptBarRate;
    // This program's note beside the open project saying who has it open.
    std::unique_ptr<yoheki::InUseMark> inUse;
    // What the screen held when the statement list was last filled by a run.
    std::optional<engine::Snapshot> lastRun;
    // The count of the item on screen while its field holds no valid count.
    int keptCount = 1;
};

// ---- items (items.cpp) ----

// The item as the controls hold it, for saving.
takeoff::ItemRecord ScreenRecord(const TForm1& form);
// Puts `record` on the screen as loading an item does (for undo and redo).
void ShowScreenRecord(TForm1& form, const takeoff::ItemRecord& record);
// ListOutPut that tells whether the item reached the file. A failed save is
// reported; the file keeps its previous content, the screen its values.
bool SaveItem(TForm1& form, const QString& section, const QString& path);
// The same, telling a failure from the estimator's cancel at the question
// which of two programs' changes to keep.
enum class SaveResult { Saved, Failed, Cancelled };
SaveResult TrySaveItem(TForm1& form, const QString& section, const QString& path);
// The name of the item whose data is on screen: the text of ComboBox1 when
// it names an item, else the item at the remembered index; empty when the
// project has no items.
QString ItemOnScreen(const TForm1& form);
// Puts the dimensions, count, group and remark of `record` into the form.
void ShowOnScreen(TForm1& form, const takeoff::ItemRecord& record);
// Selects item `index` of ComboBox1, remembers it and loads it.
void ShowItem(TForm1& form, int index);
// What keeps `name` from being an item name (the section header of the
// project file must hold it unchanged), as a message; empty when it is fine.
QString NameProblem(const QString& name, const QStringList& items);
// Opens the project at `path` (with its extension): caption, settings file,
// empty screen, then the items of the file, or a new empty file.
void OpenProject(TForm1& form, const QString& path);
// The section names of the project file, in file order.
QStringList ProjectItems(TForm1& form, const QString& path);
// Keeps the item's fields disabled while the item list is empty.
void FollowItemCount(TForm1& form);

// ---- many items (ItemCommands.cpp) ----

// The item list read again from the file, `shown` selected as on screen;
// the item table follows.
void RefreshItemList(TForm1& form, const QString& shown);
// Shows the item `name`, saving the one on screen first; false when that
// save failed (the screen then keeps its item).
bool SwitchToItem(TForm1& form, const QString& name);
// 複写: copies under "名前 (2)", each after its original; the first copy
// comes on screen.
void DuplicateItems(TForm1& form, const QStringList& names);
// Renames in place under the rules of adding; false (after the message) when refused.
bool RenameItem(TForm1& form, const QString& from, const QString& to);
// Moves up (-1) or down (+1) one place; the order of the file changes.
void MoveItems(TForm1& form, const QStringList& names, int delta);
void ReorderItems(TForm1& form, const QStringList& order);
// Asks, naming the items, and deletes them in one save.
void DeleteItems(TForm1& form, const QStringList& names);

// ---- calculation and text output (run.cpp, TextOutput.cpp) ----

// The calculation of the structure mode on screen. True when the statement
// list was replaced; false when the run stopped (its messages were shown).
bool CalculateItem(TForm1& form);
// The same run, handing back its statement and quantities; nothing when it
// stopped.
std::optional<engine::CalcOutput> CalculateOnScreen(TForm1& form);
// Brings the statement list to the screen as it is before an output of the
// item on screen: when nothing was run, or the screen changed since the last
// run, "演算実行(&D)" runs first, with its messages and checks. False when
// there is no statement of the screen to output (the run stopped).
bool StatementOfScreen(TForm1& form);

// Lines a single-item text output writes from a statement: the heading block
// and the quantity lines, without the eight drawing labels.
QStringList SingleOutputLines(const QStringList& statement);
// The closing line that ends every text output.
QString ClosingLine();
// The bytes of one text output as "ﾃｷｽﾄ出力(&T)" writes them: every item of
// the project file in turn when "連続Text出力(&Q)" is checked (calculated
// without loading them onto the screen), else the statement on hand; then
// the closing line. Throws yoheki::EncodingError before anything is written.
// What the runs said is gathered in `said`, item by item.
class OutputMessages;
QByteArray ComposeTextOutput(TForm1& form, OutputMessages& said);
// The lines as bytes, each ended with CR LF: CP932 (throws
// yoheki::EncodingError for a character it cannot hold) or UTF-8.
QByteArray EncodeTextOutput(const QStringList& lines, bool utf8 = false);
