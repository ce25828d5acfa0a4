// The three check boxes, the block and reinforcement panels and the Enter key
// of the pitch fields.
#include "AppFixture.h"
#include "Utf8.h"

#include <QApplication>
#include <QKeyEvent>

namespace {

class PanelsTest : public AppFixture {
  protected:
    void SetUp() override {
        AppFixture::SetUp();
        // An item to fill in: without one the item's fields are disabled.
        form->ComboBox1->addItem(U("拾い"));
    }
    void SetFinishes(const char* front, const char* back, const char* top) {
        form->ComboBox2->setEditText(U(front));
        form->ComboBox3->setEditText(U(back));
        form->ComboBox4->setEditText(U(top));
    }
    QStringList Finishes() const {
        return {form->ComboBox2->currentText(), form->ComboBox3->currentText(),
                form->ComboBox4->currentText()};
    }
    QStringList Store() const {
        return {form->CB_H->text(), form->CB_U->text(), form->CB_T->text()};
    }
    QStringList Stash() const {
        return {form->YH_H->text(), form->YH_U->text(), form->YH_T->text()};
    }
    // The item-level controls a panel puts away.
    void ExpectItemControls(bool shown) {
        EXPECT_EQ(form->ComboBox1->isEnabled(), shown);
        for (QWidget* w : {(QWidget*)form->Button4, (QWidget*)form->Image1, (QWidget*)form->Label3,
                           (QWidget*)form->Label10, (QWidget*)form->REdit2, (QWidget*)form->REdit9,
                           (QWidget*)form->REdit18})
            EXPECT_EQ(w->isHidden(), !shown) << w->objectName().toStdString();
    }
};

TEST_F(PanelsTest, CheckBoxesShowTheirFieldsAndButtonsWhenSetFromCode) {
    form->REdit18->setText(QStringLiteral("90"));
    form->CheckBox1->setChecked(true);
    EXPECT_FALSE(form->Button2->isHidden());
    EXPECT_TRUE(form->REdit18->isHidden());
    EXPECT_TRUE(form->REdit18->text().isEmpty());
    form->CheckBox1->setChecked(false);
    EXPECT_TRUE(form->Button2->isHidden());
    EXPECT_FALSE(form->REdit18->isHidden());
    EXPECT_EQ(form->REdit18->text(), U("70"));

    form->CheckBox2->setChecked(true);
    EXPECT_FALSE(form->REdit10->isHidden());
    form->CheckBox2->setChecked(false);
    EXPECT_TRUE(form->REdit10->isHidden());

    form->CheckBox3->setChecked(true);
    EXPECT_FALSE(form->Button1->isHidden());
    form->CheckBox3->setChecked(false);
    EXPECT_TRUE(form->Button1->isHidden());
}

TEST_F(PanelsTest, BlockPanelSwapsWallAndBlockFinishes) {
    SetFinishes("打放補修", "打放し", "金鏝押え");
    form->CB_H->setText(U("モルタル金鏝"));
    form->CB_T->setText(U("笠木"));
    form->REdit18->setText(QStringLiteral("85"));
    form->CheckBox3->setChecked(true);
    form->Button1Click();
    EXPECT_EQ(form->Button1->text(), U("設定完了"));
    EXPECT_EQ(Finishes(), QStringList({U("モルタル金鏝"), QString(), U("笠木")}));
    EXPECT_EQ(Stash(), QStringList({U("打放補修"), U("打放し"), U("金鏝押え")}));
    EXPECT_FALSE(form->Image2->isHidden());
    EXPECT_FALSE(form->Button2->isEnabled());
    EXPECT_TRUE(form->CheckBox1->isHidden());
    EXPECT_TRUE(form->CheckBox2->isHidden());
    EXPECT_FALSE(form->REdit11->isHidden());
    EXPECT_FALSE(form->REdit16->isHidden());
    ExpectItemControls(false);

    form->ComboBox3->setEditText(U("吹付タイル")); // edited in the panel: a block finish
    form->Button1Click();
    EXPECT_EQ(form->Button1->text(), U("ＣＢ設定"));
    EXPECT_EQ(Finishes(), QStringList({U("打放補修"), U("打放し"), U("金鏝押え")}));
    EXPECT_EQ(Store(), QStringList({U("モルタル金鏝"), U("吹付タイル"), U("笠木")}));
    EXPECT_TRUE(form->Image2->isHidden());
    EXPECT_TRUE(form->Button2->isEnabled());
    EXPECT_TRUE(form->REdit11->isHidden());
    ExpectItemControls(true);
    EXPECT_EQ(form->REdit18->text(), U("70"));
}

TEST_F(PanelsTest, ReinforcementPanelShowsBarsAndRestoresTheScreen) {
    form->A1->setChecked(true);
    form->REdit17->show();
    form->Label20->show();
    form->CheckBox1->setChecked(true);
    form->Button2Click();
    EXPECT_EQ(form->Button2->text(), U("設定完了"));
    EXPECT_FALSE(form->Button1->isEnabled());
    for (QWidget* w : {(QWidget*)form->RG_BL, (QWidget*)form->RG_HL, (QWidget*)form->RG_TL,
                       (QWidget*)form->RG_YL, (QWidget*)form->Label16, (QWidget*)form->Label19,
                       (QWidget*)form->REdit12, (QWidget*)form->REdit15, (QWidget*)form->CheckBox5,
                       (QWidget*)form->CheckBox6})
        EXPECT_FALSE(w->isHidden()) << w->objectName().toStdString();
    for (QWidget* w : {(QWidget*)form->CheckBox2, (QWidget*)form->CheckBox3,
                       (QWidget*)form->StaticText1, (QWidget*)form->Label12,
                       (QWidget*)form->ComboBox4, (QWidget*)form->REdit17, (QWidget*)form->Label20})
        EXPECT_TRUE(w->isHidden()) << w->objectName().toStdString();
    ExpectItemControls(false);

    form->Button2Click();
    EXPECT_EQ(form->Button2->text(), U("鉄筋設定"));
    EXPECT_TRUE(form->RG_BL->isHidden());
    EXPECT_TRUE(form->REdit12->isHidden());
    EXPECT_FALSE(form->ComboBox4->isHidden());
    EXPECT_FALSE(form->REdit17->isHidden());
    ExpectItemControls(true);
    EXPECT_EQ(form->REdit18->text(), U("70"));
    EXPECT_FALSE(form->Button2->isHidden()); // the calculation is still on
}

TEST_F(PanelsTest, ClosingTheReinforcementPanelOnABaseItemShowsTheBaseScreen) {
    dialogs.questionAnswers = {true};
    form->B1Click();
    form->CheckBox1->setChecked(true);
    form->Button2Click();
    // A base foundation has no upstand bars.
    for (QWidget* w : {(QWidget*)form->RG_TL, (QWidget*)form->RG_YL, (QWidget*)form->REdit13,
                       (QWidget*)form->REdit15, (QWidget*)form->CheckBox6})
        EXPECT_TRUE(w->isHidden()) << w->objectName().toStdString();
    EXPECT_FALSE(form->RG_HL->isHidden());
    form->Button2Click();
    for (QWidget* w :
         {(QWidget*)form->REdit3, (QWidget*)form->REdit8, (QWidget*)form->REdit9,
          (QWidget*)form->CheckBox2, (QWidget*)form->CheckBox3, (QWidget*)form->ComboBox3})
        EXPECT_TRUE(w->isHidden()) << w->objectName().toStdString();
    EXPECT_FALSE(form->REdit2->isHidden());
}

TEST_F(PanelsTest, UncheckingBarsWhileThePanelIsOpenHidesItsButtonUntilCheckedAgain) {
    form->CheckBox1->setChecked(true);
    form->Button2Click();
    form->CheckBox1->setChecked(false);
    EXPECT_TRUE(form->Button2->isHidden());
    form->CheckBox1->setChecked(true);
    EXPECT_FALSE(form->Button2->isHidden());
    EXPECT_EQ(form->Button2->text(), U("設定完了"));
    form->Button2->click();
    EXPECT_EQ(form->Button2->text(), U("鉄筋設定"));
    EXPECT_TRUE(form->CheckBox5->isHidden());
    ExpectItemControls(true);
}

// ---------------------------------------------------------------- Enter key

class PitchKeyTest : public PanelsTest {
  protected:
    void SetUp() override {
        PanelsTest::SetUp();
        form->show();
        QApplication::setActiveWindow(form.get());
        form->CheckBox1->setChecked(true);
        form->Button2Click();
    }
    // Sends a key to the field as typing would; true when the field kept it.
    bool Press(TREdit* field, int key, const QString& text = QString()) {
        field->setFocus();
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(field, &press);
        return press.isAccepted();
    }
};

TEST_F(PitchKeyTest, EnterCopiesThePitchIntoAnEmptyPartnerOnly) {
    form->REdit12->setText(QStringLiteral("200"));
    Press(form->REdit12, Qt::Key_Return);
    EXPECT_EQ(form->REdit14->text(), QStringLiteral("200"));
    form->REdit12->setText(QStringLiteral("150"));
    Press(form->REdit12, Qt::Key_Enter);
    EXPECT_EQ(form->REdit14->text(), QStringLiteral("200"));
    form->REdit13->setText(QStringLiteral("250"));
    Press(form->REdit13, Qt::Key_Return);
    EXPECT_EQ(form->REdit15->text(), QStringLiteral("250"));
    form->REdit14->clear();
    form->REdit15->setText(QStringLiteral("300"));
    Press(form->REdit15, Qt::Key_Return);
    EXPECT_TRUE(form->REdit14->text().isEmpty()); // only 12 and 13 copy
    Press(form->REdit12, Qt::Key_5, QStringLiteral("5"));
    EXPECT_EQ(form->REdit12->text(), QStringLiteral("1505"));
}

TEST_F(PitchKeyTest, EnterMovesTwoStepsCountingAGroupAsOneAndSkippingHiddenOnes) {
    const std::pair<TREdit*, QWidget*> moves[] = {{form->REdit12, form->REdit14},
                                                  {form->REdit14, form->REdit13},
                                                  {form->REdit13, form->REdit15},
                                                  {form->REdit15, form->CheckBox5}};
    for (const auto& [from, to] : moves) {
        Press(from, Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), to) << from->objectName().toStdString();
    }
    form->REdit13->hide();
    form->RG_YL->hide();
    Press(form->REdit14, Qt::Key_Return); // RG_TL, then past 13 and RG_YL to REdit15
    EXPECT_EQ(QApplication::focusWidget(), form->REdit15);
    form->REdit14->hide();
    form->RG_TL->SetItemIndex(1);
    Press(form->REdit12, Qt::Key_Return); // RG_HL, then RG_TL at its chosen size
    EXPECT_EQ(QApplication::focusWidget(), form->RG_TL->Button(1));
}

} // namespace
