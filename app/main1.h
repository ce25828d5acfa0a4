#pragma once
// The main window: the controls of one take-off item, the menus of the
// estimating conditions, the structure mode and the commands.
//
// The controls are the only in-memory form of the item on screen, so they are
// public under their designer names; the handlers and methods are spread over
// the files of this folder by concern:
//   main1.cpp       construction, menus, signal wiring, help messages
//   conditions.cpp  condition setters, settings file (EsttIn, defaults)
//   modes.cpp       structure-type switching and the drawings
//   liveview.cpp    the statement pane beside the fields, the resizable window
//   panels.cpp      check boxes, block and reinforcement panels, pitch keys
//   items.cpp       take-off item, project file, item switching
//   ItemCommands.cpp copying, renaming, moving and deleting items
//   ItemTable.cpp   the item table (拾い一覧) docked below the form
//   run.cpp         calculation run, text output, flags
//   SummaryRun.cpp  the project quantity summary (S4Click)
//   lifecycle.cpp   start-up, activation and shut-down
//   FirstStart.cpp  where the settings file of a start comes from
//   printing.cpp    printing commands
//   editorlink.cpp  opening the standard-finish editor
#include "ComboBox.h"
#include "PrnSys.h"
#include "QtDialogs.h"
#include "REdit.h"
#include "RadioGroup.h"
#include "Dxf.h"
#include "Snapshot.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QPixmap>
#include <QPushButton>
#include <QRect>
#include <QStringList>
#include <array>
#include <initializer_list>
#include <vector>

class TForm2;
class TLI_Menu;
class QKeyEvent;
class QSplitter;
class LivePane;
class ItemTableDock;
class QLineEdit;

class TForm1 : public QMainWindow {
    Q_OBJECT
  public:
    // Builds the controls and menus, wires the signals and runs FormCreate.
    TForm1(yoheki::Dialogs& dialogs, QStringList args, QWidget* parent = nullptr);
    ~TForm1() override;

    // The statement form and the finish editor, created after the main window.
    void Attach(TForm2* form2, TLI_Menu* liMenu);
    TForm2* Form2 = nullptr;
    TLI_Menu* LI_Menu = nullptr;

    // ---- program-wide state ----
    QString CurrentProject;  // full path of the open .Fa1 file
    QString SettingsDir;     // folder of the drawings ("TF" of the settings file)
    QString SettingsFile;    // full path of the settings file read at start-up
    QString ArgumentProject; // project named on the command line, opened at start-up
    int RememberedIndex = 0; // index in ComboBox1 of the item whose data is on screen
    QStringList Args;        // program arguments after the program name

    // ---- controls ----
    QLabel* Image1;
    QLabel* Image2;
    TComboBox* ComboBox1;
    TComboBox* ComboBox2;
    TComboBox* ComboBox3;
    TComboBox* ComboBox4;
    TREdit *REdit1, *REdit2, *REdit3, *REdit4, *REdit5, *REdit6, *REdit7, *REdit8, *REdit9;
    TREdit *REdit10, *REdit11, *REdit12, *REdit13, *REdit14, *REdit15, *REdit16, *REdit17, *REdit18;
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7, *Label8, *Label9;
    QLabel *Label10, *Label11, *Label12, *Label13, *Label14, *Label15, *Label16, *Label17, *Label18,
        *Label19, *Label20;
    QLabel* Label21; // hidden: structure mode of the screen, "1" / "2" / "3"
    QLabel* StaticText1;
    QLabel* StaticText2;
    QCheckBox *CheckBox1, *CheckBox2, *CheckBox3, *CheckBox5, *CheckBox6;
    QPushButton *Button1, *Button2, *Button3, *Button4;
    TRadioGroup *RG_BL, *RG_HL, *RG_TL, *RG_YL;
    QLabel *YH_H, *YH_U, *YH_T; // hidden: wall finishes while the block panel is open
    QLabel *CB_H, *CB_U, *CB_T; // hidden: block finish store
    // The item's count (箇所数), group (区分) and remark (備考), and 複写.
    QLabel *CountLabel, *GroupLabel, *RemarkLabel;
    TREdit* CountEdit;
    QLineEdit *GroupEdit, *RemarkEdit;
    QPushButton* Button5;
    // 拾い一覧: every item of the project as a table the user can hide.
    ItemTableDock* Items = nullptr;
    QAction *MoveUp1, *MoveDown1; // Alt+Up, Alt+Down: move the item (or the table's rows)

    // REdit<n> by number (1..18), for loops over the fields.
    TREdit* REdit(int n) const;

