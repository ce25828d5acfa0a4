// Calculation run, text output and the run flags.
#include "main1.h"

#include "Calc.h"
#include "CheckView.h"
#include "Error.h"
#include "ItemTexts.h"
#include "OutputGuard.h"
#include "Lines.h"
#include "PrnSys.h"
#include "Lines.h"
#include "RunMessages.h"
#include "Runs.h"
#include "Takeoff.h"
#include "UndoStack.h"
#include "Utf8.h"

#include <QDir>

using namespace itemtext;

namespace {

// One calculation: the engine reads a snapshot of the screen; each text it
// says is shown once, after the run; only a complete run replaces the
// statement list.
std::optional<engine::CalcOutput> Run(TForm1& f, takeoff::Calculation calc) {
    const engine::Snapshot snapshot = f.TakeSnapshot();
    RunMessages said;
    const std::optional<engine::CalcOutput> out = takeoff::RunItem(snapshot, said.Sink(), calc);
    for (const QString& text : said.Digest(snapshot))
        f.dialogs.message(text);
    if (!out)
        return std::nullopt;
    if (f.Form2)
        f.Form2->SetLines(takeoff::QtLines(out->lines));
    ProjectStore::Of(f).lastRun = snapshot;
    return out;
}

std::string S(const QString& text) {
    return text.toStdString();
}

} // namespace

std::optional<engine::CalcOutput> CalculateOnScreen(TForm1& f) {
    if (f.B1->isChecked())
        return Run(f, engine::CalcSBs);
    if (f.U2->isChecked())
        return Run(f, engine::CalcUJS);
    return Run(f, engine::CalcYoH);
}

bool CalculateItem(TForm1& f) {
    return CalculateOnScreen(f).has_value();
}

void TForm1::CalcYoH() {
    Run(*this, engine::CalcYoH);
}
void TForm1::CalcSBs() {
    Run(*this, engine::CalcSBs);
}
void TForm1::CalcUJS() {
    Run(*this, engine::CalcUJS);
}

void TForm1::D1Click() {
    if (ComboBox1->currentText().isEmpty())
        return dialogs.message(U(kNoItemName));
    checkview::Show(*this, CalculateOnScreen(*this));
}

bool StatementOfScreen(TForm1& f) {
    const std::optional<engine::Snapshot>& last = ProjectStore::Of(f).lastRun;
    if (!f.Form2->Lines().isEmpty() && last && *last == f.TakeSnapshot())
        return true;
    if (f.ComboBox1->currentText().isEmpty()) {
        f.dialogs.message(U(kNoItemName));
        return false;
    }
    const std::optional<engine::CalcOutput> out = CalculateOnScreen(f);
    checkview::Show(f, out);
    return out.has_value();
}

engine::Snapshot TForm1::TakeSnapshot() const {
    engine::Snapshot s;
    for (int n = 1; n <= 18; ++n)
        s.REdit[n] = S(REdit(n)->text());
    const TComboBox* combos[] = {ComboBox1, ComboBox2, ComboBox3, ComboBox4};
    for (int n = 1; n <= 4; ++n)
        s.ComboBox[n] = S(combos[n - 1]->currentText());
    s.YH_H = S(YH_H->text());
    s.YH_U = S(YH_U->text());
    s.YH_T = S(YH_T->text());
    s.CB_H = S(CB_H->text());
    s.CB_U = S(CB_U->text());
    s.CB_T = S(CB_T->text());
    s.caption = S(ProjectCaption(*this));
    s.CheckBox1 = CheckBox1->isChecked();
    s.CheckBox2 = CheckBox2->isChecked();
    s.CheckBox3 = CheckBox3->isChecked();
    s.CheckBox5 = CheckBox5->isChecked();
    s.CheckBox6 = CheckBox6->isChecked();
    s.RG_BL = RG_BL->ItemIndex();
    s.RG_HL = RG_HL->ItemIndex();
    s.RG_TL = RG_TL->ItemIndex();
    s.RG_YL = RG_YL->ItemIndex();
    bool* marks[] = {&s.S1,  &s.Y1, &s.N6061, &s.N4541, &s.N1001, &s.N5051, &s.N001, &s.N4,
                     &s.N5,  &s.N8, &s.H1,    &s.U1,    &s.R2,    &s.N22,   &s.M1,   &s.N110,
                     &s.N23, &s.K3, &s.M2,    &s.A1,    &s.D2,    &s.Q1,    &s.B1,   &s.U2};
    const QAction* actions[] = {S1, Y1,  N6061, N4541, N1001, N5051, N001, N4, N5, N8, H1, U1,
                                R2, N22, M1,    N110,  N23,   K3,    M2,   A1, D2, Q1, B1, U2};
    for (std::size_t k = 0; k < std::size(marks); ++k)
        *marks[k] = actions[k]->isChecked();
    return s;
}

// ---------------------------------------------------------------- text output

void TForm1::T1Click() {
    if (!Q1->isChecked() && !StatementOfScreen(*this))
        return;
    ProjectStore& store = ProjectStore::Of(*this);
    yoheki::OpenFileRequest request{U(kTextTitle), U(kTextFilter), QDir::currentPath(),
                                    store.textFileName, true};
    request.save = true;
    const auto chosen = dialogs.openFile(request);
    if (!chosen)
        return;
    const QString path = TextFileName(*chosen);
    if (RefuseOutput(dialogs, path, CurrentProject, SettingsDir))
        return;
    store.textFileName = path;
    // The continuous output reads every item from the file: what was typed on
    // the screen goes there first, so it is neither lost nor left out.
    const QString onScreen = ItemOnScreen(*this);
    if (Q1->isChecked() && !SaveItem(*this, onScreen, CurrentProject))
        return;
    QByteArray bytes;
    OutputMessages said;
    try {
        bytes = ComposeTextOutput(*this, said);
    } catch (const yoheki::Error& e) {
        return dialogs.message(U("テキスト出力を中止しました（何も書き込んでいません）\n\r") +
                               U(e.what()));
    }
    if (const auto failure = AppendToFile(path, bytes))
        return dialogs.message(*failure);
    if (SaveItem(*this, ItemOnScreen(*this), CurrentProject) && ComboBox1->count() > 0)
        ShowItem(*this, 0);
    if (const QString report = said.Report(); !report.isEmpty())
        dialogs.message(report);
}

// ---------------------------------------------------------------- flags

void TForm1::Q1Click() {
    Q1->setChecked(!Q1->isChecked());
}
void TForm1::D2Click() {
    D2->setChecked(!D2->isChecked());
}

void TForm1::A1Click() {
    A1->setChecked(!A1->isChecked());
    Label20->setVisible(A1->isChecked());
    REdit17->setVisible(A1->isChecked());
    REdit17->clear();
}
