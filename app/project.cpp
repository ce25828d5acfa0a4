// The project: choosing or creating the project file, and adding, deleting
// and switching its take-off items.
#include "main1.h"

#include "Cp932.h"
#include "Error.h"
#include "IniFile.h"
#include "ItemOps.h"
#include "ItemTable.h"
#include "Settings.h"
#include "ItemTexts.h"
#include "Project.h"
#include "ProjectCheck.h"
#include "PrnSys.h"
#include "Takeoff.h"
#include "UT_CLDir.h"
#include "PathBytes.h"
#include "FileMenu.h"
#include "UndoStack.h"
#include "Utf8.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace itemtext;

namespace {

QString Q(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

void ClearStatement(TForm1& f) {
    if (f.Form2)
        f.Form2->SetLines({});
}

// The length in characters of the file's first line.
int FirstLineLength(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    QByteArray line = file.readLine();
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    return static_cast<int>(
        Q(yoheki::cp932::Decode(std::string_view(line.constData(), line.size()))).size());
}

// The project is recorded in the settings file read at start-up (else the one
// of the settings directory), so the next start opens it again; the project's
// folder then stays current.
void RecordProject(TForm1& f, const QString& path) {
    if (!ProjectStore::ReadOnly(f)) {
        const QString settings = f.SettingsFile.isEmpty()
                                     ? QDir(f.SettingsDir).filePath(U(takeoff::kSettingsFile))
                                     : f.SettingsFile;
        try {
            yoheki::IniFile ini(yoheki::PathBytes(settings));
            takeoff::WriteProject(ini, path.toStdString());
            ini.UpdateFile();
        } catch (const yoheki::Error& e) {
            f.dialogs.message(U(e.what()));
        }
    }
    QDir::setCurrent(QFileInfo(path).absolutePath());
}

// A new or empty project shows the empty wall screen.
void ShowEmptyProject(TForm1& f) {
    f.CB_Set_off();
    f.EquBase();
    f.Ditch();
}

bool CreateEmptyFile(TForm1& f, const QString& path) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return true;
    f.dialogs.message(U("物件ファイル【") + QDir::toNativeSeparators(path) +
                      U("】を作成できません\n\r") + file.errorString());
    return false;
}

} // namespace

// ---------------------------------------------------------------- store

ProjectStore& ProjectStore::Of(TForm1& form) {
    if (auto* store = form.findChild<ProjectStore*>(QString(), Qt::FindDirectChildrenOnly))
        return *store;
    return *new ProjectStore(&form);
}

bool ProjectStore::ReadOnly(const TForm1& form) {
    const auto* store = form.findChild<ProjectStore*>(QString(), Qt::FindDirectChildrenOnly);
    return store && store->readOnly;
}

QString ItemOnScreen(const TForm1& f) {
    const int byText = f.ComboBox1->findText(f.ComboBox1->currentText());
    if (byText >= 0)
        return f.ComboBox1->itemText(byText);
    if (f.RememberedIndex >= 0 && f.RememberedIndex < f.ComboBox1->count())
        return f.ComboBox1->itemText(f.RememberedIndex);
    return QString();
}

void ShowItem(TForm1& f, int index) {
    f.ComboBox1->setCurrentIndex(index);
    // The text may have been set alone while the index stayed (see the
    // continuous text output).
    if (f.ComboBox1->currentText() != f.ComboBox1->itemText(index))
        f.ComboBox1->setEditText(f.ComboBox1->itemText(index));
    f.RememberedIndex = index;
    f.ListInput(f.ComboBox1->itemText(index), f.CurrentProject);
    if (f.Items)
        f.Items->SelectScreenItem();
}

QStringList ProjectItems(TForm1& f, const QString& path) {
    QStringList items;
    try {
        const yoheki::IniFile& ini =
            ProjectStore::Of(f).project.Open(yoheki::PathBytes(path));
        // A file that is no project lists no items; items holding bytes that
        // are not CP932 text are named once, so the estimator knows where to
        // look (they keep their bytes when saved).
        const yoheki::ProjectCheck check = yoheki::CheckProject(ini);
        if (check.kind == yoheki::ProjectCheck::Kind::NotProject) {
            f.dialogs.message(Q(check.messages.front()));
            return items;
        }
        if (!check.messages.empty()) {
            QStringList said;
            for (const std::string& m : check.messages)
                said << Q(m);
            f.dialogs.message(said.join(U("\n\r")));
        }
        for (const std::string& name : ini.ReadSections())
            items << Q(name);
    } catch (const yoheki::Error& e) {
        f.dialogs.message(U(e.what()));
    }
    return items;
}