    // ---- menus ----
    // Each entry is a QAction under its component name; a submenu's entry is
    // its menuAction(), the QMenu itself is <name>Menu.
    QAction *File1, *F1, *N7, *Exit1;
    QAction *J1, *N1, *S1, *Y1, *N6061, *N4541;
    QAction *S2, *K3, *M2;
    QAction *N2, *N1001, *N5051, *N001;
    QAction *N3, *N4, *N5;
    QAction *K2, *N8, *H1, *U1, *R2;
    QAction *N21, *N22, *M1, *N110, *N23;
    QAction *A1, *N28, *D2;
    QAction *I1, *D1, *T1, *N6, *Print1, *A2, *PrintPreview1, *N30, *FileE1, *N33, *S4;
    QAction *S3, *B1, *U2, *N31, *N32;
    QAction *HelpH1, *R1, *N9, *HelpH2;
    QAction *J2, *N10, *N11, *N12, *N13, *N27;
    QAction *N14, *N15, *N16, *N17, *N18;
    QAction *N19, *N20, *N24, *N25, *N26;
    QAction *N29, *Q1, *E1;
    // The drawing beside the fields (表示) and the DXF output of the sections.
    QAction *V1, *SectionDrawing1, *StandardDrawing1, *DxfOut1;
    QMenu* V1Menu;
    QMenu *File1Menu, *J1Menu, *N1Menu, *S2Menu, *N2Menu, *N3Menu, *K2Menu, *N21Menu;
    QMenu *I1Menu, *S3Menu, *HelpH1Menu, *HelpH2Menu, *J2Menu, *N14Menu, *N19Menu;

    // ---- ending the program ----
    // True once the main window has closed or the program was told to end;
    // the program entry then leaves its loop.
    bool terminated = false;
    // Closes the main window the normal way (FormClose runs) and ends the program.
    void Terminate();
    // Ends the program at once, without FormClose (nothing is saved).
    void TerminateNow();

    // ---- file menu and help (main1.cpp) ----
    void Exit1Click();
    void R1Click();
    void N10Click();
    void N11Click();
    void N12Click();
    void N13Click();
    void N27Click();
    void N15Click();
    void N16Click();
    void N18Click();
    void N20Click();
    void N24Click();
    void N25Click();
    void N26Click();

    // ---- estimating conditions and settings file (conditions.cpp) ----
    enum class Cond { Ne, Ad, Nn, Sr, Sh, Ps };
    void SelectrNe(int value);
    void SelectrAd(int value);
    void SelectrNn(int value);
    void SelectrSr(int value);
    void SelectrSh(int value);
    void SelectrPs(int value);
    // The code the check marks stand for: the highest checked entry, 0 for none.
    int ConditionCode(Cond cond) const;
    void S1Click();
    void Y1Click();
    void N6061Click();
    void N4541Click();
    void N1001Click();
    void N5051Click();
    void N001Click();
    void N4Click();
    void N5Click();
    void N8Click();
    void H1Click();
    void U1Click();
    void R2Click();
    void N22Click();
    void M1Click();
    void N110Click();
    void N23Click();
    void K3Click();
    void M2Click();
    // Start-up reading of the settings file; false (after the message and the
    // end of the program) when it is missing or unreadable.
    bool EsttIn(const QString& fileName);
    void N32Click();
    // Section "Default" of the settings file in the current directory, applied
    // through the setters (factory values for what is missing). Part of ActList.
    void ReadDefaults();
    // Section "Default" reset to the factory values. Part of FormClose.
    void WriteFactoryDefaults();

    // ---- structure-type switching (modes.cpp) ----
    void EquBase();
    void Ditch();
    void B1Click();
    void U2Click();
    // Loads drawing `name` from SettingsDir (else the delivered one) into
    // Image1; empty on failure.
    void LoadDrawing(const QString& name);

    // Loads the drawing of the structure mode the check marks hold.
    void ShowModeDrawing();

    // ---- statement pane and window layout (liveview.cpp, LivePane.cpp) ----
    // The statement of the item on screen, worked out silently after edits.
    LivePane* Live = nullptr;
    // The fields' area and the pane side by side; the pane may be closed.
    QSplitter* LiveSplitter = nullptr;

    // ---- check boxes and panels (panels.cpp) ----
    void CheckBox1Click();
    void CheckBox2Click();
    void CheckBox3Click();
    void Button1Click();
    void Button2Click();
    void CB_Set_on();
    void CB_Set_off();
    // Key handling of the pitch fields; a key set to 0 is consumed.
    void REdit12KeyPress(QChar& key);
    void REdit13KeyPress(QChar& key);
    void REdit14KeyPress(QChar& key);
    void REdit15KeyPress(QChar& key);
    bool BlockPanelOpen() const;
    bool RebarPanelOpen() const;
    // Closes whichever panel is open, so that its controls are not left over a
    // screen or an item they do not belong to.
    void CloseOpenPanel();

