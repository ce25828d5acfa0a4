// The screen after the continuous text output, and the bar rate of an item
// under the reinforcement calculation across saving and reopening.
#include "ItemTexts.h"
#include "TakeoffFixture.h"
#include "Utf8.h"

namespace {

// Which fields and buttons the screen shows, and what a calculation reads.
struct ShownScreen {
    QList<bool> shown;
    engine::Snapshot snapshot;
};

class ScreenAfterOutput : public TakeoffFixture {
  protected:
    ShownScreen State() const {
        ShownScreen s;
        for (int n = 1; n <= 18; ++n)
            s.shown << form->REdit(n)->isVisible();
        for (QWidget* w : std::initializer_list<QWidget*>{
                 form->Button1, form->Button2, form->CheckBox2, form->CheckBox3, form->ComboBox3})
            s.shown << w->isVisible();
        s.snapshot = form->TakeSnapshot();
        return s;
    }
    static void ExpectSame(const ShownScreen& a, const ShownScreen& b) {
        EXPECT_EQ(a.shown, b.shown);
        EXPECT_EQ(a.snapshot.REdit, b.snapshot.REdit);
        EXPECT_EQ(a.snapshot.ComboBox, b.snapshot.ComboBox);
        EXPECT_EQ(std::tie(a.snapshot.B1, a.snapshot.U2, a.snapshot.CheckBox2, a.snapshot.CheckBox3),
                  std::tie(b.snapshot.B1, b.snapshot.U2, b.snapshot.CheckBox2, b.snapshot.CheckBox3));
    }
    void Reopen(const QString& name) {
        form->FormClose();
        Open(name);
    }
};

TEST_F(ScreenAfterOutput, ContinuousOutputAndPrintAllLeaveTheFirstItemAsAFreshLoadShowsIt) {
    CopyData(QStringLiteral("見本工事.Fa1"));
    const QString sample = U("見本工事.Fa1");
    Open(sample);
    form->show();
    const ShownScreen fresh = State();
    ASSERT_GE(form->ComboBox1->count(), 6);
    // Start from the last item (a ditch), as a user who looked at it would.
    ShowItem(*form, form->ComboBox1->count() - 1);
    ASSERT_TRUE(form->U2->isChecked());
    form->Q1Click();
    dialogs.fileAnswers << Path("all.txt");
    form->T1Click();
    ASSERT_FALSE(ReadFile("all.txt").isEmpty());
    EXPECT_EQ(form->ComboBox1->currentIndex(), 0);
    ExpectSame(State(), fresh);
    // Print-all from the ditch again.
    int pages = 0;
    form2->PageSink = [&pages](const StatementPage&) { ++pages; };
    ShowItem(*form, form->ComboBox1->count() - 1);
    form->A2Click();
    EXPECT_EQ(pages, form->ComboBox1->count());
    EXPECT_EQ(form->ComboBox1->currentIndex(), 0);
    ExpectSame(State(), fresh);
    // And the next wall item still shows the wall screen, no stray field.
    ShowItem(*form, 1);
    const ShownScreen second = State();
    Open(sample);
    ShowItem(*form, 1);
    ExpectSame(second, State());
}

TEST_F(ScreenAfterOutput, BarRateSurvivesSavingAndReopeningWithTheCalculationOnOrOff) {
    WriteText("p.Fa1", "[A]\n延長さ=1000\n歩掛=85\n鉄筋=0\n\n[B]\n延長さ=2000\n歩掛=95\n鉄筋=1\n\n");
    for (bool tickA : {false, true})
        for (bool untickB : {false, true}) {
            WriteText("p.Fa1",
                      "[A]\n延長さ=1000\n歩掛=85\n鉄筋=0\n\n[B]\n延長さ=2000\n歩掛=95\n鉄筋=1\n\n");
            Open("p.Fa1");
            if (tickA)
                form->CheckBox1->setChecked(true);
            Choose("B");
            EXPECT_TRUE(form->REdit18->isHidden());
            if (untickB)
                form->CheckBox1->setChecked(false);
            Choose("A");
            Reopen("p.Fa1");
            // A keeps 85 whether or not the calculation hid its field.
            EXPECT_EQ(Value("p.Fa1", "A", "歩掛"), "85") << tickA << untickB;
            EXPECT_EQ(form->REdit18->text(), tickA ? "" : "85");
            // B kept its 95 while hidden; unticked, the field shows the
            // usual rate, which is what it then stores.
            EXPECT_EQ(Value("p.Fa1", "B", "歩掛"), untickB ? "70" : "95") << tickA << untickB;
            Choose("B");
            EXPECT_EQ(form->REdit18->text(), untickB ? "70" : "");
            form->CheckBox1->setChecked(false);
            EXPECT_EQ(form->REdit18->text(), "70");
        }
}

} // namespace
