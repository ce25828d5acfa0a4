// The desktop conventions of the main window: the file commands, undo and
// redo of the item on screen across its fields, the modified mark, the
// structure choice on the form and the manual's window.
#include "Desktop.h"
#include "FileMenu.h"
#include "HelpWindow.h"
#include "ItemTexts.h"
#include "SummaryForm.h"
#include "TakeoffFixture.h"
#include "UndoStack.h"
#include "Utf8.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QScrollBar>
#include <QTableView>
#include <QProcess>
#include <QTextBrowser>
#include <QTreeWidget>

namespace {

class DesktopTest : public TakeoffFixture {
  protected:
    void SetUp() override {
        TakeoffFixture::SetUp();
        WriteText("当初.Fa1", "[擁壁A]\n延長さ=10000\n仕上高表=1200\n仕上高裏=1200\n"
                              "根入長=500\n\n[擁壁B]\n延長さ=5000\n\n");
        Open("当初.Fa1");
    }
    QAction* Action(const char* name) const {
        return form->findChild<QAction*>(QString::fromLatin1(name));
    }
    ItemHistory& History() { return ItemHistory::Of(*form); }
    // An edit as typing makes it, taken as one step.
    void Edit(TREdit* field, const QString& text) {
        field->setText(text);
        History().Flush();
        QCoreApplication::processEvents();
    }
    bool Marked() const { return form->windowTitle().endsWith(U("[*]")); }
};

TEST_F(DesktopTest, SaveWritesTheItemNowAndClearsTheMark) {
    EXPECT_FALSE(Marked());
    Edit(form->REdit1, "12000");
    EXPECT_TRUE(Marked());
    EXPECT_TRUE(form->isWindowModified());
    EXPECT_EQ(Value("当初.Fa1", "擁壁A", itemkey::kRunLength), "10000");
    ASSERT_EQ(Action("FileSave")->shortcut(), QKeySequence(QKeySequence::Save));
    Action("FileSave")->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(Value("当初.Fa1", "擁壁A", itemkey::kRunLength), "12000");
    EXPECT_FALSE(Marked());
    // The statements name the project without the mark.
    Edit(form->REdit1, "13000");
    EXPECT_EQ(ProjectCaption(*form), U("擁壁数量調書：当初"));
}

TEST_F(DesktopTest, SaveAsCopiesTheProjectWithTheScreenAndOffersTheComparison) {
    Choose(U("擁壁B"));
    Edit(form->REdit1, "7000");
    dialogs.fileAnswers << Path("変更.Fa1");
    dialogs.questionAnswers << true; // compare with the earlier file
    Action("FileSaveAs")->trigger();
    EXPECT_EQ(form->CurrentProject, Path("変更.Fa1"));
    EXPECT_EQ(form->windowTitle(), U("擁壁数量調書：変更"));
    EXPECT_EQ(form->ComboBox1->currentText(), U("擁壁B"));
    EXPECT_EQ(form->REdit1->text(), "7000");
    EXPECT_EQ(Value("変更.Fa1", "擁壁B", itemkey::kRunLength), "7000");
    EXPECT_EQ(Value("変更.Fa1", "擁壁A", itemkey::kRunLength), "10000");
    EXPECT_EQ(Value("当初.Fa1", "擁壁B", itemkey::kRunLength), "5000"); // the earlier one stays
    auto* summary = form->findChild<TSummaryForm*>();
    ASSERT_NE(summary, nullptr);
    EXPECT_TRUE(summary->Comparing());
    // The names stay at the left edge while the quantities scroll sideways.
    summary->show();
    QCoreApplication::processEvents();
    auto* names = summary->CompareGrid->findChild<QTableView*>(QStringLiteral("FrozenColumns"));
    ASSERT_NE(names, nullptr);
    summary->CompareGrid->horizontalScrollBar()->setValue(
        summary->CompareGrid->horizontalScrollBar()->maximum());
    QCoreApplication::processEvents();
    EXPECT_TRUE(names->isVisibleTo(summary));
    EXPECT_EQ(names->x(), summary->CompareGrid->frameWidth());
    EXPECT_EQ(names->width(), summary->CompareGrid->columnWidth(0) + 1);
    EXPECT_EQ(FileCommands::Of(*form).Recent().first(), Path("変更.Fa1"));

    // Onto the open project itself: refused; onto another project: only
    // after asking.
    dialogs.clear();
    dialogs.fileAnswers << Path("変更.Fa1") << Path("当初.Fa1");
    dialogs.questionAnswers << false;
    Action("FileSaveAs")->trigger();
    Action("FileSaveAs")->trigger();
    EXPECT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(dialogs.questionIcons.size(), 1);
    EXPECT_EQ(form->CurrentProject, Path("変更.Fa1"));
    EXPECT_EQ(Value("当初.Fa1", "擁壁B", itemkey::kRunLength), "5000");
}

TEST_F(DesktopTest, NewOpenAndRecentProjects) {
    dialogs.fileAnswers << Path("新築.Fa1");
    Action("FileNew")->trigger();
    EXPECT_EQ(form->CurrentProject, Path("新築.Fa1"));
    EXPECT_TRUE(QFileInfo::exists(Path("新築.Fa1")));
    EXPECT_EQ(form->ComboBox1->count(), 0);
    // A name already taken is not made anew.
    dialogs.fileAnswers << Path("当初.Fa1");
    Action("FileNew")->trigger();
    EXPECT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(form->CurrentProject, Path("新築.Fa1"));
    // Cancelling 開く keeps the project open and the program running.
    form->F1->trigger();
    EXPECT_FALSE(form->terminated);
    EXPECT_EQ(form->CurrentProject, Path("新築.Fa1"));

    for (int i = 1; i <= 6; ++i) {
        WriteText(QStringLiteral("p%1.Fa1").arg(i), "[A]\n延長さ=1000\n\n");
        Open(QStringLiteral("p%1.Fa1").arg(i));
    }
    const QStringList recent = FileCommands::Of(*form).Recent();
    ASSERT_EQ(recent.size(), FileCommands::kRecent);
    EXPECT_EQ(recent.first(), Path("p6.Fa1"));
    EXPECT_EQ(recent.last(), Path("p2.Fa1"));
    QFile::remove(Path("p3.Fa1"));
    FileCommands::Of(*form).OpenRecent(Path("p3.Fa1"));
    EXPECT_EQ(dialogs.messages().size(), 1);
    EXPECT_FALSE(FileCommands::Of(*form).Recent().contains(Path("p3.Fa1")));
    FileCommands::Of(*form).OpenRecent(Path("p4.Fa1"));
    EXPECT_EQ(form->CurrentProject, Path("p4.Fa1"));
}

// Fields, a finish, a check box, a condition and the structure: undone one
// by one back to the item as loaded, redone, and a new edit drops the redo.
TEST_F(DesktopTest, UndoAndRedoAcrossFieldsConditionsAndMode) {
    const takeoff::ItemRecord loaded = ScreenRecord(*form);
    EXPECT_FALSE(History().CanUndo());
    Edit(form->REdit1, "12000");
    Edit(form->REdit2, "1500");
    form->ComboBox2->setEditText(U("タイル"));
    History().Flush();
    form->CheckBox2->setChecked(true);
    History().Flush();
    form->Y1Click();
    History().Flush();
    form->B1Click(); // to the base screen, after the question
    History().Flush();
    std::vector<takeoff::ItemRecord> steps{ScreenRecord(*form)};
    while (History().CanUndo()) {
        History().Undo();
        steps.push_back(ScreenRecord(*form));
    }
    ASSERT_EQ(steps.size(), 7u);
    EXPECT_EQ(steps.back(), loaded);
    EXPECT_FALSE(Marked());
    EXPECT_TRUE(steps[1].ditch == false && steps[0].base && !steps[1].base);
    EXPECT_EQ(steps[1].Ne, 2);
    EXPECT_EQ(steps[2].Ne, loaded.Ne);
    EXPECT_TRUE(steps[2].pipes && !steps[3].pipes);
    EXPECT_EQ(steps[3].front, "タイル");
    EXPECT_EQ(steps[5].REdit[1], "12000");
    EXPECT_EQ(steps[5].REdit[2], "1200");
    for (std::size_t i = steps.size() - 1; i-- > 0;) {
        History().Redo();
        EXPECT_EQ(ScreenRecord(*form), steps[i]) << i;
    }
    EXPECT_TRUE(Marked());
    History().Undo();
    Edit(form->REdit5, "50");
    EXPECT_FALSE(History().CanRedo());
}

TEST_F(DesktopTest, EachItemShownHasItsOwnHistoryAndRevertIsUndoable) {
    Edit(form->REdit1, "12000");
    Choose(U("擁壁B")); // saves 擁壁A
    EXPECT_FALSE(History().CanUndo());
    EXPECT_FALSE(Marked());
    Edit(form->REdit1, "6000");
    Edit(form->REdit4, "800");
    Action("EditRevert")->trigger();
    EXPECT_EQ(form->REdit1->text(), "5000");
    EXPECT_FALSE(Marked());
    Action("EditUndo")->trigger();
    EXPECT_EQ(form->REdit1->text(), "6000");
    EXPECT_EQ(form->REdit4->text(), "800");
    // In a field, Ctrl+Z and Ctrl+Y are left to the window's undo.
    for (QKeySequence::StandardKey key : {QKeySequence::Undo, QKeySequence::Redo}) {
        const QKeyCombination combo = QKeySequence(key)[0];
        QKeyEvent override(QEvent::ShortcutOverride, combo.key(), combo.keyboardModifiers());
        QCoreApplication::sendEvent(form->REdit1, &override);
        EXPECT_FALSE(override.isAccepted());
    }
}

TEST_F(DesktopTest, StructureChoiceAndOptionMenuAgree) {
    QComboBox* choice = StructureChoice(*form);
    ASSERT_NE(choice, nullptr);
    EXPECT_EQ(choice->currentText(), U("Ｌ型擁壁"));
    form->U2Click();
    EXPECT_EQ(choice->currentIndex(), 2);
    emit choice->activated(1); // to the base, through the option menu's handler
    EXPECT_TRUE(form->B1->isChecked());
    EXPECT_FALSE(form->U2->isChecked());
    EXPECT_EQ(choice->currentIndex(), 1);
    dialogs.questionAnswers << false; // the user keeps the base
    emit choice->activated(2);
    EXPECT_TRUE(form->B1->isChecked());
    EXPECT_EQ(choice->currentIndex(), 1);
    // The tools menu and 数量算出 hold the same entries as Help → Help.
    EXPECT_TRUE(form->I1Menu->actions().contains(form->Q1));
    EXPECT_TRUE(form->I1Menu->actions().contains(form->E1));
    EXPECT_EQ(form->D1->shortcut(), QKeySequence(Qt::Key_F5));
    EXPECT_EQ(form->T1->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_T));
    EXPECT_EQ(form->Print1->shortcut(), QKeySequence(QKeySequence::Print));
}

