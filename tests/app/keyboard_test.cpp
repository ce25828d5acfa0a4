// Keyboard entry in the main window: Enter between the numeric fields, the
// Tab order over every control, and the focus after adding an item.
#include "TakeoffFixture.h"

#include <QApplication>
#include <QKeyEvent>

namespace {

class KeyboardTest : public TakeoffFixture {
  protected:
    void SetUp() override {
        TakeoffFixture::SetUp();
        // An item to type into: without one the item's fields are disabled.
        form->ComboBox1->addItem(QStringLiteral("拾い"));
        form->show();
        QApplication::setActiveWindow(form.get());
    }

    static void Press(int key, const QString& text = QString()) {
        QWidget* target = QApplication::focusWidget();
        ASSERT_NE(target, nullptr);
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(target, &press);
    }
    // Types `keys` into whatever has the focus; '\r' is the Enter key.
    static void Type(const QString& keys) {
        for (QChar c : keys)
            c == u'\r' ? Press(Qt::Key_Return) : Press(Qt::Key_unknown, QString(c));
    }

    // The controls Tab visits from `from` until it is back there (included).
    static QList<QWidget*> TabCycle(QWidget* from) {
        from->setFocus(Qt::TabFocusReason);
        QWidget* start = QApplication::focusWidget();
        QList<QWidget*> visited;
        for (int guard = 0; guard < 100; ++guard) {
            Press(Qt::Key_Tab);
            QWidget* now = QApplication::focusWidget();
            if (now == nullptr)
                break;
            visited << now;
            if (now == start)
                break;
        }
        return visited;
    }

    QWidget* Focus() const { return QApplication::focusWidget(); }
};

TEST_F(KeyboardTest, EnterEndsADimensionAndGoesToTheNextShownField) {
    form->REdit1->setFocus();
    Type(QStringLiteral("12000\r1500\r"));
    EXPECT_EQ(form->REdit1->text(), QStringLiteral("12000"));
    EXPECT_EQ(form->REdit2->text(), QStringLiteral("1500"));
    EXPECT_EQ(Focus(), form->REdit3);

    // Along the wall screen's column and on into the finishes.
    QList<QWidget*> walk;
    form->REdit1->setFocus();
    for (int i = 0; i < 9; ++i) {
        Press(Qt::Key_Enter);
        walk << Focus();
    }
    const QList<QWidget*> wall = {form->REdit2, form->REdit3, form->REdit4,
                                  form->REdit5, form->REdit6, form->REdit7,
                                  form->REdit8, form->REdit9, form->ComboBox2};
    EXPECT_EQ(walk, wall);

    // The base screen hides the back height, the wall width and the base
    // thickness; the design GL difference follows the column when shown.
    form->B1Click();
    form->A1Click();
    form->REdit7->setFocus();
    Press(Qt::Key_Return);
    EXPECT_EQ(Focus(), form->REdit17);
    form->REdit2->setFocus();
    Press(Qt::Key_Return);
    EXPECT_EQ(Focus(), form->REdit4);
    // The bar rate and the drain spacing move on too.
    form->REdit18->setFocus();
    form->REdit18->clear();
    Type(QStringLiteral("85\r"));
    EXPECT_EQ(form->REdit18->text(), QStringLiteral("85"));
    EXPECT_NE(Focus(), form->REdit18);
}

TEST_F(KeyboardTest, TabReachesEveryShownControlWithEachButtonAfterItsCheckBox) {
    form->CheckBox1->setChecked(true);
    form->CheckBox2->setChecked(true);
    form->CheckBox3->setChecked(true);
    const QList<QWidget*> cycle = TabCycle(form->ComboBox1);
    for (QWidget* w : form->findChildren<QWidget*>()) {
        const bool control = qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractButton*>(w) ||
                             qobject_cast<QComboBox*>(w);
        // Tool bar buttons take no focus, as on every desktop.
        // The dock's title buttons take no focus, by the toolkit's design.
        if (!control || !w->isVisibleTo(form.get()) || !w->isEnabled() ||
            !(w->focusPolicy() & Qt::TabFocus) ||
            w->focusPolicy() == Qt::NoFocus ||
            qobject_cast<QComboBox*>(w->parentWidget()))
            continue;
        EXPECT_TRUE(cycle.contains(w)) << w->objectName().toStdString();
    }
    const auto after = [&](QWidget* a, QWidget* b) {
        return cycle.indexOf(b) == cycle.indexOf(a) + 1 && cycle.indexOf(a) >= 0;
    };
    EXPECT_TRUE(after(form->CheckBox1, form->Button2)); // 鉄筋設定
    EXPECT_TRUE(after(form->CheckBox3, form->Button1)); // ＣＢ設定
    EXPECT_TRUE(after(form->REdit1, form->REdit2));
    EXPECT_TRUE(after(form->REdit9, form->ComboBox2));

    // In the block panel its two fields come after the run length.
    form->Button1Click();
    const QList<QWidget*> panel = TabCycle(form->REdit1);
    ASSERT_GE(panel.size(), 2);
    EXPECT_EQ(panel[0], form->REdit16);
    EXPECT_EQ(panel[1], form->REdit11);
    EXPECT_TRUE(panel.contains(form->Button1));
}

TEST_F(KeyboardTest, AfterAddingAnItemTheRunLengthHasTheFocus) {
    ASSERT_TRUE(CopyData(QStringLiteral("見本工事.Fa1")));
    Open(QStringLiteral("見本工事.Fa1"));
    form->Button4->setFocus();
    dialogs.inputAnswers = {QStringLiteral("Ｐ－９")};
    form->Button4Click();
    ASSERT_EQ(form->ComboBox1->currentText(), QStringLiteral("Ｐ－９"));
    EXPECT_EQ(form->focusWidget(), form->REdit1);
    Type(QStringLiteral("8000\r"));
    EXPECT_EQ(form->REdit1->text(), QStringLiteral("8000"));

    // A refused name leaves the focus where it was.
    form->Button4->setFocus();
    dialogs.inputAnswers = {QStringLiteral("Ｐ－９")};
    form->Button4Click();
    EXPECT_EQ(form->focusWidget(), form->Button4);
}

} // namespace
