// Structure-type switching: the three screens reached from each other, what
// each switch empties, the questions and messages, the drawings.
#include "AppFixture.h"
#include "Utf8.h"

#include <QDateTime>

namespace {

enum class Mode { Wall, Base, Ditch };
const char* const kDrawing[] = {"擁壁１.bmp", "設備基礎.bmp", "Ｕ字側溝.bmp"};
const QColor kColour[] = {Qt::red, Qt::green, Qt::blue};

// Each drawing in its own colour, so the picture on screen tells which was loaded.
class ModesTest : public AppFixture {
  protected:
    bool CopyDrawings() const override { return false; }
    void SetUp() override {
        AppFixture::SetUp();
        for (int m = 0; m < 3; ++m)
            WriteDrawing(U(kDrawing[m]), kColour[m]);
        form->EquBase(); // the wall screen with its drawing, as after start-up
    }
    void WriteDrawing(const QString& name, QColor colour) const {
        QImage image(40, 30, QImage::Format_RGB888);
        image.fill(colour);
        ASSERT_TRUE(image.save(Path(name), "BMP"));
    }
    QColor Shown() const {
        const QImage image = form->Image1->pixmap().toImage();
        return image.isNull() ? QColor() : image.pixelColor(image.rect().center());
    }
    void Enter(Mode mode) {
        dialogs.questionAnswers = {true};
        if (mode == Mode::Base && !form->B1->isChecked())
            form->B1Click();
        if (mode == Mode::Ditch && !form->U2->isChecked())
            form->U2Click();
        if (mode == Mode::Wall && form->B1->isChecked())
            form->B1Click();
        if (mode == Mode::Wall && form->U2->isChecked())
            form->U2Click();
        dialogs.clear();
    }
    void ExpectScreen(Mode mode, bool withDrawing = true) {
        const bool wall = mode == Mode::Wall, base = mode == Mode::Base;
        SCOPED_TRACE(static_cast<int>(mode));
        EXPECT_EQ(form->B1->isChecked(), base);
        EXPECT_EQ(form->U2->isChecked(), mode == Mode::Ditch);
        for (QWidget* w : {(QWidget*)form->REdit2, (QWidget*)form->Label3})
            EXPECT_EQ(w->isHidden(), mode == Mode::Ditch) << w->objectName().toStdString();
        for (QWidget* w : {(QWidget*)form->REdit8, (QWidget*)form->REdit9, (QWidget*)form->Label9,
                           (QWidget*)form->Label10})
            EXPECT_EQ(w->isHidden(), base) << w->objectName().toStdString();
        for (QWidget* w :
             {(QWidget*)form->REdit3, (QWidget*)form->Label4, (QWidget*)form->CheckBox2,
              (QWidget*)form->CheckBox3, (QWidget*)form->ComboBox3, (QWidget*)form->Label13,
              (QWidget*)form->StaticText1, (QWidget*)form->StaticText2})
            EXPECT_EQ(w->isHidden(), !wall) << w->objectName().toStdString();
        EXPECT_EQ(form->Label12->text(),
                  mode == Mode::Ditch ? U("Ｕ字側溝内仕上") : U("仕上[表面]"));
        if (withDrawing) {
            EXPECT_EQ(Shown(), kColour[static_cast<int>(mode)]);
        }
        // Every switch ends with the bar rate and no reinforcement calculation.
        EXPECT_FALSE(form->CheckBox1->isChecked());
        EXPECT_TRUE(form->Button2->isHidden());
        EXPECT_FALSE(form->REdit18->isHidden());
        EXPECT_EQ(form->REdit18->text(), U("70"));
    }
    void FillItem() {
        for (int n = 1; n <= 17; ++n)
            form->REdit(n)->setText(QString::number(100 * n));
        form->REdit18->setText(QStringLiteral("85"));
        for (QLabel* l : {form->CB_H, form->CB_U, form->CB_T})
            l->setText(U("モルタル金鏝"));
        for (TRadioGroup* g : {form->RG_BL, form->RG_HL, form->RG_TL, form->RG_YL})
            g->SetItemIndex(2);
    }
};

TEST_F(ModesTest, EveryScreenIsReachedFromEveryOther) {
    const Mode modes[] = {Mode::Wall, Mode::Base, Mode::Ditch};
    for (Mode from : modes)
        for (Mode to : modes) {
            if (from == to)
                continue;
            Enter(from);
            ExpectScreen(from);
            form->CheckBox1->setChecked(true);
            Enter(to);
            ExpectScreen(to);
        }
}

TEST_F(ModesTest, EnteringBaseEmptiesTheWallOnlyInputs) {
    FillItem();
    Enter(Mode::Base);
    for (int n : {3, 8, 9, 10, 13, 15})
        EXPECT_TRUE(form->REdit(n)->text().isEmpty()) << n;
    for (int n : {1, 2, 4, 5, 6, 7, 11, 12, 14, 16, 17})
        EXPECT_FALSE(form->REdit(n)->text().isEmpty()) << n;
    for (QLabel* l : {form->CB_H, form->CB_U, form->CB_T})
        EXPECT_TRUE(l->text().isEmpty());
    EXPECT_EQ(form->RG_TL->ItemIndex(), -1);
    EXPECT_EQ(form->RG_YL->ItemIndex(), -1);
    EXPECT_EQ(form->RG_BL->ItemIndex(), 2);
    EXPECT_TRUE(form->CheckBox6->isHidden());
}

TEST_F(ModesTest, EnteringDitchEmptiesHeightsPipesAndBlocks) {
    FillItem();
    Enter(Mode::Ditch);
    for (int n : {2, 3, 10, 11, 16})
        EXPECT_TRUE(form->REdit(n)->text().isEmpty()) << n;
    for (int n : {1, 4, 5, 6, 7, 8, 9, 12, 13, 14, 15, 17})
        EXPECT_FALSE(form->REdit(n)->text().isEmpty()) << n;
    for (QLabel* l : {form->CB_H, form->CB_U, form->CB_T})
        EXPECT_TRUE(l->text().isEmpty());
    EXPECT_EQ(form->RG_TL->ItemIndex(), 2);
}

TEST_F(ModesTest, CancelChangesNothingAndLeavingOnlyInforms) {
    for (auto click : {&TForm1::B1Click, &TForm1::U2Click}) {
        FillItem();
        const QStringList before = ScreenState();
        dialogs.questionAnswers = {false};
        (form.get()->*click)();
        EXPECT_EQ(ScreenState(), before);
        ASSERT_EQ(dialogs.records.size(), 1);
        EXPECT_EQ(dialogs.records[0].kind, QStringLiteral("question"));
        EXPECT_EQ(dialogs.records[0].text,
                  U("一部の入力済みデータが削除されます。よろしいですか？"));
        EXPECT_EQ(dialogs.questionIcons, QList{yoheki::Dialogs::Icon::Warning});
        dialogs.clear();
    }
    for (Mode mode : {Mode::Base, Mode::Ditch}) {
        Enter(mode);
        (form.get()->*(mode == Mode::Base ? &TForm1::B1Click : &TForm1::U2Click))();
        EXPECT_EQ(dialogs.texts(), QStringList{U("Ｌ型擁壁のデータに切替えます")});
        EXPECT_EQ(dialogs.messages().size(), 1);
        ExpectScreen(Mode::Wall);
        dialogs.clear();
    }
}

TEST_F(ModesTest, AnUnreadableDrawingIsReportedOnceAndTheSwitchGoesOn) {
    QFile::remove(Path(U(kDrawing[1])));
    WriteFile(U(kDrawing[2]), "not a bitmap");
    dialogs.questionAnswers = {true, true};
    form->B1Click();
    ExpectScreen(Mode::Base, false);
    EXPECT_TRUE(form->Image1->pixmap().isNull());
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages()[0].contains(U(kDrawing[1])));
    EXPECT_TRUE(dialogs.messages()[0].contains(QDir::toNativeSeparators(dir.path())));
    form->U2Click();
    ExpectScreen(Mode::Ditch, false);
    EXPECT_EQ(dialogs.messages().size(), 1);
}

