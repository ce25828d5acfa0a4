// Start-up, activation and shut-down of the main window.
#include "main1.h"

#include "FirstStart.h"
#include "ItemTable.h"
#include "ItemTexts.h"
#include "Takeoff.h"
#include "UT_CLDir.h"
#include "Utf8.h"

#include <QFileInfo>
#include <utility>

using namespace itemtext;

void TForm1::FormCreate() {
    for (QAction* menu : {S3, B1, U2, N32, N29, Q1, E1, A2})
        menu->setVisible(true);
    N30->setVisible(false);
    FileE1->setVisible(false);
    ActList();
    const QString argument = Args.value(0);
    if (argument == QLatin1String(kTestMode)) {
        N30->setVisible(true);
        FileE1->setVisible(true);
    } else if (IsProjectArgument(argument)) {
        // A project opened from the file manager; the start may yet change folder.
        ArgumentProject = QFileInfo(argument).absoluteFilePath();
    } else if (!argument.isEmpty()) {
        dialogs.message(U(kBadArgument));
        TerminateNow();
    }
}

void TForm1::FormActivate() {
    Label21->setText(QStringLiteral("1"));
    if (ComboBox2->count() > 0) {
        ActList();
    } else {
        if (!PrepareSettings(*this) || !EsttIn(U(kSettingsFile)))
            return; // the program is ending
        // The screen was built before the drawing folder was known: its
        // drawing comes now, or a wall item loaded next would show none.
        ShowModeDrawing();
        if (!ArgumentProject.isEmpty())
            OpenProject(*this, std::exchange(ArgumentProject, QString()));
        else if (CurrentProject.isEmpty() || !QFileInfo(CurrentProject).isFile())
            SelectProject();
        if (terminated)
            return;
    }
    const bool listed = ComboBox1->count() == 0;
    if (listed) {
        ComboBox1->AddItems(ProjectItems(*this, CurrentProject));
        if (ComboBox1->count() > 0)
            ComboBox1->setCurrentIndex(0);
        RememberedIndex = 0;
        setWindowTitle(U(kCaptionPrefix) +
                       QString::fromStdString(yoheki::BareName(CurrentProject.toStdString())));
    }
    // Text typed into the item box that names no item must not become the
    // name the screen is loaded and later saved under.
    const QString item = ItemOnScreen(*this);
    ComboBox1->setEditText(item);
    ListInput(item, CurrentProject);
    Button3->setVisible(ComboBox1->count() >= 1);
    if (listed && Items) { // the project recorded last: its items in the table too
        Items->Model()->Reload();
        Items->SelectScreenItem();
    }
}

bool TForm1::FormClose() {
    const QString item = ItemOnScreen(*this);
    switch (TrySaveItem(*this, item, CurrentProject)) {
    case SaveResult::Cancelled:
        return false;
    case SaveResult::Failed:
        // The failure was shown; the edit is still on screen.
        if (!dialogs.question(U("拾い【") + item +
                                  U("】の変更は保存されていません\n\r保存せずに終了しますか？"
                                    "（キャンセルで画面に戻ります）"),
                              yoheki::Dialogs::Icon::Warning))
            return false;
        break;
    case SaveResult::Saved:
        break;
    }
    if (!ProjectStore::ReadOnly(*this))
        WriteFactoryDefaults();
    ProjectStore::Of(*this).inUse.reset();
    return true;
}
