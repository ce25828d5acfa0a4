// The project summary: every item calculated on a window of its own, and
// the menu command that shows the result.
#include "SummaryRun.h"

#include "Error.h"
#include "PrnSys.h"
#include "SummaryForm.h"
#include "Takeoff.h"
#include "main1.h"

#include <QApplication>
#include <QDir>
#include <utility>

namespace {

QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// Keeps what the window says, item by item, and lets the run go on. Questions
// are answered OK, as the command-line program answers them.
class Collector : public yoheki::Dialogs {
  public:
    void message(const QString& text) override { texts << text; }
    bool question(const QString& text, Icon) override {
        texts << text;
        return true;
    }
    std::optional<QString> input(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    std::optional<QString> openFile(const yoheki::OpenFileRequest&) override {
        return std::nullopt;
    }
    bool printerSetup(QPrinter&) override { return false; }

    QStringList Take() { return std::exchange(texts, {}); }

  private:
    QStringList texts;
};

// Opening a project moves to its folder; the user's window stays where it was.
class KeepCurrentDir {
  public:
    KeepCurrentDir() : dir_(QDir::currentPath()) {}
    ~KeepCurrentDir() { QDir::setCurrent(dir_); }

  private:
    QString dir_;
};

int ModeOf(const TForm1& f) {
    return f.B1->isChecked() ? 2 : f.U2->isChecked() ? 3 : 1;
}

// The screen's item, calculated as "演算実行(&D)" would calculate it.
summary::Item FromScreen(const ScreenItem& screen, Collector& dialogs) {
    engine::Snapshot s = screen.snapshot;
    s.Q1 = true;  // as in the continuous output
    s.D2 = false; // no summary box
    summary::Item item{screen.name, s.B1 ? 2 : s.U2 ? 3 : 1, std::nullopt, {}};
    try {
        const auto out = engine::Calculate(s, [&dialogs](const std::string& text) {
            dialogs.message(QString::fromStdString(text));
        });
        if (out) {
            item.quantities = out->quantities;
            item.findings = checks::CheckItem(s, *out);
        }
    } catch (const yoheki::Error& e) {
        dialogs.message(U(e.what()));
    }
    item.messages = dialogs.Take();
    return item;
}

} // namespace

ProjectRun CalculateProject(const QString& path, const QString& settingsDir,
                            const std::optional<ScreenItem>& screen) {
    KeepCurrentDir keep;
    Collector dialogs;
    TForm2 form2;
    TForm1 form(dialogs, QStringList());
    form.Attach(&form2, nullptr);
    ProjectStore::Of(form).SetReadOnly(true);
    form.SettingsDir = settingsDir;
    OpenProject(form, path);
    form.Q1->setChecked(true);
    ProjectRun run;
    run.notes = dialogs.Take();
    ForEachItem(form, [&](int, const QString& name, const std::optional<engine::CalcOutput>& out) {
        if (screen && name == screen->name) {
            dialogs.Take();
            run.items.push_back(FromScreen(*screen, dialogs));
            return;
        }
        summary::Item item{name, out ? out->quantities.mode : ModeOf(form), std::nullopt, {}};
        if (out) {
            item.quantities = out->quantities;
            item.findings = checks::CheckItem(form.TakeSnapshot(), *out);
        }
        item.messages = dialogs.Take();
        run.items.push_back(std::move(item));
    });
    return run;
}

void TForm1::S4Click() {
    if (CurrentProject.isEmpty() || ComboBox1->count() == 0)
        return dialogs.message(U("集計する拾いがありません"));
    std::optional<ScreenItem> screen;
    if (const QString name = ItemOnScreen(*this); !name.isEmpty())
        screen = ScreenItem{name, TakeSnapshot()};
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ProjectRun run = CalculateProject(CurrentProject, SettingsDir, screen);
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
    form->SetTable(std::move(table), CurrentProject);
    form->show();
    form->raise();
    form->activateWindow();
}