QString NameProblem(const QString& name, const QStringList& items) {
    std::vector<std::string> names;
    for (const QString& item : items)
        names.push_back(item.toStdString());
    return Q(takeoff::NameProblem(name.toStdString(), names));
}

// ---------------------------------------------------------------- project

namespace {

// The project dialog: the chosen project with its extension, made as an
// empty file when it is new; nothing when the dialog was cancelled.
std::optional<QString> ChooseProject(TForm1& f) {
    yoheki::OpenFileRequest request;
    request.title = U(kProjectTitle);
    request.filter = U(kProjectFilter);
    request.initialDir = f.CurrentProject.isEmpty()
                             ? QDir::currentPath()
                             : Q(yoheki::FolderOf(f.CurrentProject.toStdString()));
    request.fileName = U(kPresetName);
    request.allowNonExisting = true;
    for (;;) {
        const auto chosen = f.dialogs.openFile(request);
        if (!chosen)
            return std::nullopt;
        QString path = *chosen;
        if (!path.endsWith(U(kProjectExt), Qt::CaseSensitive))
            path += U(kProjectExt);
        if (QFileInfo::exists(path))
            return path;
        f.dialogs.message(U(kCreate1) + QDir::toNativeSeparators(QFileInfo(path).absolutePath()) +
                          U(kCreate2) + Q(yoheki::BareName(path.toStdString())) + U(kCreate3));
        // A folder that refuses the file leaves nothing to work in: ask again.
        if (CreateEmptyFile(f, path))
            return path;
    }
}

} // namespace

void TForm1::SelectProject() {
    const auto path = ChooseProject(*this);
    if (!path) {
        dialogs.message(U(kEndMessage));
        Terminate();
        return;
    }
    OpenProject(*this, *path);
}

// From the menu, the item on screen is saved before another project replaces
// it, and cancelling keeps the open project (only at start-up, with nothing
// open, does a cancelled choice end the program).
void TForm1::F1Click() {
    if (CurrentProject.isEmpty())
        return SelectProject();
    if (!SaveItem(*this, ItemOnScreen(*this), CurrentProject))
        return;
    if (const auto path = ChooseProject(*this))
        OpenProject(*this, *path);
}

// Another program that has the project open is named; the estimator may
// open it read-only. Saves are merged under a lock either way, so opening it
// for editing loses nothing.
void MarkInUse(TForm1& f, const QString& path) {
    ProjectStore& store = ProjectStore::Of(f);
    store.inUse.reset();
    store.project.readOnly = store.readOnly;
    if (store.readOnly)
        return;
    const std::string file = yoheki::PathBytes(path);
    if (const auto other = yoheki::InUseMark::Other(file)) {
        const int chosen = f.dialogs.choose(
            U("物件【") + Q(yoheki::BareName(path.toStdString())) + U("】は【") + Q(other->user) +
                U("】さんが【") + Q(other->machine) + U("】で") + Q(other->since) +
                U("から開いています\n\r読み取り専用で開きますか？\n\r（編集して開いても、"
                  "保存のときに両方の変更がまとめられます）"),
            {U("読み取り専用で開く"), U("編集して開く")}, yoheki::Dialogs::Icon::Warning);
        store.project.readOnly = chosen == 0;
    }
    if (!store.project.readOnly)
        store.inUse = std::make_unique<yoheki::InUseMark>(file);
}

void OpenProject(TForm1& f, const QString& path) {
    MarkInUse(f, path);
    f.ComboBox1->clear();
    f.RememberedIndex = 0;
    f.CurrentProject = path;
    f.setWindowTitle(U(kCaptionPrefix) + Q(yoheki::BareName(path.toStdString())));
    RecordProject(f, path);
    f.ActList();
    if (FirstLineLength(path) <= 2) {
        f.Label21->setText(QStringLiteral("1"));
        ShowEmptyProject(f);
    } else {
        f.ComboBox1->AddItems(ProjectItems(f, path));
        if (f.ComboBox1->count() > 0)
            ShowItem(f, 0);
    }
    f.Button3->setVisible(f.ComboBox1->count() > 0);
    ItemHistory::Of(f).Loaded();
    RememberRecentProject(f, path);
    if (f.Items) {
        f.Items->Model()->Reload();
        f.Items->SelectScreenItem();
    }
}

