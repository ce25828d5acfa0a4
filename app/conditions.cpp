// The six estimating conditions as radio-style check marks in the condition
// menu, and the settings file "Qrtt.dat": finish lists, paths and defaults.
#include "main1.h"

#include "Cp932.h"
#include "Error.h"
#include "FirstStart.h"
#include "IniFile.h"
#include "Settings.h"
#include "Utf8.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <array>
#include <optional>

namespace {

std::string S(const QString& text) {
    return text.toStdString();
}

using takeoff::kSettingsFile;

// One condition: its group menu, its entries in code order (code = position
// + 1) and the group caption each code sets. Its key and factory code are the
// settings record's.
struct Group {
    QAction* menu;
    QList<QAction*> entries;
    QList<const char*> captions;
};

// The window's conditions are the settings record's, in the same order.
TForm1::Cond WindowOf(takeoff::Condition c) {
    return static_cast<TForm1::Cond>(static_cast<int>(c));
}

Group GroupOf(const TForm1& f, TForm1::Cond cond) {
    using C = TForm1::Cond;
    switch (cond) {
    case C::Ne:
        return {f.N1,
                {f.S1, f.Y1, f.N6061, f.N4541},
                {"根入要領：積算基準(&B)", "根入要領：余幅のみ(&B)", "根入要領：60度勾配(&B)",
                 "根入要領：45度勾配(&B)"}};
    case C::Ad:
        return {f.N2,
                {f.N1001, f.N5051, f.N001},
                {"出幅：100(&A)", "出幅：50(&A)", "出幅：0(&A)"}};
    case C::Nn:
        return {f.N3, {f.N4, f.N5}, {"根入れ差：有(&N)", "根入れ差：無(&N)"}};
    case C::Sr:
        return {f.K2,
                {f.N8, f.H1, f.U1, f.R2},
                {"簡易山止:なし", "簡易山止:表面", "簡易山止:裏面", "簡易山止:両面"}};
    case C::Sh:
        return {
            f.N21,
            {f.N22, f.M1, f.N110, f.N23},
            {"仕上下地:打放", "仕上下地:ﾓﾙﾀﾙ", "仕上下地:特殊[打放有]", "仕上下地:特殊[打放無]"}};
    case C::Ps:
        break;
    }
    return {f.S2, {f.K3, f.M2}, {"埋戻:根切り土使用", "埋戻:搬入土使用"}};
}

// The settings file must be readable and in code page 932; a file that is
// neither would otherwise fill the lists with replacement characters.
bool SettingsReadable(const QString& fileName) {
    QFile file(fileName);
    if (!QFileInfo(fileName).isFile() || !file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    const std::string text =
        yoheki::cp932::Decode(std::string_view(bytes.constData(), bytes.size()));
    return text.find("\xEF\xBF\xBD") == std::string::npos; // U+FFFD: a byte CP932 lacks
}

} // namespace

// ---------------------------------------------------------------- setters

void TForm1::SelectGroup(Cond cond, int value) {
    const Group g = GroupOf(*this, cond);
    for (QAction* entry : g.entries)
        entry->setChecked(false);
    if (value < 1 || value > g.entries.size())
        return; // caption keeps its last text
    g.menu->setText(U(g.captions[value - 1]));
    g.entries[value - 1]->setChecked(true);
}

void TForm1::SelectrNe(int value) {
    SelectGroup(Cond::Ne, value);
}
void TForm1::SelectrAd(int value) {
    SelectGroup(Cond::Ad, value);
}
void TForm1::SelectrNn(int value) {
    SelectGroup(Cond::Nn, value);
}
void TForm1::SelectrSr(int value) {
    SelectGroup(Cond::Sr, value);
}
void TForm1::SelectrSh(int value) {
    SelectGroup(Cond::Sh, value);
}
void TForm1::SelectrPs(int value) {
    SelectGroup(Cond::Ps, value);
}

int TForm1::ConditionCode(Cond cond) const {
    const Group g = GroupOf(*this, cond);
    for (int i = g.entries.size() - 1; i >= 0; --i)
        if (g.entries[i]->isChecked())
            return i + 1;
    return 0;
}

void TForm1::S1Click() {
    SelectrNe(1);
}
void TForm1::Y1Click() {
    SelectrNe(2);
}
void TForm1::N6061Click() {
    SelectrNe(3);
}
void TForm1::N4541Click() {
    SelectrNe(4);
}
void TForm1::N1001Click() {
    SelectrAd(1);
}
void TForm1::N5051Click() {
    SelectrAd(2);
}
void TForm1::N001Click() {
    SelectrAd(3);
}
void TForm1::N4Click() {
    SelectrNn(1);
}
void TForm1::N5Click() {
    SelectrNn(2);
}
void TForm1::N8Click() {
    SelectrSr(1);
}
void TForm1::H1Click() {
    SelectrSr(2);
}
void TForm1::U1Click() {
    SelectrSr(3);
}
void TForm1::R2Click() {
    SelectrSr(4);
}
void TForm1::N22Click() {
    SelectrSh(1);
}
void TForm1::M1Click() {
    SelectrSh(2);
}
void TForm1::N110Click() {
    SelectrSh(3);
}
void TForm1::N23Click() {
    SelectrSh(4);
}
void TForm1::K3Click() {
    SelectrPs(1);
}
void TForm1::M2Click() {
    SelectrPs(2);
}

// ---------------------------------------------------------------- defaults

void TForm1::ReadDefaults() {
    std::optional<yoheki::IniFile> ini;
    try {
        ini.emplace(kSettingsFile);
    } catch (const yoheki::Error&) {
        // An unreadable settings file gives the factory conditions.
    }
    for (takeoff::Condition c : takeoff::kConditionReadOrder) {
        const auto value = ini ? takeoff::ReadCondition(*ini, c) : takeoff::FactoryCode(c);
        SelectGroup(WindowOf(c), static_cast<int>(value));
    }
}

void TForm1::WriteFactoryDefaults() {
    // Where no settings file is there are no stored defaults to reset; a file
    // of defaults alone would be taken for the settings at the next start here.
    if (!QFileInfo::exists(U(kSettingsFile)))
        return;
    try {
        yoheki::IniFile ini(kSettingsFile);
        takeoff::WriteFactoryConditions(ini);
        ini.UpdateFile();
    } catch (const yoheki::Error& e) {
        dialogs.message(QString::fromStdString(e.what()));
    }
}

void TForm1::N32Click() {
    if (!dialogs.question(U("現在の条件をデフォルトとして設定しますか？"),
                          yoheki::Dialogs::Icon::Information))
        return;
    try {
        yoheki::IniFile ini(kSettingsFile);
        std::array<std::int64_t, takeoff::kConditions> codes{};
        for (takeoff::Condition c : takeoff::kConditionReadOrder)
            codes[static_cast<int>(c)] = ConditionCode(WindowOf(c));
        takeoff::WriteConditions(ini, codes);
        ini.UpdateFile();
    } catch (const yoheki::Error& e) {
        dialogs.message(QString::fromStdString(e.what()));
    }
}

// ---------------------------------------------------------------- EsttIn

bool TForm1::EsttIn(const QString& fileName) {
    // The settings were never read, so closing has nothing to save and must
    // not leave a settings file of defaults alone behind.
    const auto fail = [this] {
        dialogs.message(MissingSettingsText(QDir::currentPath()));
        TerminateNow();
        return false;
    };
    if (!SettingsReadable(fileName))
        return fail();
    try {
        yoheki::IniFile ini(S(fileName));
        const takeoff::Settings settings = takeoff::ReadSettings(ini);
        if (ComboBox2->count() < takeoff::kFinishEntries) {
            TComboBox* lists[] = {ComboBox2, ComboBox3, ComboBox4};
            for (int k = 0; k < takeoff::kFinishKinds; ++k) {
                QStringList finishes;
                for (const std::string& finish : settings.finishes[k])
                    finishes << QString::fromStdString(finish);
                lists[k]->AddItems(finishes);
            }
        }
        CurrentProject = QString::fromStdString(settings.project);
        SettingsDir = QString::fromStdString(settings.drawingFolder);
        if (SettingsDir.isEmpty()) {
            SettingsDir = QDir::toNativeSeparators(QDir::currentPath());
            takeoff::WriteDrawingFolder(ini, S(SettingsDir));
            ini.UpdateFile();
        }
    } catch (const yoheki::Error&) {
        return fail();
    }
    SettingsFile = QFileInfo(fileName).absoluteFilePath();
    return true;
}
