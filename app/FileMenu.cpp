#include "FileMenu.h"

#include "ItemTexts.h"
#include "OutputGuard.h"
#include "SameFile.h"
#include "SaveBytes.h"
#include "SummaryForm.h"
#include "Takeoff.h"
#include "UndoStack.h"
#include "main1.h"
#include "PathBytes.h"
#include "Utf8.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>
#include <QStatusBar>

namespace {

const char* const kRecentKey = "Recent/projects";

QString Native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// A chosen name with the project extension, as the project dialog adds it.
QString WithExtension(QString path) {
    if (!path.endsWith(U(itemtext::kProjectExt), Qt::CaseInsensitive))
        path += U(itemtext::kProjectExt);
    return QFileInfo(path).absoluteFilePath();
}

std::optional<QString> AskNewFile(TForm1& f, const char* title, const QString& preset) {
    yoheki::OpenFileRequest request;
    request.title = U(title);
    request.filter = U(itemtext::kProjectFilter);
    request.initialDir = QFileInfo(f.CurrentProject).absolutePath();
    request.fileName = preset;
    request.allowNonExisting = true;
    request.save = true;
    const auto chosen = f.dialogs.openFile(request);
    if (!chosen || chosen->isEmpty())
        return std::nullopt;
    return WithExtension(*chosen);
}

} // namespace

FileCommands& FileCommands::Of(TForm1& form) {
    if (auto* c = form.findChild<FileCommands*>(QString(), Qt::FindDirectChildrenOnly))
        return *c;
    return *new FileCommands(form);
}

FileCommands::FileCommands(TForm1& form) : QObject(&form), form_(form) {
    QMenu* menu = form.File1Menu;
    NewAction = new QAction(U("新規工事(&N)…"), &form);
    NewAction->setObjectName(QStringLiteral("FileNew"));
    NewAction->setShortcut(QKeySequence::New);
    NewAction->setStatusTip(U("空の物件ファイルを作って開きます"));
    menu->insertAction(form.F1, NewAction);
    form.F1->setText(U("開く(物件選択)(&O)…"));
    form.F1->setShortcut(QKeySequence::Open);
    form.F1->setStatusTip(U("物件ファイルを選んで開きます（画面の拾いは保存されます）"));
    SaveAction = new QAction(U("保存(&S)"), &form);
    SaveAction->setObjectName(QStringLiteral("FileSave"));
    SaveAction->setShortcut(QKeySequence::Save);
    SaveAction->setStatusTip(U("画面の拾いを物件ファイルに保存します"));
    SaveAsAction = new QAction(U("名前を付けて保存(&A)…"), &form);
    SaveAsAction->setObjectName(QStringLiteral("FileSaveAs"));
    SaveAsAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    SaveAsAction->setStatusTip(U("物件を別の名前で保存します（変更設計の始まりに）"));
    // Saving comes right after opening; other file commands (DXF出力) follow.
    const QList<QAction*> entries = menu->actions();
    QAction* next = entries.value(entries.indexOf(form.F1) + 1, form.N7);
    menu->insertActions(next, {SaveAction, SaveAsAction});
    if (next != form.N7)
        menu->insertSeparator(next)->setObjectName(QStringLiteral("FileSep1"));
    menu->insertSeparator(form.N7)->setObjectName(QStringLiteral("FileSep2"));
    RecentMenu = new QMenu(U("最近使った工事(&R)"), menu);
    RecentMenu->setObjectName(QStringLiteral("RecentMenu"));
    menu->insertMenu(form.N7, RecentMenu)->setObjectName(QStringLiteral("Recent1"));
    form.Exit1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(NewAction, &QAction::triggered, this, &FileCommands::NewProject);
    connect(SaveAction, &QAction::triggered, this, &FileCommands::Save);
    connect(SaveAsAction, &QAction::triggered, this, &FileCommands::SaveAs);
    FillRecentMenu();
}

bool FileCommands::SaveScreen() {
    return SaveItem(form_, ItemOnScreen(form_), form_.CurrentProject);
}

void FileCommands::Save() {
    if (ItemOnScreen(form_).isEmpty())
        return form_.dialogs.message(U("保存する拾いがありません"));
    if (SaveScreen())
        form_.statusBar()->showMessage(U("拾い【") + ItemOnScreen(form_) + U("】を保存しました"),
                                       4000);
}

