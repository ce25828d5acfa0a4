#pragma once
// The window's loading and saving of an item as the controls did it before
// the take-off core existed, kept as the reference the core is checked
// against: the same widget calls in the same order, with every check-box
// handler and screen switch running as it did.
#include "ItemTexts.h"
#include "ProjectFile.h"
#include "main1.h"

namespace legacy {

using namespace itemkey;

inline std::string S(const QString& text) {
    return text.toStdString();
}

inline void SetComboText(QComboBox* combo, const QString& text) {
    combo->setCurrentIndex(combo->findText(text));
    combo->setEditText(text);
}

// One section of the parsed project file, read with the defaults of a
// missing key.
struct Section {
    const yoheki::IniFile& ini;
    std::string name;
    QString Str(const char* key, const char* def = "") const {
        return QString::fromStdString(ini.ReadString(name, key, def));
    }
    int Int(const char* key, int def) const {
        return static_cast<int>(ini.ReadInteger(name, key, def));
    }
    bool Bool(const char* key) const { return ini.ReadBool(name, key, false); }
};

// The screen switches from the mode the screen shows (Label21) to the
// item's mode.
inline void SwitchScreen(TForm1& f, bool base, bool ditch) {
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

inline void LoadDimensions(TForm1& f, const Section& s) {
    const char* keys[] = {kRunLength, kFrontHeight, kBackHeight, kEmbedment, kLevelling,
                          kStone,     kBaseWidth,   kWallWidth,  kBaseThick};
    for (int n = 1; n <= 9; ++n)
        f.REdit(n)->setText(s.Str(keys[n - 1]));
    SetComboText(f.ComboBox2, s.Str(kFrontFinish));
    SetComboText(f.ComboBox3, s.Str(kBackFinish));
    SetComboText(f.ComboBox4, s.Str(kTopFinish));
}

// Setting a check box runs its click behaviour; the values read after it
// override what that behaviour put into the fields.
inline void LoadPipesAndBlocks(TForm1& f, const Section& s) {
    f.CheckBox2->setChecked(s.Bool(kPipes));
    f.REdit10->setText(f.CheckBox2->isChecked() ? s.Str(kPipeSpacing, "3000")
                                                : QStringLiteral("0"));
    f.CheckBox3->setChecked(s.Bool(kBlocks));
    const bool blocks = f.CheckBox3->isChecked();
    f.CB_H->setText(blocks ? s.Str(kBlockFront) : QString());
    f.CB_U->setText(blocks ? s.Str(kBlockBack) : QString());
    f.CB_T->setText(blocks ? s.Str(kBlockTop) : QString());
    f.REdit11->setText(blocks ? s.Str(kBlockHeight) : QStringLiteral("0"));
    f.REdit16->setText(blocks ? s.Str(kBlockWidth) : QStringLiteral("0"));
}

// The bar rate comes last: CheckBox1 decides whether it applies at all.
inline void LoadReinforcement(TForm1& f, const Section& s) {
    f.CheckBox1->setChecked(s.Bool(kRebar));
    const bool bars = f.CheckBox1->isChecked();
    f.REdit12->setText(bars ? s.Str(kBasePitch) : QString());
    f.REdit13->setText(bars ? s.Str(kUpVertPitch) : QString());
    f.REdit14->setText(bars ? s.Str(kBaseDistPitch) : QString());
    f.REdit15->setText(bars ? s.Str(kUpHorzPitch) : QString());
    f.RG_BL->SetItemIndex(bars ? s.Int(kBaseBars, -1) : -1);
    f.RG_TL->SetItemIndex(bars ? s.Int(kUpVertBars, -1) : -1);
    f.RG_HL->SetItemIndex(bars ? s.Int(kBaseDistBars, -1) : -1);
    f.RG_YL->SetItemIndex(bars ? s.Int(kUpHorzBars, -1) : -1);
    f.CheckBox5->setChecked(s.Bool(kBaseDouble));
    f.CheckBox6->setChecked(s.Bool(kUpDouble));
    f.REdit18->setText(bars ? QString() : s.Str(kBarRate));
    f.REdit18->setVisible(!bars);
}

inline void LoadConditions(TForm1& f, const Section& s) {
    f.SelectrNe(s.Int(kExcav, 0));
    f.SelectrPs(s.Int(kBackfill, 0));
    f.SelectrAd(s.Int(kSubBase, 0));
    f.SelectrNn(s.Bool(kEmbedDiff) ? 1 : 2);
    f.SelectrSr(s.Int(kRetain, 0));
    f.SelectrSh(s.Int(kSubstrate, 0));
    f.A1->setChecked(s.Bool(kLevelOn));
    f.REdit17->setVisible(f.A1->isChecked());
    f.Label20->setVisible(f.A1->isChecked());
    f.REdit17->setText(s.Str(kLevelDiff));
}

inline void StoreItem(TForm1& f, ProjectFile& file, const std::string& sec, const QString& keptRate) {
    const auto put = [&](const char* key, const QString& value) { file.Write(sec, key, S(value)); };
    const char* keys[] = {kRunLength, kFrontHeight, kBackHeight, kEmbedment, kLevelling,
                          kStone,     kBaseWidth,   kWallWidth,  kBaseThick};
    for (int n = 1; n <= 9; ++n)
        put(keys[n - 1], f.REdit(n)->text());
    put(kBarRate, f.CheckBox1->isChecked() ? keptRate : f.REdit18->text());
    // While the block panel shows the block finishes, the wall's are stashed.
    const bool panel = f.BlockPanelOpen();
    put(kFrontFinish, panel ? f.YH_H->text() : f.ComboBox2->currentText());
    put(kBackFinish, panel ? f.YH_U->text() : f.ComboBox3->currentText());
    put(kTopFinish, panel ? f.YH_T->text() : f.ComboBox4->currentText());
    const bool pipes = f.CheckBox2->isChecked();
    file.WriteBool(sec, kPipes, pipes);
    put(kPipeSpacing, pipes ? f.REdit10->text() : QString());
    const bool blocks = f.CheckBox3->isChecked();
    file.WriteBool(sec, kBlocks, blocks);
    put(kBlockFront, blocks ? f.CB_H->text() : QString());
    put(kBlockBack, blocks ? f.CB_U->text() : QString());
    put(kBlockTop, blocks ? f.CB_T->text() : QString());
    put(kBlockHeight, blocks ? f.REdit11->text() : QString());
    put(kBlockWidth, blocks ? f.REdit16->text() : QString());
    if (!blocks)
        file.WriteBool(sec, kBlockCoping, false);
}

inline void StoreReinforcement(TForm1& f, ProjectFile& file, const std::string& sec) {
    const bool bars = f.CheckBox1->isChecked();
    file.WriteBool(sec, kRebar, bars);
    const char* pitchKeys[] = {kBasePitch, kUpVertPitch, kBaseDistPitch, kUpHorzPitch};
    const TREdit* pitches[] = {f.REdit12, f.REdit13, f.REdit14, f.REdit15};
    for (int k = 0; k < 4; ++k)
        file.Write(sec, pitchKeys[k], bars ? S(pitches[k]->text()) : "");
    const char* barKeys[] = {kBaseBars, kUpVertBars, kBaseDistBars, kUpHorzBars};
    const TRadioGroup* groups[] = {f.RG_BL, f.RG_TL, f.RG_HL, f.RG_YL};
    for (int k = 0; k < 4; ++k)
        file.WriteInteger(sec, barKeys[k], bars ? groups[k]->ItemIndex() : 0);
    file.WriteBool(sec, kBaseDouble, f.CheckBox5->isChecked());
    file.WriteBool(sec, kUpDouble, f.CheckBox6->isChecked());
}

inline void StoreConditions(TForm1& f, ProjectFile& file, const std::string& sec) {
    using C = TForm1::Cond;
    file.WriteInteger(sec, kExcav, f.ConditionCode(C::Ne));
    file.WriteInteger(sec, kBackfill, f.ConditionCode(C::Ps));
    file.WriteInteger(sec, kSubBase, f.ConditionCode(C::Ad));
    file.WriteBool(sec, kEmbedDiff, f.N4->isChecked() && !f.N5->isChecked());
    file.WriteInteger(sec, kRetain, f.ConditionCode(C::Sr));
    file.WriteInteger(sec, kSubstrate, f.ConditionCode(C::Sh));
    file.WriteBool(sec, kLevelOn, f.A1->isChecked());
    file.Write(sec, kLevelDiff, f.A1->isChecked() ? S(f.REdit17->text()) : "");
    file.WriteBool(sec, kModeBase, f.B1->isChecked());
    file.WriteBool(sec, kModeDitch, f.U2->isChecked());
}


inline void ListInput(TForm1& f, const yoheki::IniFile& ini, const std::string& section) {
    f.CloseOpenPanel();
    const Section s{ini, section};
    bool base = s.Bool(kModeBase), ditch = s.Bool(kModeDitch);
    if (base && ditch)
        base = ditch = false;
    f.B1->setChecked(base);
    f.U2->setChecked(ditch);
    SwitchScreen(f, base, ditch);
    LoadDimensions(f, s);
    LoadPipesAndBlocks(f, s);
    LoadReinforcement(f, s);
    LoadConditions(f, s);
    f.YH_H->setText(f.ComboBox2->currentText());
    f.YH_U->setText(f.ComboBox3->currentText());
    f.YH_T->setText(f.ComboBox4->currentText());
}

inline void ListOutPut(TForm1& f, ProjectFile& file, const std::string& path,
                       const std::string& sec, const QString& keptRate) {
    file.Open(path);
    StoreItem(f, file, sec, keptRate);
    StoreReinforcement(f, file, sec);
    StoreConditions(f, file, sec);
    file.Update();
}

} // namespace legacy
