// The summary window's "Excelに保存": the dialog, replacing only on OK, and
// the reasons a save fails.
#include "SummaryForm.h"
#include "TakeoffFixture.h"
#include "Utf8.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

class SummaryXlsxTest : public TakeoffFixture {
  protected:
    TSummaryForm* OpenSummary() {
        EXPECT_TRUE(CopyData(U("見本工事.Fa1")));
        Open(U("見本工事.Fa1"));
        form->S4Click();
        auto* summary = form->findChild<TSummaryForm*>();
        dialogs.clear();
        return summary && summary->isVisible() ? summary : nullptr;
    }
};

} // namespace

TEST_F(SummaryXlsxTest, SavesTheWorkbookUnderTheChosenNameWithItsSuffix) {
    TSummaryForm* summary = OpenSummary();
    ASSERT_NE(summary, nullptr);
    EXPECT_EQ(summary->Button3->text(), U("Excelに保存"));
    dialogs.fileAnswers = {Path(U("集計"))};
    summary->Button3->click();
    ASSERT_EQ(dialogs.fileRequests.size(), 1);
    EXPECT_EQ(dialogs.fileRequests[0].filter, U("Excelファイル(*.xlsx)|*.XLSX"));
    EXPECT_EQ(dialogs.fileRequests[0].fileName, U("見本工事_数量集計.xlsx"));
    EXPECT_TRUE(ReadFile(U("集計.xlsx")).startsWith("PK\x03\x04"));
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(dialogs.messages()[0],
              U("Excelファイル【") + Path(U("集計.xlsx")) + U("】に保存しました"));

    // The dialog offers the file chosen last.
    dialogs.fileAnswers.clear();
    summary->Button3Click();
    EXPECT_EQ(dialogs.fileRequests.value(1).fileName, Path(U("集計.xlsx")));
}

TEST_F(SummaryXlsxTest, ExistingFileIsReplacedOnlyOnOkAndFailuresKeepIt) {
    TSummaryForm* summary = OpenSummary();
    ASSERT_NE(summary, nullptr);
    WriteFile(U("old.XLSX"), "keep");
    dialogs.fileAnswers = {Path(U("old.XLSX")), Path(U("old.XLSX")), Path(U("old.XLSX")),
                           Path(U("no such folder/x.xlsx"))};
    dialogs.questionAnswers = {false, true, true};
    summary->Button3Click();
    EXPECT_EQ(ReadFile(U("old.XLSX")), QByteArray("keep"));
    EXPECT_TRUE(dialogs.messages().isEmpty());

    WriteFile(U(".~lock.old.XLSX#"), "");
    summary->Button3Click();
    EXPECT_EQ(ReadFile(U("old.XLSX")), QByteArray("keep"));
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages()[0].contains(U("他のプログラムで開かれています")));

    QFile::remove(Path(U(".~lock.old.XLSX#")));
    summary->Button3Click();
    EXPECT_TRUE(ReadFile(U("old.XLSX")).startsWith("PK\x03\x04"));

    dialogs.clear();
    summary->Button3Click();
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages()[0].startsWith(U("Excelファイル【")))
        << dialogs.messages()[0].toStdString();
    EXPECT_TRUE(dialogs.messages()[0].contains(U("保存できません")));
}
