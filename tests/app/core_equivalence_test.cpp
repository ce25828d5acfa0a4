// The take-off core against the window: over random projects, what a
// calculation reads after the window loads an item (as the controls did it
// before the core, and as they do it now) equals the core's snapshot of the
// same section, and the bytes the window's save writes equal the core's.
#include "ItemRecord.h"
#include "ItemTexts.h"
#include "LegacyItem.h"
#include "Project.h"
#include "../RandomProject.h"
#include "TakeoffFixture.h"

#include <QFile>
#include <random>

namespace {

using namespace itemkey;

class CoreEquivalence : public TakeoffFixture {
  protected:
    std::mt19937 rng{20261208};
    randomproject::Generator generator{rng};

    bool Chance(int percent) { return generator.Chance(percent); }

    // A project of a few items of every kind; a key is left out now and then
    // so that its default applies.
    void WriteProject(const QString& name, int items) {
        yoheki::IniFile ini(QFile::encodeName(Path(name)).toStdString());
        generator.Write(ini, items);
    }

    // Leaves the screen in a state a user may leave it in before switching:
    // a panel open, another condition checked.
    void Disturb() {
        if (Chance(20) && form->CheckBox3->isChecked() && form->Button1->isVisible())
            form->Button1Click();
        else if (Chance(20) && form->CheckBox1->isChecked())
            form->Button2Click();
        if (Chance(20))
            form->SelectrNe(static_cast<int>(rng() % 5));
    }
};

void ExpectSameSnapshot(const engine::Snapshot& a, const engine::Snapshot& b,
                        const std::string& where) {
    for (int n = 1; n <= 18; ++n)
        EXPECT_EQ(a.REdit[n], b.REdit[n]) << where << " REdit" << n;
    for (int n = 1; n <= 4; ++n)
        EXPECT_EQ(a.ComboBox[n], b.ComboBox[n]) << where << " ComboBox" << n;
    EXPECT_EQ(std::tie(a.YH_H, a.YH_U, a.YH_T, a.CB_H, a.CB_U, a.CB_T, a.caption),
              std::tie(b.YH_H, b.YH_U, b.YH_T, b.CB_H, b.CB_U, b.CB_T, b.caption))
        << where;
    EXPECT_EQ(std::tie(a.CheckBox1, a.CheckBox2, a.CheckBox3, a.CheckBox5, a.CheckBox6),
              std::tie(b.CheckBox1, b.CheckBox2, b.CheckBox3, b.CheckBox5, b.CheckBox6))
        << where;
    EXPECT_EQ(std::tie(a.RG_BL, a.RG_HL, a.RG_TL, a.RG_YL),
              std::tie(b.RG_BL, b.RG_HL, b.RG_TL, b.RG_YL))
        << where;
    const bool ma[] = {a.S1,  a.Y1,  a.N6061, a.N4541, a.N1001, a.N5051, a.N001, a.N4,
                       a.N5,  a.N8,  a.H1,    a.U1,    a.R2,    a.N22,   a.M1,   a.N110,
                       a.N23, a.K3,  a.M2,    a.A1,    a.D2,    a.Q1,    a.B1,   a.U2};
    const bool mb[] = {b.S1,  b.Y1,  b.N6061, b.N4541, b.N1001, b.N5051, b.N001, b.N4,
                       b.N5,  b.N8,  b.H1,    b.U1,    b.R2,    b.N22,   b.M1,   b.N110,
                       b.N23, b.K3,  b.M2,    b.A1,    b.D2,    b.Q1,    b.B1,   b.U2};
    for (std::size_t k = 0; k < std::size(ma); ++k)
        EXPECT_EQ(ma[k], mb[k]) << where << " menu mark " << k;
}

TEST_F(CoreEquivalence, WindowAndCoreReadAndWriteEveryItemAlike) {
    constexpr int kProjects = 300;
    for (int p = 0; p < kProjects; ++p) {
        const QString name = QStringLiteral("p%1.Fa1").arg(p);
        const int items = 2 + static_cast<int>(rng() % 4);
        WriteProject(name, items);
        Open(name);
        ASSERT_EQ(form->ComboBox1->count(), items);
        const std::string path = QFile::encodeName(Path(name)).toStdString();
        for (int step = 0; step < items; ++step) {
            const int index = static_cast<int>(rng() % static_cast<unsigned>(items));
            const std::string item = form->ComboBox1->itemText(index).toStdString();
            const std::string where = name.toStdString() + " " + item;
            Disturb();
            form->D2->setChecked(Chance(30));
            form->Q1->setChecked(Chance(50));
            const yoheki::IniFile before(path);
            const takeoff::ItemRecord record = takeoff::ReadItem(before, item);
            const engine::Snapshot expected =
                takeoff::ToSnapshot(record, item, takeoff::Caption(path),
                                    {form->D2->isChecked(), form->Q1->isChecked()});
            // The controls as they were loaded before the core.
            form->ComboBox1->setCurrentIndex(index);
            legacy::ListInput(*form, before, item);
            ExpectSameSnapshot(form->TakeSnapshot(), expected, where + " (reference)");
            ProjectFile reference;
            ASSERT_TRUE(QFile::copy(Path(name), Path(QStringLiteral("reference.Fa1"))));
            legacy::ListOutPut(*form, reference, QFile::encodeName(Path(QStringLiteral("reference.Fa1"))).toStdString(),
                               item, QString::fromStdString(record.barRate));
            // The core's save of the same item into another copy.
            ProjectFile core;
            ASSERT_TRUE(QFile::copy(Path(name), Path(QStringLiteral("core.Fa1"))));
            takeoff::SaveItem(core, QFile::encodeName(Path(QStringLiteral("core.Fa1"))).toStdString(), item, record);
            ASSERT_EQ(ReadFile(QStringLiteral("reference.Fa1")), ReadFile(QStringLiteral("core.Fa1"))) << where;
            // The window as it loads and saves now.
            Disturb();
            ShowItem(*form, index);
            ExpectSameSnapshot(form->TakeSnapshot(), expected, where);
            ASSERT_TRUE(SaveItem(*form, QString::fromStdString(item), Path(name))) << where;
            ASSERT_EQ(ReadFile(name), ReadFile(QStringLiteral("core.Fa1"))) << where;
            QFile::remove(Path(QStringLiteral("reference.Fa1")));
            QFile::remove(Path(QStringLiteral("core.Fa1")));
        }
        EXPECT_TRUE(dialogs.messages().isEmpty()) << name.toStdString();
    }
}

} // namespace
