// Take-off item: ListInput copies a section of the project file into the
// controls, ListOutPut copies the controls into it, ActList empties the screen.
#include "main1.h"

#include "Error.h"
#include "ItemTexts.h"
#include "PrnSys.h"
#include "Project.h"
#include "Takeoff.h"
#include "PathBytes.h"
#include "UndoStack.h"

#include <QFile>
#include <algorithm>

namespace {

std::string S(const QString& text) {
    return text.toStdString();
}
std::string FilePath(const QString& path) {
    return yoheki::PathBytes(path);
}

void SetComboText(QComboBox* combo, const QString& text) {
    combo->setCurrentIndex(combo->findText(text));
    combo->setEditText(text);
}

// The screen switches from the mode the screen shows (Label21) to the
// item's mode.
void SwitchScreen(TForm1& f, bool base, bool ditch) {
    const bool wall = !base && !ditch;
    switch (f.Label21->text().toInt()) {
    case 1:
        if (base)
            f.EquBase();
        if (ditch)
            f.Ditch();
        break;
    case 2:
        if (wall || ditch)
            f.EquBase();
        if (ditch)
            f.Ditch();
        break;
    case 3:
        if (wall || base)
            f.Ditch();
        if (base)
            f.EquBase();
        break;
    default:
        break;
    }
}

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

void ShowDimensions(TForm1& f, const takeoff::ItemRecord& r) {
    for (int n = 1; n <= 9; ++n)
        f.REdit(n)->setText(Q(r.REdit[n]));
    SetComboText(f.ComboBox2, Q(r.front));
    SetComboText(f.ComboBox3, Q(r.back));
    SetComboText(f.ComboBox4, Q(r.top));
}

// Ticking a check box runs its click behaviour (the fields it shows or
// empties); the item's values are set after it.
void ShowPipesAndBlocks(TForm1& f, const takeoff::ItemRecord& r) {
    f.CheckBox2->setChecked(r.pipes);
    f.REdit10->setText(Q(r.REdit[10]));
    f.CheckBox3->setChecked(r.blocks);
    f.CB_H->setText(Q(r.blockFront));
    f.CB_U->setText(Q(r.blockBack));
    f.CB_T->setText(Q(r.blockTop));
    f.REdit11->setText(Q(r.REdit[11]));
    f.REdit16->setText(Q(r.REdit[16]));
}

// The bar rate comes last: CheckBox1 decides whether it is shown at all.
void ShowReinforcement(TForm1& f, const takeoff::ItemRecord& r) {
    f.CheckBox1->setChecked(r.rebar);
    for (int n = 12; n <= 15; ++n)
        f.REdit(n)->setText(Q(r.REdit[n]));
    f.RG_BL->SetItemIndex(r.RG_BL);
    f.RG_TL->SetItemIndex(r.RG_TL);
    f.RG_HL->SetItemIndex(r.RG_HL);
    f.RG_YL->SetItemIndex(r.RG_YL);
    f.CheckBox5->setChecked(r.baseDouble);
    f.CheckBox6->setChecked(r.upDouble);
    f.REdit18->setText(Q(r.REdit[18]));
    f.REdit18->setVisible(!r.rebar);
    ProjectStore::Of(f).keptBarRate = Q(r.barRate);
}

void ShowConditions(TForm1& f, const takeoff::ItemRecord& r) {
    f.SelectrNe(r.Ne);
    f.SelectrPs(r.Ps);
    f.SelectrAd(r.Ad);
    f.SelectrNn(r.embedDiff ? 1 : 2);
    f.SelectrSr(r.Sr);
    f.SelectrSh(r.Sh);
    f.A1->setChecked(r.level);
    f.REdit17->setVisible(r.level);
    f.Label20->setVisible(r.level);
    f.REdit17->setText(Q(r.REdit[17]));
}

void ShowRecord(TForm1& f, const takeoff::ItemRecord& r) {
    f.B1->setChecked(r.base);
    f.U2->setChecked(r.ditch);
    SwitchScreen(f, r.base, r.ditch);
    ShowDimensions(f, r);
    ShowPipesAndBlocks(f, r);
    ShowReinforcement(f, r);
    ShowConditions(f, r);
    f.CountEdit->setText(QString::number(r.count));
    f.GroupEdit->setText(Q(r.group));
    f.RemarkEdit->setText(Q(r.remark));
    f.YH_H->setText(f.ComboBox2->currentText());
    f.YH_U->setText(f.ComboBox3->currentText());
    f.YH_T->setText(f.ComboBox4->currentText());
}

} // namespace

