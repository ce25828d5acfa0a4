#pragma once
// The file commands a desktop program has: a new project, opening one,
// saving the item on screen now, saving the project under a new name (the
// start of a 変更 revision, compared with the earlier file on request), and
// the five projects used last.
#include <QObject>
#include <QStringList>

class QAction;
class QMenu;
class QSettings;
class TForm1;

class FileCommands : public QObject {
    Q_OBJECT
  public:
    static FileCommands& Of(TForm1& form);
    static constexpr int kRecent = 5;

    void NewProject();
    void Save();
    void SaveAs();
    // Opens the recent project `path`; a file that is gone is said and
    // dropped from the list.
    void OpenRecent(const QString& path);

    // The project at `path` was opened: first in the list.
    void Remember(const QString& path);
    QStringList Recent() const { return recent_; }
    void ReadRecent(const QSettings& settings);
    void WriteRecent(QSettings& settings) const;

    QAction *NewAction, *SaveAction, *SaveAsAction;
    QMenu* RecentMenu;

  private:
    explicit FileCommands(TForm1& form);
    void FillRecentMenu();
    bool SaveScreen();

    TForm1& form_;
    QStringList recent_;
};

// Adds the file commands to the file menu.
void BuildFileMenu(TForm1& form);
// What OpenProject calls: the project goes to the top of the recent list.
void RememberRecentProject(TForm1& form, const QString& path);
