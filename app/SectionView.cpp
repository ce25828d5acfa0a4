// The drawing beside the fields as the user chooses it: the section drawn to
// scale from the item's own dimensions (寸法図) or the standard picture with
// its eight labels (標準図); and the sections of the project as DXF.
#include "main1.h"

#include "Dxf.h"
#include "Error.h"
#include "IniFile.h"
#include "ItemRecord.h"
#include "LabelledDrawing.h"
#include "OutputGuard.h"
#include "SaveBytes.h"
#include "PathBytes.h"
#include "Utf8.h"

#include <QActionGroup>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>

namespace {

const char* const kDrawingKey = "MainWindow/drawing";
const char* const kSectionValue = "section";
const char* const kStandardValue = "standard";

QSettings ViewSettings() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("yoheki"),
                     QStringLiteral("window"));
}

} // namespace

void TForm1::BuildDrawingMenu() {
    DxfOut1 = new QAction(U("DXF出力(&X)..."), this);
    DxfOut1->setObjectName(QStringLiteral("DxfOut1"));
    File1Menu->insertAction(N7, DxfOut1);

    V1Menu = AddSubmenu(nullptr, "表示(&V)", "V1", &V1);
    SectionDrawing1 = AddEntry(V1Menu, "寸法図(&Z)", "SectionDrawing1");
    StandardDrawing1 = AddEntry(V1Menu, "標準図(&K)", "StandardDrawing1");
    auto* group = new QActionGroup(this);
    for (QAction* a : {SectionDrawing1, StandardDrawing1}) {
        a->setCheckable(true);
        group->addAction(a);
    }
    // New users see the section drawn from their figures.
    const bool standard =
        ViewSettings().value(QLatin1String(kDrawingKey)).toString() == QLatin1String(kStandardValue);
    (standard ? StandardDrawing1 : SectionDrawing1)->setChecked(true);
    // Inserted before the help menu, after the structure options.
    menuBar()->insertMenu(HelpH1, V1Menu);
}

void TForm1::ConnectDrawingMenu() {
    connect(SectionDrawing1, &QAction::toggled, this, &TForm1::ShowChosenDrawing);
    Connect(DxfOut1, &TForm1::DxfOut1Click);
    ShowChosenDrawing();
}

bool TForm1::SectionDrawingChosen() const { return SectionDrawing1->isChecked(); }

void TForm1::ShowChosenDrawing() {
    if (auto* drawing = qobject_cast<TDrawingLabel*>(Image1))
        drawing->ShowSection(SectionDrawingChosen());
    ViewSettings().setValue(QLatin1String(kDrawingKey),
                            QLatin1String(SectionDrawingChosen() ? kSectionValue : kStandardValue));
}

// Every item of the project as its file holds it, the one on screen as it
// stands on the screen.
std::vector<takeoff::DxfItem> TForm1::DxfItems() const {
    std::vector<takeoff::DxfItem> items;
    const std::string shown = ComboBox1->currentText().toStdString();
    const std::string caption = windowTitle().toStdString();
    const yoheki::IniFile ini(yoheki::PathBytes(CurrentProject));
    for (const std::string& name : ini.ReadSections()) {
        const engine::Snapshot s =
            name == shown ? TakeSnapshot()
                          : takeoff::ToSnapshot(takeoff::ReadItem(ini, name), name, caption, {});
        items.push_back({name, engine::section::SectionOf(s)});
    }
    if (!shown.empty() && std::none_of(items.begin(), items.end(),
                                       [&](const takeoff::DxfItem& i) { return i.name == shown; }))
        items.push_back({shown, engine::section::SectionOf(TakeSnapshot())});
    return items;
}

void TForm1::DxfOut1Click() {
    if (CurrentProject.isEmpty())
        return;
    const QFileInfo project(CurrentProject);
    yoheki::OpenFileRequest request{U("DXFファイルに出力"), U("DXFファイル(*.dxf)|*.DXF"),
                                    project.absolutePath(), project.completeBaseName() + U(".dxf"),
                                    true};
    request.save = true;
    std::optional<QString> chosen = dialogs.openFile(request);
    if (!chosen)
        return;
    QString path = *chosen;
    if (!path.endsWith(QStringLiteral(".dxf"), Qt::CaseInsensitive))
        path += QStringLiteral(".dxf");
    if (RefuseOutput(dialogs, path, CurrentProject, SettingsDir))
        return;
    if (QFileInfo::exists(path) &&
        !dialogs.question(U("【") + path + U("】は既にあります。\n\r置き換えますか？"),
                          yoheki::Dialogs::Icon::Warning))
        return;
    std::optional<QString> failure;
    try {
        failure = yoheki::SaveBytes(path, QByteArray::fromStdString(takeoff::DxfOf(DxfItems())));
    } catch (const yoheki::Error& e) {
        failure = U(e.what());
    }
    dialogs.message(failure ? U("DXFファイル【") + path + U("】に書き込めません：") + *failure
                            : U("DXFファイル【") + path + U("】に出力しました"));
}