void FileCommands::NewProject() {
    const auto path = AskNewFile(form_, "新規工事の作成", U("新規工事"));
    if (!path)
        return;
    if (QFileInfo::exists(*path))
        return form_.dialogs.message(U("物件ファイル【") + Native(*path) +
                                     U("】は既にあります\n\r別の名前を指定してください"));
    if (!SaveScreen())
        return;
    QFile file(*path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return form_.dialogs.message(U("物件ファイル【") + Native(*path) +
                                     U("】を作成できません\n\r") + file.errorString());
    file.close();
    OpenProject(form_, *path);
}

// The whole project under a new name, the item on screen as it stands (the
// earlier file keeps what it had, as after any Save As); the new file is the
// open project afterwards, with the same item on screen.
void FileCommands::SaveAs() {
    const QString earlier = form_.CurrentProject;
    if (earlier.isEmpty())
        return;
    const auto path = AskNewFile(form_, "名前を付けて保存",
                                 QFileInfo(earlier).completeBaseName() + U("_変更"));
    if (!path)
        return;
    if (yoheki::SameFile(yoheki::PathBytes(*path),
                         yoheki::PathBytes(earlier)))
        return form_.dialogs.message(U("開いている物件と同じファイルです\n\r別の名前を指定してください"));
    if (RefuseOutput(form_.dialogs, *path, earlier, form_.SettingsDir))
        return;
    if (QFileInfo::exists(*path) &&
        !form_.dialogs.question(U("物件ファイル【") + Native(*path) +
                                    U("】は既にあります。置き換えますか？"),
                                yoheki::Dialogs::Icon::Warning))
        return;
    QFile source(earlier);
    if (!source.open(QIODevice::ReadOnly))
        return form_.dialogs.message(U("物件ファイル【") + Native(earlier) + U("】を読めません"));
    if (const auto failed = yoheki::SaveBytes(*path, source.readAll()))
        return form_.dialogs.message(U("物件ファイル【") + Native(*path) +
                                     U("】に保存できませんでした\n\r") + *failed);
    const int item = form_.ComboBox1->currentIndex();
    if (!SaveItem(form_, ItemOnScreen(form_), *path))
        return;
    OpenProject(form_, *path);
    if (item > 0 && item < form_.ComboBox1->count())
        ShowItem(form_, item);
    if (!form_.dialogs.question(U("当初の物件【") + QFileInfo(earlier).fileName() +
                                    U("】と数量を比較しますか？"),
                                yoheki::Dialogs::Icon::Information))
        return;
    form_.S4Click();
    if (auto* summary = form_.findChild<TSummaryForm*>(QString(), Qt::FindDirectChildrenOnly))
        summary->CompareWith(earlier);
}

void FileCommands::OpenRecent(const QString& path) {
    if (!QFileInfo(path).isFile()) {
        recent_.removeAll(path);
        FillRecentMenu();
        return form_.dialogs.message(U("物件ファイル【") + Native(path) + U("】が見つかりません"));
    }
    if (!SaveScreen())
        return;
    OpenProject(form_, path);
}

void FileCommands::Remember(const QString& path) {
    const QString full = QFileInfo(path).absoluteFilePath();
    recent_.removeAll(full);
    recent_.prepend(full);
    while (recent_.size() > kRecent)
        recent_.removeLast();
    FillRecentMenu();
}

void FileCommands::FillRecentMenu() {
    RecentMenu->clear();
    for (int i = 0; i < recent_.size(); ++i) {
        const QFileInfo info(recent_[i]);
        QAction* entry = RecentMenu->addAction(
            QStringLiteral("&%1 %2　（%3）").arg(i + 1).arg(info.completeBaseName(),
                                                           Native(info.absolutePath())));
        entry->setObjectName(QStringLiteral("Recent%1").arg(i + 1));
        const QString path = recent_[i];
        connect(entry, &QAction::triggered, this, [this, path] { OpenRecent(path); });
    }
    RecentMenu->setEnabled(!recent_.isEmpty());
}

void FileCommands::ReadRecent(const QSettings& settings) {
    recent_ = settings.value(QLatin1String(kRecentKey)).toStringList().mid(0, kRecent);
    if (!form_.CurrentProject.isEmpty()) // opened before the list was read
        Remember(form_.CurrentProject);
    FillRecentMenu();
}

void FileCommands::WriteRecent(QSettings& settings) const {
    settings.setValue(QLatin1String(kRecentKey), recent_);
}

void BuildFileMenu(TForm1& form) {
    FileCommands::Of(form);
}

void RememberRecentProject(TForm1& form, const QString& path) {
    FileCommands::Of(form).Remember(path);
}