TEST_F(DesktopTest, ManualHasContentsAndSearch) {
    THelpWindow help;
    ASSERT_TRUE(help.Load(QStringLiteral(YOHEKI_MANUAL)));
    EXPECT_GE(help.Contents->topLevelItemCount(), 8);
    QStringList chapters;
    for (int i = 0; i < help.Contents->topLevelItemCount(); ++i)
        chapters << help.Contents->topLevelItem(i)->text(0);
    EXPECT_TRUE(chapters.join(' ').contains(U("拾い条件")));
    EXPECT_TRUE(help.Find(U("簡易山止")));
    EXPECT_EQ(help.Browser->textCursor().selectedText(), U("簡易山止"));
    EXPECT_FALSE(help.Find(U("存在しない語句")));
    EXPECT_FALSE(help.SearchNote->text().isEmpty());
    EXPECT_FALSE(help.Load(Path("無い.html")));
}

QString PdfText(const QString& path, int page) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"),
            {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
             QString::number(page), QStringLiteral("-layout"), path, QStringLiteral("-")});
    p.waitForFinished();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The summary on A4 landscape: every page with the title block, the heading
// and the item names, however many pages the quantity columns need.
TEST_F(DesktopTest, SummaryPrintsOnLandscapePagesWithHeadingAndNamesRepeated) {
    form->S4Click();
    auto* summary = form->findChild<TSummaryForm*>();
    ASSERT_NE(summary, nullptr);
    const QString path = Path("summary.pdf");
    int pages = 0;
    {
        QPdfWriter pdf(path);
        pdf.setResolution(300);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                      QMarginsF(10, 8, 10, 8), QPageLayout::Millimeter));
        pages = summary->PrintTo(pdf);
    }
    ASSERT_GE(pages, 3); // the quantity columns need more than one width, then 仕上集計
    for (int page = 1; page <= pages; ++page) {
        const QString text = PdfText(path, page);
        EXPECT_TRUE(text.contains(U("工事名")) && text.contains(U("当初"))) << page;
        EXPECT_TRUE(text.contains(QStringLiteral("%1 / %2").arg(page).arg(pages))) << page;
        if (page < pages) {
            EXPECT_TRUE(text.contains(U("数量総括表"))) << page;
            EXPECT_TRUE(text.contains(U("拾い名称")) && text.contains(U("擁壁B"))) << page;
        }
    }
    EXPECT_TRUE(PdfText(path, pages).contains(U("仕上集計")));
}

} // namespace
