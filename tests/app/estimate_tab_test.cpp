// The summary window's tab 内訳書 as a user meets it: the book beside the
// project in use, the figures of the core, unpriced rows marked, the book
// edited in its dialog and saved, and 当初 / 変更 / 増減 while comparing.
#include "EstimateTab.h"
#include "PriceBookDialog.h"
#include "SummaryForm.h"
#include "SummaryRun.h"
#include "Utf8.h"

#include <QDir>
#include <QFile>
#include <QTabWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class EstimateTabTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(QFile::copy(QStringLiteral(YOHEKI_DATA_DIR) + U("/見本工事.Fa1"), project));
        ASSERT_TRUE(QFile::copy(QStringLiteral(YOHEKI_TESTDATA_DIR) + U("/estimate/small_book.csv"),
                                book));
        QFile::setPermissions(book, QFile::ReadOwner | QFile::WriteOwner);
        form.SetTable(summary::Summarize(CalculateProject(project, std::nullopt, false).items),
                      project);
    }
    QStringList Column(int c) const {
        QStringList out;
        for (int r = 0; r < tab()->Grid->rowCount(); ++r)
            out << (tab()->Grid->item(r, c) ? tab()->Grid->item(r, c)->text() : QString());
        return out;
    }
    TEstimateTab* tab() const { return form.EstimateTab; }

    QTemporaryDir dir;
    QString project = dir.filePath(U("見本工事.Fa1")), book = dir.filePath(U("見本工事_単価.csv"));
    yoheki::ScriptedDialogs dialogs;
    TSummaryForm form{dialogs};
};

TEST_F(EstimateTabTest, ShowsTheCoresFiguresWithTheBookInUse) {
    EXPECT_EQ(form.Tabs->tabText(1), U("内訳書"));
    EXPECT_TRUE(tab()->BookLabel->text().contains(U("見本工事_単価.csv")));
    const QStringList amounts = Column(6), names = Column(0);
    EXPECT_EQ(amounts[names.indexOf(U("直接工事費"))], U("2,737,545"));
    EXPECT_EQ(amounts[names.indexOf(U("工事費計"))], U("3,387,711"));
    const int unpriced = static_cast<int>(Column(1).indexOf(U("不用土処分")));
    ASSERT_GE(unpriced, 0);
    EXPECT_TRUE(amounts[unpriced].isEmpty());
    EXPECT_NE(tab()->Grid->item(unpriced, 1)->background(), QBrush());
    EXPECT_TRUE(tab()->NotesMemo->toPlainText().contains(U("［注意］不用土処分")));
    if (const QByteArray shots = qgetenv("YOHEKI_SCREENSHOT_DIR"); !shots.isEmpty()) {
        form.Tabs->setCurrentIndex(1);
        form.resize(1000, 760);
        form.show();
        form.grab().save(QString::fromLocal8Bit(shots) + U("/estimate-tab.png"));
    }
}

TEST_F(EstimateTabTest, BookEditedInItsDialogAndSavedWhole) {
    TPriceBookDialog dialog(dialogs);
    dialog.SetBook(book, book);
    const int rows = dialog.Grid->rowCount();
    dialog.Grid->setCurrentCell(rows - 1, 0);
    dialog.AddButtonClick();
    const QStringList added{U("不用土処分"), U("土工"), U("残土処分"), {}, U("ｍ3"), U("3000")};
    for (int c = 0; c < added.size(); ++c)
        dialog.Grid->setItem(rows, c, new QTableWidgetItem(added[c]));
    dialog.SaveButtonClick();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    tab()->SetTable(form.Table(), project); // read again, as after the dialog
    EXPECT_EQ(Column(6)[Column(0).indexOf(U("直接工事費"))], U("2,941,545")); // + 68 × 3,000

    // A row that cannot be used is named before saving; declining keeps the file.
    const QByteArray before = [&] { QFile f(book); f.open(QIODevice::ReadOnly); return f.readAll(); }();
    TPriceBookDialog again(dialogs);
    again.SetBook(book, book);
    again.Grid->setItem(0, 5, new QTableWidgetItem(U("abc")));
    dialogs.questionAnswers = {false};
    again.SaveButtonClick();
    EXPECT_TRUE(dialogs.texts().join(u'\n').contains(U("2行目6列目（単価）：単価が数値ではありません「abc」")));
    QFile f(book);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
}

TEST_F(EstimateTabTest, ComparingShowsEarlierCurrentAndDifference) {
    summary::Table earlier = form.Table();
    earlier.totals[0] -= 1000; // 根切量 10 ｍ3 less before the change
    tab()->SetEarlier(earlier);
    ASSERT_EQ(tab()->Grid->columnCount(), 10);
    const int row = static_cast<int>(Column(1).indexOf(U("床掘り")));
    ASSERT_GE(row, 0);
    EXPECT_EQ(tab()->Grid->item(row, 4)->text(), U("81"));
    EXPECT_EQ(tab()->Grid->item(row, 6)->text(), U("+10"));
    EXPECT_EQ(tab()->Grid->item(row, 9)->text(), U("+19,800"));
    tab()->SetEarlier(std::nullopt);
    EXPECT_EQ(tab()->Grid->columnCount(), 8);
}

} // namespace