TEST_F(ModesTest, DrawingNamesMatchWithoutRegardToCase) {
    QFile::remove(Path(U(kDrawing[1])));
    const QString upper = U(kDrawing[1]).replace(QStringLiteral(".bmp"), QStringLiteral(".BMP"));
    WriteDrawing(upper, Qt::magenta);
    EXPECT_EQ(FindDrawing(dir.path(), U(kDrawing[1])), Path(upper));
    EXPECT_EQ(FindDrawing(dir.path(), U(kDrawing[0]).toUpper()), Path(U(kDrawing[0])));
    EXPECT_TRUE(FindDrawing(dir.path(), QStringLiteral("none.bmp")).isEmpty());
    EXPECT_TRUE(FindDrawing(QString(), U(kDrawing[0])).isEmpty());
    Enter(Mode::Base);
    EXPECT_EQ(Shown(), QColor(Qt::magenta));
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

TEST_F(ModesTest, ADrawingReplacedOnDiskIsShownAnew) {
    Enter(Mode::Base);
    EXPECT_EQ(Shown(), kColour[1]);
    WriteDrawing(U(kDrawing[1]), Qt::yellow);
    QFile file(Path(U(kDrawing[1])));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(60),
                                 QFileDevice::FileModificationTime));
    file.close();
    Enter(Mode::Wall);
    Enter(Mode::Base);
    EXPECT_EQ(Shown(), QColor(Qt::yellow));
}

// The block button belongs with its check box, which only the wall screen has;
// a panel left open by a switch would strand its controls.
TEST_F(ModesTest, SwitchingClosesAnOpenPanelAndHidesTheBlockButton) {
    form->ComboBox2->setEditText(U("打放補修"));
    form->CheckBox3->setChecked(true);
    form->Button1Click();
    ASSERT_TRUE(form->BlockPanelOpen());
    Enter(Mode::Base);
    EXPECT_FALSE(form->BlockPanelOpen());
    EXPECT_TRUE(form->ComboBox1->isEnabled());
    EXPECT_TRUE(form->Image2->isHidden());
    EXPECT_EQ(form->ComboBox2->currentText(), U("打放補修"));
    EXPECT_TRUE(form->Button1->isHidden());
    ExpectScreen(Mode::Base);
    Enter(Mode::Wall);
    EXPECT_FALSE(form->Button1->isHidden());

    form->CheckBox1->setChecked(true);
    form->Button2Click();
    ASSERT_TRUE(form->RebarPanelOpen());
    Enter(Mode::Ditch);
    EXPECT_FALSE(form->RebarPanelOpen());
    EXPECT_TRUE(form->RG_BL->isHidden());
    EXPECT_TRUE(form->Button1->isEnabled());
    ExpectScreen(Mode::Ditch);
}

} // namespace
