// The three check boxes, the block and reinforcement panels that replace the
// dimension fields in place, and the Enter key of the pitch fields.
#include "main1.h"

#include "Takeoff.h"
#include "Utf8.h"

#include <QPainter>

namespace {

const char* const kBlockCaption = "ＣＢ設定"; // block panel closed
const char* const kRebarCaption = "鉄筋設定"; // reinforcement panel closed
const char* const kDoneCaption = "設定完了";  // either panel open
const char* const kBarRate = "70";

void SetComboText(QComboBox* combo, const QString& text) {
    combo->setCurrentIndex(combo->findText(text));
    combo->setEditText(text);
}

void SetVisible(std::initializer_list<QWidget*> widgets, bool visible) {
    for (QWidget* w : widgets)
        w->setVisible(visible);
}

} // namespace

bool TForm1::BlockPanelOpen() const {
    return Button1->text() == U(kDoneCaption);
}
bool TForm1::RebarPanelOpen() const {
    return Button2->text() == U(kDoneCaption);
}

// ---------------------------------------------------------------- check boxes

void TForm1::CheckBox1Click() {
    const bool bars = CheckBox1->isChecked();
    Button2->setVisible(bars);
    if (bars) {
        // The item keeps its rate while the field is hidden (saved as it was).
        ProjectStore::Of(*this).keptBarRate = REdit18->text();
        REdit18->clear();
    } else
        REdit18->setText(U(kBarRate));
    REdit18->setVisible(!bars);
}

// Only the wall screen has drain pipes and blocks: the base and ditch screens
// hide these check boxes, and their field and button go with them.
void TForm1::CheckBox2Click() {
    REdit10->setVisible(CheckBox2->isChecked() && WallMode());
}

void TForm1::CheckBox3Click() {
    Button1->setVisible(CheckBox3->isChecked() && Button1->isHidden() && WallMode());
}

// ---------------------------------------------------------------- panels

void TForm1::CB_Set_on() {
    ComboBox1->setEnabled(false);
    SetVisible(
        {Button3, Button4, Image1, Label3, Label4, Label5, Label6, Label7, Label8, Label9, Label10},
        false);
    for (int n = 2; n <= 10; ++n)
        REdit(n)->hide();
    REdit18->clear();
    REdit18->hide();
    if (A1->isChecked())
        SetVisible({REdit17, Label20}, false);
}

void TForm1::CB_Set_off() {
    ComboBox1->setEnabled(true);
    SetVisible(
        {Button3, Button4, Image1, Label3, Label4, Label5, Label6, Label7, Label8, Label9, Label10},
        true);
    for (int n = 2; n <= 9; ++n)
        REdit(n)->show();
    REdit18->setText(U(kBarRate));
    REdit18->show();
    REdit10->setVisible(CheckBox2->isChecked());
    if (A1->isChecked())
        SetVisible({REdit17, Label20}, true);
}

void TForm1::Button1Click() {
    TComboBox* finishes[] = {ComboBox2, ComboBox3, ComboBox4};
    QLabel* stash[] = {YH_H, YH_U, YH_T};
    QLabel* store[] = {CB_H, CB_U, CB_T};
    const bool open = CheckBox3->isChecked() && Button1->text() == U(kBlockCaption);
    for (int k = 0; k < 3; ++k) {
        // Opening keeps the wall finishes aside and shows the block ones.
        (open ? stash : store)[k]->setText(finishes[k]->currentText());
        SetComboText(finishes[k], (open ? store : stash)[k]->text());
    }
    Button1->setText(U(open ? kDoneCaption : kBlockCaption));
    if (open)
        Image2->setPixmap(BlockDrawing(Image2->contentsRect().size()));
    Image2->setVisible(open);
    Button2->setEnabled(!open);
    SetVisible({CheckBox1, CheckBox2}, !open);
    SetVisible({REdit11, REdit16}, open);
    if (open)
        CB_Set_on();
    else
        CB_Set_off();
}

void TForm1::Button2Click() {
    const bool open = CheckBox1->isChecked() && Button2->text() == U(kRebarCaption);
    if (open)
        CB_Set_on();
    else
        CB_Set_off();
    Button2->setText(U(open ? kDoneCaption : kRebarCaption));
    Button1->setEnabled(!open);
    SetVisible({CheckBox2, CheckBox3}, !open);
    SetVisible({CheckBox5, RG_BL, RG_HL, Label16, Label18, REdit12, REdit14}, open);
    // A base foundation has no upstand: its bars and layers stay out of sight.
    const bool upstand = open && !B1->isChecked();
    SetVisible({CheckBox6, RG_TL, RG_YL, Label17, Label19, REdit13, REdit15}, upstand);
    SetVisible({StaticText1, StaticText2, Label12, Label13, Label14, ComboBox2, ComboBox3,
                ComboBox4, REdit18},
               !open);
    if (open)
        return;
    EquBase();
    if (U2->isChecked())
        Ditch();
}

// ---------------------------------------------------------------- pitch keys

void TForm1::PitchEnter(TREdit* field, TREdit* partner, QChar& key) {
    if (key != QChar(u'\r'))
        return;
    // Main and distribution bars are usually laid at one pitch.
    if (partner && partner->text().isEmpty())
        partner->setText(field->text());
    FocusAhead(field, 2);
    key = QChar();
}

