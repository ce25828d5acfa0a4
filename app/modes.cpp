// Structure-type switching: the L-type wall, base foundation and U-shaped
// ditch screens, the drawings, and the two mode entries of the option menu.
#include "main1.h"

#include "LabelledDrawing.h"
#include "Utf8.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QPixmap>
#include <QPixmapCache>

namespace {

const char* const kWallDrawing = "擁壁１.bmp";
const char* const kBaseDrawing = "設備基礎.bmp";
const char* const kDitchDrawing = "Ｕ字側溝.bmp";

// Switching between items of different structures shows the same three
// drawings again and again: the scaled picture is kept under the file's path
// and time, so a file replaced on disk is read again.
QString DrawingKey(const QString& path, QSize room) {
    return QStringLiteral("drawing %1 %2 %3x%4")
        .arg(path)
        .arg(QFileInfo(path).lastModified().toMSecsSinceEpoch())
        .arg(room.width())
        .arg(room.height());
}

} // namespace

void TForm1::LoadDrawing(const QString& name) {
    const QString path = LocateDrawing(SettingsDir, name);
    // The picture fills its place on the labelled drawing, stretched as the
    // printed page stretches it, so the labels stand where they belong.
    auto* labelled = qobject_cast<TDrawingLabel*>(Image1);
    const QSize room =
        labelled ? labelled->DrawingRect().size() : Image1->contentsRect().size();
    const Qt::AspectRatioMode aspect = labelled ? Qt::IgnoreAspectRatio : Qt::KeepAspectRatio;
    QPixmap scaled;
    if (!path.isEmpty() && QPixmapCache::find(DrawingKey(path, room), &scaled)) {
        Image1->setPixmap(scaled);
        return;
    }
    QPixmap picture;
    if (path.isEmpty() || !picture.load(path)) {
        Image1->clear();
        // Said once per run: every later switch would repeat the same news.
        if (!drawingWarned_) {
            drawingWarned_ = true;
            dialogs.message(U("図面ファイル【") + name + U("】を読み込めません") + U("\n\r") +
                            U("場所：【") + QDir::toNativeSeparators(SettingsDir) + U("】"));
        }
        return;
    }
    scaled = picture.scaled(room, aspect, Qt::SmoothTransformation);
    QPixmapCache::insert(DrawingKey(path, room), scaled);
    Image1->setPixmap(scaled);
}

void TForm1::ShowModeDrawing() {
    // Before the settings file is read there is no folder to find it in.
    if (SettingsDir.isEmpty())
        return;
    LoadDrawing(U(B1->isChecked()   ? kBaseDrawing
                  : U2->isChecked() ? kDitchDrawing
                                    : kWallDrawing));
}

bool TForm1::WallMode() const {
    return !B1->isChecked() && !U2->isChecked();
}

// Empties each field and hides it.
void TForm1::HideModeFields(std::initializer_list<QWidget*> widgets) {
    for (QWidget* w : widgets) {
        if (auto* edit = qobject_cast<QLineEdit*>(w))
            edit->clear();
        w->hide();
    }
}

void TForm1::ShowWallScreen(const char* drawing) {
    LoadDrawing(U(drawing));
    for (QWidget* w : {static_cast<QWidget*>(REdit2), static_cast<QWidget*>(REdit3),
                       static_cast<QWidget*>(REdit18), static_cast<QWidget*>(CheckBox2),
                       static_cast<QWidget*>(CheckBox3), static_cast<QWidget*>(ComboBox3),
                       static_cast<QWidget*>(Label13), static_cast<QWidget*>(StaticText1),
                       static_cast<QWidget*>(StaticText2), static_cast<QWidget*>(Label3),
                       static_cast<QWidget*>(Label4)})
        w->show();
    REdit18->setText(U("70"));
    Label12->setText(U("仕上[表面]"));
    // The drain-pipe spacing and the block button belong to their check boxes,
    // which the other screens hide.
    REdit10->setVisible(CheckBox2->isChecked());
    Button1->setVisible(CheckBox3->isChecked());
}

void TForm1::EquBase() {
    if (!B1->isChecked()) {
        ShowWallScreen(kWallDrawing);
        for (QWidget* w : {static_cast<QWidget*>(REdit8), static_cast<QWidget*>(REdit9),
                           static_cast<QWidget*>(Label9), static_cast<QWidget*>(Label10)})
            w->show();
        return;
    }
    LoadDrawing(U(kBaseDrawing));
    REdit13->clear();
    REdit15->clear();
    HideModeFields({REdit3, REdit8, REdit9, REdit18, REdit10, Button1});
    HideModeFields({CheckBox2, CheckBox3, CheckBox6, ComboBox3, Label13, StaticText1, StaticText2,
                    Label4, Label9, Label10});
    for (QLabel* store : {CB_H, CB_U, CB_T})
        store->clear();
    RG_TL->SetItemIndex(-1);
    RG_YL->SetItemIndex(-1);
}

void TForm1::Ditch() {
    if (!U2->isChecked()) {
        ShowWallScreen(kWallDrawing);
        return;
    }
    LoadDrawing(U(kDitchDrawing));
    REdit11->clear();
    REdit16->clear();
    HideModeFields({REdit2, REdit3, REdit10, REdit18, Button1, CheckBox2, CheckBox3, ComboBox3});
    Label12->setText(U("Ｕ字側溝内仕上"));
    HideModeFields({Label13, StaticText1, StaticText2, Label3, Label4});
    for (QLabel* store : {CB_H, CB_U, CB_T})
        store->clear();
}

// A mode switch must not leave a panel open: its controls would stay on a
// screen that no longer has them, with no button left to close it.
void TForm1::CloseOpenPanel() {
    if (BlockPanelOpen())
        Button1Click();
    if (RebarPanelOpen())
        Button2Click();
}

// What every switch ends with: no reinforcement calculation, the bar rate 70.
static void EndSwitch(TForm1& f) {
    f.Button2->hide();
    f.CheckBox1->setChecked(false);
    f.REdit18->show();
    f.REdit18->setText(U("70"));
}

void TForm1::B1Click() {
    if (B1->isChecked()) {
        dialogs.message(U("Ｌ型擁壁のデータに切替えます"));
        CloseOpenPanel();
        B1->setChecked(false);
        EquBase();
    } else {
        if (!dialogs.question(U("一部の入力済みデータが削除されます。よろしいですか？"),
                              yoheki::Dialogs::Icon::Warning))
            return;
        CloseOpenPanel();
        B1->setChecked(true);
        U2->setChecked(false);
        Ditch();
        EquBase();
    }
    EndSwitch(*this);
}

void TForm1::U2Click() {
    if (U2->isChecked()) {
        dialogs.message(U("Ｌ型擁壁のデータに切替えます"));
        CloseOpenPanel();
        U2->setChecked(false);
        Ditch();
    } else {
        if (!dialogs.question(U("一部の入力済みデータが削除されます。よろしいですか？"),
                              yoheki::Dialogs::Icon::Warning))
            return;
        CloseOpenPanel();
        U2->setChecked(true);
        B1->setChecked(false);
        EquBase();
        Ditch();
    }
    EndSwitch(*this);
}
