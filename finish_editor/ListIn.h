#pragma once
// The standard-finish editor: the ten front, back and top finishes of the
// settings file, edited and stored back.
#include "Dialogs.h"

#include <QMainWindow>
#include <QStringList>
#include <array>
#include <functional>

class QAction;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;

class TLI_Menu : public QMainWindow {
    Q_OBJECT
  public:
    explicit TLI_Menu(yoheki::Dialogs& dialogs, QWidget* parent = nullptr);

    // The main window, shown again when the editor closes.
    void SetMainWindow(QWidget* main) { mainWindow_ = main; }
    // Called after registering, to refill the main window's three finish lists.
    std::function<void(const QStringList& front, const QStringList& back, const QStringList& top)>
        RefreshLists;
    // Called after the editor has closed (the main window then resets and reloads).
    std::function<void()> Closed;

    // Controls, named as on the form.
    QLabel* Label1;        // "front" caption over ListBox1
    QLabel* Label2;        // "top" caption over ListBox3
    QLabel* Label3;        // "back" caption over ListBox2
    QLabel* Label4;        // which list the entry being edited belongs to
    QLabel* Label5;        // never shown: index of the entry being edited
    QLabel* Label6;        // caption of the reserved list
    QListWidget* ListBox1; // front finishes
    QListWidget* ListBox2; // back finishes
    QListWidget* ListBox3; // top finishes
    QListWidget* ListBox4; // reserved, disabled and empty
    QLineEdit* Edit1;      // the text of the entry being edited
    QMenu* FILEF1;
    QAction* S1; // register and close
    QAction* Q1; // abandon and close

    // Fills the three lists from the settings file. When the file is missing
    // or unreadable, tells the user and closes the window; returns false then.
    bool EsttIn(const QString& fileName);
    // Writes the three lists into the settings file. A failure is shown to the
    // user, leaves the file as it was and returns false.
    bool EsttOut(const QString& fileName);

    void FormShow();
    void ListBox1Click();
    void ListBox2Click();
    void ListBox3Click();
    void Edit1KeyPress(QChar key);
    void S1Click();
    void Q1Click();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildControls();
    void BuildMenu();
    void LayOut();
    void ConnectHandlers();
    void ListBoxClick(int kind);
    QListWidget* ListFor(int kind) const;
    void SetEditorVisible(bool visible);
    bool ReadLists(const QString& fileName, std::array<QStringList, 3>& lists);
    void FillLists(const std::array<QStringList, 3>& lists);
    void RefreshMainWindow(const QString& fileName);
    void FormCloseQuery(bool& canClose);
    void CloseSoon();
    QString MissingFileText() const;

    yoheki::Dialogs& dialogs_;
    QWidget* mainWindow_ = nullptr;
};