void TForm1::REdit12KeyPress(QChar& key) {
    PitchEnter(REdit12, REdit14, key);
}
void TForm1::REdit13KeyPress(QChar& key) {
    PitchEnter(REdit13, REdit15, key);
}
void TForm1::REdit14KeyPress(QChar& key) {
    PitchEnter(REdit14, nullptr, key);
}
void TForm1::REdit15KeyPress(QChar& key) {
    PitchEnter(REdit15, nullptr, key);
}

namespace {

bool CanTakeFocus(QWidget* w, QWidget* window) {
    return w->isVisibleTo(window) && w->isEnabled();
}

void GiveFocus(QWidget* w) {
    if (auto* group = qobject_cast<TRadioGroup*>(w)) {
        const int index = group->ItemIndex();
        group->Button(index < 0 ? 0 : index)->setFocus(Qt::TabFocusReason);
    } else {
        w->setFocus(Qt::TabFocusReason);
    }
}

} // namespace

// A radio group counts as one step, as a framed group does on the form.
void TForm1::FocusAhead(QWidget* from, int steps) {
    const int start = pitchTabOrder_.indexOf(from);
    for (int i = start + 1; start >= 0 && i < pitchTabOrder_.size(); ++i) {
        QWidget* w = pitchTabOrder_[i];
        if (!CanTakeFocus(w, this))
            continue;
        if (--steps == 0)
            return GiveFocus(w);
    }
    // Past the end of the panel the window's own focus chain goes on.
    QWidget* w = pitchTabOrder_.isEmpty() ? from : pitchTabOrder_.last();
    for (int guard = 0; steps > 0 && guard < 200; ++guard) {
        w = w->nextInFocusChain();
        if (w == from)
            return;
        if ((w->focusPolicy() & Qt::TabFocus) && CanTakeFocus(w, this) && --steps == 0)
            w->setFocus(Qt::TabFocusReason);
    }
}

// Tab follows the screen: the name and its buttons, the dimension column,
// the panel fields in the drawing's place, then the finish column with each
// button right after the check box that shows it, then the count, the group
// and the remark under them. Hidden fields are passed by.
void TForm1::SetTabOrder() {
    pitchTabOrder_ = {RG_BL, REdit12, RG_HL,   REdit14,   RG_TL,    REdit13,
                      RG_YL, REdit15, Button2, CheckBox5, CheckBox6};
    QList<QWidget*> chain = {ComboBox1, Button4, Button3, Button5};
    for (int n = 1; n <= 9; ++n)
        chain << REdit(n);
    chain << REdit17 << REdit16 << REdit11;
    for (QWidget* w : pitchTabOrder_) {
        if (auto* group = qobject_cast<TRadioGroup*>(w))
            for (int i = 0; i < 3; ++i)
                chain << group->Button(i);
        else if (w != Button2)
            chain << w;
    }
    chain << ComboBox2 << ComboBox3 << ComboBox4 << CheckBox1 << REdit18 << Button2 << CheckBox2
          << REdit10 << CheckBox3 << Button1 << CountEdit << GroupEdit << RemarkEdit;
    for (int i = 0; i + 1 < chain.size(); ++i)
        setTabOrder(chain[i], chain[i + 1]);
}

// ---------------------------------------------------------------- block drawing

QPixmap BlockDrawing(QSize size) {
    QPixmap picture(size);
    picture.fill(Qt::white);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    // Field positions relative to the picture, so the lines meet the fields.
    const QPoint origin = kImageRect.topLeft();
    const QRect hField = kBlockHeightField.translated(-origin);
    const QRect wField = kBlockWidthField.translated(-origin);
    const int left = wField.left() - 10, right = wField.right() + 10;
    const int top = wField.bottom() + 30, course = 56, courses = 3;
    const int bottom = top + course * courses;
    // The wall's upstand under the blocks, hatched as concrete.
    p.setBrush(QBrush(Qt::lightGray, Qt::BDiagPattern));
    p.drawRect(QRect(QPoint(left, bottom), QPoint(right, size.height() - 8)));
    p.setBrush(QColor(235, 235, 225));
    for (int c = 0; c < courses; ++c)
        p.drawRect(left, top + c * course, right - left, course);
    p.setPen(QPen(Qt::darkBlue, 1));
    // Width above the blocks, height beside them.
    const int wy = top - 12;
    p.drawLine(left, wy, right, wy);
    p.drawLine(left, wy - 5, left, top);
    p.drawLine(right, wy - 5, right, top);
    const int hx = right + 22;
    p.drawLine(hx, top, hx, bottom);
    p.drawLine(right, top, hx + 5, top);
    p.drawLine(right, bottom, hx + 5, bottom);
    p.drawLine(hx, hField.center().y(), hField.left(), hField.center().y());
    QFont f = p.font();
    f.setPixelSize(12);
    p.setFont(f);
    p.setPen(Qt::black);
    p.drawText(QRect(left, bottom - 24, right - left, 20), Qt::AlignCenter, U("ＣＢ"));
    p.drawText(QRect(hField.left(), hField.bottom() + 4, hField.width(), 18), Qt::AlignCenter,
               U("高さ(㎜)"));
    p.drawText(QRect(wField.left(), wField.top() - 20, wField.width(), 18), Qt::AlignCenter,
               U("幅(㎜)"));
    return picture;
}