    // ---- take-off item and project file (items.cpp) ----
    void ListInput(const QString& section, const QString& path);
    void ListOutPut(const QString& section, const QString& path);
    void ActList();
    void SelectProject();
    void F1Click();
    void ComboBox1DropDown();
    void ComboBox1Change();
    void ComboBox2Change();
    void Button4Click();
    void Button3Click();
    // Enter in the name box renames the item on screen; the count field
    // refuses what is no count.
    void NameEntered();
    void CountEntered();

    // ---- calculation run and output (run.cpp) ----
    void D1Click();
    void T1Click();
    void Q1Click();
    void D2Click();
    void A1Click();
    void CalcYoH();
    void CalcSBs();
    void CalcUJS();
    engine::Snapshot TakeSnapshot() const;
    void S4Click();
    void DxfOut1Click();
    // 寸法図 (true) or 標準図, as chosen in the 表示 menu; remembered per user.
    bool SectionDrawingChosen() const;
    void ShowChosenDrawing();
    std::vector<takeoff::DxfItem> DxfItems() const;

    // ---- start-up, activation, shut-down (lifecycle.cpp) ----
    void FormCreate();
    void FormActivate();
    // False when the estimator chose to keep the window open.
    bool FormClose();

    // ---- printing (printing.cpp) ----
    void Print1Click();
    void A2Click();
    void FileE1Click();
    void PrintPreview1Click();

    // ---- standard-finish editor (editorlink.cpp) ----
    void E1Click();

    yoheki::Dialogs& dialogs;

  signals:
    void Closed(); // the main window has closed: the program ends

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildControls();
    void BuildPictures(QWidget* area);
    void BuildDimensionFields(QWidget* area);
    void BuildFinishFields(QWidget* area);
    void BuildPanelFields(QWidget* area);
    void BuildBarRows(QWidget* area);
    void NameFields();
    void BuildMenus();
    void BuildConditionMenu();
    void BuildRunMenu();
    void BuildHelpMenu();
    void BuildDrawingMenu();
    void ConnectDrawingMenu();
    void ConnectSignals();
    void BuildLiveView();
    void BuildItemFields(QWidget* area);
    void BuildItemTable();
    void ConnectLiveView();
    void ConnectMenus();
    void ConnectConditionMenus();
    void SetTabOrder();
    QAction* AddEntry(QMenu* menu, const char* caption, const char* name);
    QAction* AddSeparator(QMenu* menu, const char* name);
    QMenu* AddSubmenu(QMenu* parent, const char* caption, const char* name, QAction** entry);
    void Connect(QAction* action, void (TForm1::*handler)());

    void SelectGroup(Cond cond, int value);
    bool WallMode() const; // neither B1 nor U2
    void ShowWallScreen(const char* drawing);
    void HideModeFields(std::initializer_list<QWidget*> widgets);
    void PitchEnter(TREdit* field, TREdit* partner, QChar& key);
    void EnterMovesOn(TREdit* field, QChar& key);
    void FocusAhead(QWidget* from, int steps);

    struct LayoutRow {
        QList<QWidget*> widgets;
        QList<int> dy; // place of each widget below the row's top
        int height = 0;
        int gap = 0; // space above the row when it is shown
    };
    void AddRow(QList<LayoutRow>& column, QList<QWidget*> widgets, int height, int gap = 0);
    void BuildColumns();
    void Relayout();
    QList<LayoutRow> dimRows_, sideRows_;
    QLabel* rateUnit_ = nullptr; // unit beside the bar rate, shown with it

    QList<QWidget*> pitchTabOrder_;
    std::array<TREdit*, 19> fields_{};
    bool drawingWarned_ = false; // one message per run for an unreadable drawing
    bool skipFormClose_ = false;
};

// The object name of the watcher that keeps the fields beside a growing drawing.
inline constexpr char kAreaStretchName[] = "AreaStretch";

// Where the block panel's fields sit on the block drawing (client coordinates).
inline constexpr QRect kImageRect{12, 44, 300, 340};
inline constexpr QRect kBlockWidthField{107, 84, 70, 24};
inline constexpr QRect kBlockHeightField{222, 210, 70, 24};
// The block courses with their dimension lines, drawn for Image2.
QPixmap BlockDrawing(QSize size);

// Registers the IPA fonts under the Windows font names the window and the
// printed page ask for. Call once after the QApplication exists.
void InstallFontSubstitutes();

// Names the program "擁壁数量調書". Call once after the QApplication exists.
void NameApplication();

// The window's size, place and dividers of the last run, and keeping them for
// the next (the user's configuration folder).
void RestoreWindowState(TForm1& form);
void SaveWindowState(const TForm1& form);

// Fits a top-level window, frame included, to the available area of the
// screen it is on (the primary screen when it is on none).
void KeepOnScreen(QWidget& window);