void ShowScreenRecord(TForm1& f, const takeoff::ItemRecord& record) {
    ShowRecord(f, record);
}

takeoff::ItemRecord ScreenRecord(const TForm1& f) {
    using C = TForm1::Cond;
    takeoff::ItemRecord r;
    for (int n = 1; n <= 18; ++n)
        r.REdit[n] = S(f.REdit(n)->text());
    // While the block panel shows the block finishes, the wall's are stashed.
    const bool panel = f.BlockPanelOpen();
    r.front = S(panel ? f.YH_H->text() : f.ComboBox2->currentText());
    r.back = S(panel ? f.YH_U->text() : f.ComboBox3->currentText());
    r.top = S(panel ? f.YH_T->text() : f.ComboBox4->currentText());
    r.blockFront = S(f.CB_H->text());
    r.blockBack = S(f.CB_U->text());
    r.blockTop = S(f.CB_T->text());
    r.rebar = f.CheckBox1->isChecked();
    r.pipes = f.CheckBox2->isChecked();
    r.blocks = f.CheckBox3->isChecked();
    r.baseDouble = f.CheckBox5->isChecked();
    r.upDouble = f.CheckBox6->isChecked();
    r.RG_BL = f.RG_BL->ItemIndex();
    r.RG_TL = f.RG_TL->ItemIndex();
    r.RG_HL = f.RG_HL->ItemIndex();
    r.RG_YL = f.RG_YL->ItemIndex();
    r.Ne = f.ConditionCode(C::Ne);
    r.Ps = f.ConditionCode(C::Ps);
    r.Ad = f.ConditionCode(C::Ad);
    r.embedDiff = f.N4->isChecked() && !f.N5->isChecked();
    r.Sr = f.ConditionCode(C::Sr);
    r.Sh = f.ConditionCode(C::Sh);
    r.level = f.A1->isChecked();
    r.base = f.B1->isChecked();
    r.ditch = f.U2->isChecked();
    // The rate field is hidden and empty under the reinforcement calculation;
    // the item keeps the rate it had.
    r.barRate = r.rebar ? S(ProjectStore::Of(const_cast<TForm1&>(f)).keptBarRate) : r.REdit[18];
    // A count being typed that is not yet a number keeps the one before.
    r.count = takeoff::ParseCount(S(f.CountEdit->text()))
                  .value_or(ProjectStore::Of(const_cast<TForm1&>(f)).keptCount);
    r.group = S(f.GroupEdit->text());
    r.remark = S(f.RemarkEdit->text());
    return r;
}

void TForm1::ListInput(const QString& section, const QString& path) {
    if (section.isEmpty())
        return;
    ProjectFile& file = ProjectStore::Of(*this).project;
    takeoff::ItemRecord item;
    try {
        item = takeoff::LoadItem(file, FilePath(path), S(section));
    } catch (const yoheki::Error& e) {
        dialogs.message(QString::fromUtf8(e.what()));
        return;
    }
    CloseOpenPanel();
    ProjectStore::Of(*this).keptCount = item.count;
    ShowRecord(*this, item);
    ItemHistory::Of(*this).Loaded();
}

void ShowOnScreen(TForm1& f, const takeoff::ItemRecord& r) {
    for (int n = 1; n <= 9; ++n)
        if (f.REdit(n)->text() != Q(r.REdit[n]))
            f.REdit(n)->setText(Q(r.REdit[n]));
    f.CountEdit->setText(QString::number(r.count));
    ProjectStore::Of(f).keptCount = r.count;
    f.GroupEdit->setText(Q(r.group));
    f.RemarkEdit->setText(Q(r.remark));
}

void TForm1::ListOutPut(const QString& section, const QString& path) {
    SaveItem(*this, section, path);
}

