// The project summary: every item calculated on a window of its own, and
// the menu command that shows the result.
#include "SummaryRun.h"

#include "Error.h"
#include "SummaryForm.h"
#include "Takeoff.h"
#include "main1.h"
#include "Utf8.h"

#include <QApplication>

void TForm1::S4Click() {
    if (CurrentProject.isEmpty() || ComboBox1->count() == 0)
        return dialogs.message(U("集計する拾いがありません"));
    std::optional<ScreenItem> screen;
    if (const QString name = ItemOnScreen(*this); !name.isEmpty())
    {
        const takeoff::ItemRecord record = ScreenRecord(*this);
        screen = ScreenItem{name, TakeSnapshot(), record.count, QString::fromStdString(record.group),
                            QString::fromStdString(record.remark)};
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ProjectRun run = CalculateProject(CurrentProject, screen);
    QApplication::restoreOverrideCursor();
    if (run.items.empty())
        return dialogs.message(run.notes.isEmpty() ? U("集計する拾いがありません")
                                                   : run.notes.join(U("\n\r")));
    summary::Table table;
    try {
        table = summary::Summarize(std::move(run.items));
    } catch (const yoheki::Error& e) {
        return dialogs.message(U("数量集計を中止しました\n\r") + U(e.what()));
    }
    auto* form = findChild<TSummaryForm*>(QString(), Qt::FindDirectChildrenOnly);
    if (!form)
        form = new TSummaryForm(dialogs, this);
    if (screen)
        form->SetScreenItem(compare::ScreenEdit{screen->name, ScreenRecord(*this)});
    else
        form->SetScreenItem(std::nullopt);
    form->SetTable(std::move(table), CurrentProject);
    form->show();
    form->raise();
    form->activateWindow();
}