// ---------------------------------------------------------------- items

void TForm1::ComboBox1DropDown() {
    ClearStatement(*this);
    if (ComboBox1->currentIndex() >= 0)
        RememberedIndex = ComboBox1->currentIndex();
}

// Typed text that names an item selects it as a choice from the list would;
// other text changes nothing until an item is added under it, so that no
// screen is ever saved over an item it does not show.
void TForm1::ComboBox1Change() {
    const int index = ComboBox1->findText(ComboBox1->currentText());
    if (index < 0 || index == RememberedIndex)
        return;
    if (RememberedIndex >= 0 && RememberedIndex < ComboBox1->count() &&
        !SaveItem(*this, ComboBox1->itemText(RememberedIndex), CurrentProject)) {
        ComboBox1->setCurrentIndex(RememberedIndex); // the screen still shows that item
        return;
    }
    ShowItem(*this, index);
}

// The three finish lists are parallel: the n-th front finish goes with the
// n-th top finish. Typed text has no index, which empties the top finish.
void TForm1::ComboBox2Change() {
    const int index = ComboBox2->currentIndex();
    const bool chosen = index >= 0 && ComboBox2->itemText(index) == ComboBox2->currentText();
    ComboBox4->setCurrentIndex(chosen ? index : -1);
    if (!chosen)
        ComboBox4->setEditText(QString());
}

void TForm1::Button4Click() {
    const auto name = dialogs.input(U(kAddCaption), U(kAddPrompt), QString());
    if (!name || name->isEmpty())
        return;
    QStringList items;
    for (int i = 0; i < ComboBox1->count(); ++i)
        items << ComboBox1->itemText(i);
    if (const QString problem = NameProblem(*name, items); !problem.isEmpty())
        return dialogs.message(problem);
    ClearStatement(*this);
    const int previous = items.indexOf(ItemOnScreen(*this));
    if (previous >= 0 && !SaveItem(*this, items[previous], CurrentProject))
        return;
    if (items.contains(*name))
        return;
    // The new item is made after the one on screen: its structure,
    // conditions and finishes, no dimensions.
    const std::optional<takeoff::ItemRecord> current =
        previous >= 0 ? std::optional(ScreenRecord(*this)) : std::nullopt;
    ActList();
    try {
        const takeoff::ItemRecord blank = ScreenRecord(*this);
        takeoff::AddItem(ProjectStore::Of(*this).project, yoheki::PathBytes(CurrentProject),
                         name->toStdString(), current ? takeoff::NewItemLike(*current, blank) : blank);
    } catch (const yoheki::Error& e) {
        // Refused (another program added the name meanwhile) or not written:
        // back to the item before.
        dialogs.message(U(e.what()));
        if (previous >= 0)
            ShowItem(*this, previous);
        return;
    }
    ComboBox1->addItem(*name);
    ComboBox1->setCurrentIndex(ComboBox1->count() - 1);
    RememberedIndex = ComboBox1->count() - 1;
    ListInput(*name, CurrentProject);
    if (ComboBox1->count() > 1)
        Button3->show();
    if (Items) {
        Items->Model()->Reload();
        Items->SelectScreenItem();
    }
    REdit1->setFocus(Qt::OtherFocusReason); // the new item's dimensions come next
    REdit1->selectAll();
}

void TForm1::Button3Click() {
    const int index = ComboBox1->currentIndex();
    const QString named = index >= 0 ? U("拾い【") + ComboBox1->itemText(index) + U("】を削除します\n\r")
                                     : QString();
    if (!dialogs.question(named + U(kDeleteQuestion), yoheki::Dialogs::Icon::Warning))
        return;
    if (index < 1)
        return; // the first item is never deleted
    ClearStatement(*this);
    try {
        takeoff::DeleteItem(ProjectStore::Of(*this).project,
                            yoheki::PathBytes(CurrentProject),
                            ComboBox1->itemText(index).toStdString());
    } catch (const yoheki::Error& e) {
        dialogs.message(U("拾い【") + ComboBox1->itemText(index) +
                        U("】を削除できませんでした\n\r") + U(e.what()));
        return;
    }
    ComboBox1->removeItem(index);
    ComboBox1->setCurrentIndex(0);
    RememberedIndex = 0;
    ActList();
    ListInput(ComboBox1->itemText(0), CurrentProject);
    Button3->setVisible(ComboBox1->count() >= 2);
    if (Items) {
        Items->Model()->Reload();
        Items->SelectScreenItem();
    }
}