namespace {

QString FieldList(const std::vector<std::string>& fields) {
    QStringList names;
    for (const std::string& field : fields)
        names << Q(field);
    return names.join(QString::fromUtf8("、"));
}

// Another program saved the same item since this window loaded it.
takeoff::Keep AskWhichToKeep(TForm1& f, const takeoff::Conflict& c) {
    const QString item = Q(c.item);
    if (c.deleted) {
        const int chosen = f.dialogs.choose(
            QString::fromUtf8("拾い【") + item +
                QString::fromUtf8("】は、この画面に読み込んだ後に他のウィンドウまたは他の"
                                  "プログラムで削除されました\n\rこの画面の内容で保存し直しますか？"),
            {QString::fromUtf8("この画面の内容で保存"), QString::fromUtf8("削除のままにする"),
             QString::fromUtf8("キャンセル")},
            yoheki::Dialogs::Icon::Warning);
        return static_cast<takeoff::Keep>(std::clamp(chosen, 0, 2));
    }
    const int chosen = f.dialogs.choose(
        QString::fromUtf8("拾い【") + item +
            QString::fromUtf8("】は、この画面に読み込んだ後に他のウィンドウまたは他のプログラムで"
                              "保存されています\n\r両方で変更された項目：") +
            FieldList(c.fields) + QString::fromUtf8("\n\rどちらの値を残しますか？"),
        {QString::fromUtf8("この画面の値"), QString::fromUtf8("保存されている値"),
         QString::fromUtf8("キャンセル")},
        yoheki::Dialogs::Icon::Warning);
    return static_cast<takeoff::Keep>(std::clamp(chosen, 0, 2));
}

} // namespace

bool SaveItem(TForm1& f, const QString& section, const QString& path) {
    return TrySaveItem(f, section, path) == SaveResult::Saved;
}

SaveResult TrySaveItem(TForm1& f, const QString& section, const QString& path) {
    if (section.isEmpty())
        return SaveResult::Saved;
    f.Label21->setText(f.U2->isChecked()   ? QStringLiteral("3")
                       : f.B1->isChecked() ? QStringLiteral("2")
                                           : QStringLiteral("1"));
    ProjectFile& file = ProjectStore::Of(f).project;
    try {
        takeoff::SaveItem(file, FilePath(path), S(section), ScreenRecord(f),
                          [&f](const takeoff::Conflict& c) { return AskWhichToKeep(f, c); });
        if (section == ItemOnScreen(f))
            ItemHistory::Of(f).Saved();
        return SaveResult::Saved;
    } catch (const takeoff::SaveCancelled&) {
        return SaveResult::Cancelled;
    } catch (const yoheki::Error& e) {
        QString text = QString::fromUtf8("拾い【") + section +
                       QString::fromUtf8("】の保存に失敗しました\n\r") +
                       QString::fromUtf8(e.what());
        if (dynamic_cast<const yoheki::EncodingError*>(&e))
            text += QString::fromUtf8("\n\r物件ファイルはそのまま残っています");
        f.dialogs.message(text);
        return SaveResult::Failed;
    }
}

void TForm1::ActList() {
    CloseOpenPanel();
    B1->setChecked(false);
    U2->setChecked(false);
    // Before the settings file is read the drawings cannot be found; the
    // window is still in its design layout, the wall screen.
    if (!SettingsDir.isEmpty()) {
        EquBase();
        Ditch();
    }
    for (int n = 1; n <= 17; ++n)
        REdit(n)->clear();
    REdit10->hide();
    REdit17->hide();
    REdit18->setText(QStringLiteral("70"));
    REdit18->show();
    for (QCheckBox* box : {CheckBox1, CheckBox2, CheckBox3, CheckBox5, CheckBox6})
        box->setChecked(false);
    A1->setChecked(false);
    D2->setChecked(false);
    for (TComboBox* combo : {ComboBox2, ComboBox3, ComboBox4}) {
        combo->setCurrentIndex(-1);
        combo->setEditText(QString());
    }
    for (TRadioGroup* group : {RG_BL, RG_HL, RG_TL, RG_YL})
        group->SetItemIndex(-1);
    Label20->hide();
    Label21->setText(QStringLiteral("1"));
    CountEdit->setText(QStringLiteral("1"));
    ProjectStore::Of(*this).keptCount = 1;
    GroupEdit->clear();
    RemarkEdit->clear();
    ReadDefaults();
}
