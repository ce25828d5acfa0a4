// The standard-finish editor on its own, against a settings file in a
// temporary current directory, with a plain widget standing in for the main
// window.
#include "Cp932.h"
#include "ListIn.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {

using Lists = std::array<QStringList, 3>; // front, back, top
const std::array<const char*, 3> kSections = {"表面仕上", "裏面仕上", "天端仕上"};

QByteArray Cp932(const std::string& text) {
    return QByteArray::fromStdString(yoheki::cp932::Encode(text));
}

Lists Sample() {
    return {QStringList{"打放し補修", "モルタル金ゴテ", "吹付タイル", "石張り",
                        "タイル張り（４５二丁）", "防水モルタル", "撥水材塗布", "化粧型枠",
                        "ＣＢ積み", "リシン吹付"},
            QStringList{"打放し", "モルタル刷毛引", "アスファルト防水", "防水モルタル",
                        "塗膜防水～２層", "板張り", "なし", "断熱材", "排水板", "ﾓﾙﾀﾙ"},
            QStringList{"天端モルタル", "天端均し", "笠木", "金ゴテ", "防水", "石張り", "笠木ＣＢ",
                        "シーリング", "①特殊", "なし"}};
}

std::string Section(int kind, const QStringList& values) {
    std::string s = std::string("[") + kSections[kind] + "]\r\n";
    for (int i = 0; i < values.size(); ++i)
        s += "LSF" + std::to_string(i + 1) + "=" + values[i].toStdString() + "\r\n";
    return s + "\r\n";
}

// The settings file as the program lays it out; `kinds` are the finish
// sections present, in file order, before the project path and the defaults.
QByteArray Settings(const Lists& lists, std::vector<int> kinds = {0, 1, 2}) {
    std::string text;
    for (int k : kinds)
        text += Section(k, lists[k]);
    text += "[出力ファイル名]\r\nDL=/home/積算/現場Ａ.Fa1\r\nTF=/opt/yoheki\r\n\r\n"
            "[Default]\r\nNe=2\r\nAd=1\r\nNn=2\r\nSr=4\r\nSh=1\r\nPs=1\r\n\r\n";
    return Cp932(text);
}

QStringList Entries(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

class FinishEditorTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { QFont::insertSubstitution("ＭＳ ゴシック", "IPAGothic"); }
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        QDir::setCurrent(dir.path());
        editor.SetMainWindow(&main);
        editor.RefreshLists = [this](auto& f, auto& b, auto& t) { refreshed.push_back({f, b, t}); };
        editor.Closed = [this] { ++closed; };
    }
    void TearDown() override { QDir::setCurrent(oldDir); }

    void Put(const QByteArray& bytes) {
        QFile f("Qrtt.dat");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray Get() {
        QFile f("Qrtt.dat");
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
    }
    void Open() {
        main.hide();
        editor.show();
    }
    void Edit(QListWidget* list, int row, const QString& text, bool ok) {
        list->setCurrentRow(row);
        editor.Edit1->setText(text);
        dialogs.questionAnswers = {ok};
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
        QApplication::sendEvent(editor.Edit1, &enter);
    }

    QString oldDir = QDir::currentPath();
    QTemporaryDir dir;
    yoheki::ScriptedDialogs dialogs;
    QWidget main;
    TLI_Menu editor{dialogs};
    std::vector<Lists> refreshed;
    int closed = 0;
};

} // namespace

TEST_F(FinishEditorTest, RegisteredBackFinishIsStoredAloneAndRefreshesTheMainLists) {
    Put(Settings(Sample()));
    Open();
    EXPECT_EQ(Entries(editor.ListBox1), Sample()[0]);
    EXPECT_EQ(Entries(editor.ListBox2), Sample()[1]);
    EXPECT_EQ(Entries(editor.ListBox3), Sample()[2]);
    EXPECT_TRUE(editor.Edit1->isHidden());

    Edit(editor.ListBox2, 3, "撥水材", false); // Cancel: nothing changes, the field stays
    EXPECT_EQ(editor.Label4->text(), kSections[1]);
    EXPECT_EQ(editor.Label5->text(), "3");
    EXPECT_EQ(Entries(editor.ListBox2), Sample()[1]);
    EXPECT_TRUE(editor.Edit1->isVisible());
    EXPECT_EQ(editor.Edit1->text(), "撥水材");

    Edit(editor.ListBox2, 3, "防水モルタル金ゴテ", true);
    EXPECT_EQ(dialogs.texts(), QStringList(2, QString(kSections[1]) + "に登録しますか？"));
    EXPECT_EQ(dialogs.questionIcons.last(), yoheki::Dialogs::Icon::Information);
    EXPECT_TRUE(editor.Edit1->isHidden());
    EXPECT_EQ(Get(), Settings(Sample())); // nothing stored before registering

    emit editor.ListBox2->clicked(editor.ListBox2->model()->index(3, 0)); // chosen again
    EXPECT_TRUE(editor.Edit1->isVisible());
    EXPECT_EQ(editor.Edit1->text(), "防水モルタル金ゴテ");

    editor.S1->trigger();
    Lists expected = Sample();
    expected[1][3] = "防水モルタル金ゴテ";
    EXPECT_EQ(Get(), Settings(expected));
    ASSERT_EQ(refreshed.size(), 1u);
    EXPECT_EQ(refreshed[0], expected);
    EXPECT_EQ(closed, 1);
    EXPECT_FALSE(editor.isVisible());
    EXPECT_TRUE(main.isVisible());
    EXPECT_EQ(editor.ListBox2->count(), 0);
}

TEST_F(FinishEditorTest, AbandonedEditLeavesTheFileAndIsGoneAtTheNextOpening) {
    Put(Settings(Sample()));
    Open();
    Edit(editor.ListBox2, 3, "防水モルタル金ゴテ", true);
    editor.Q1->trigger();
    EXPECT_EQ(Get(), Settings(Sample()));
    EXPECT_TRUE(refreshed.empty());
    EXPECT_EQ(closed, 1);
    EXPECT_TRUE(main.isVisible());
    Open();
    EXPECT_EQ(Entries(editor.ListBox2), Sample()[1]);
    EXPECT_TRUE(editor.Edit1->isHidden());
}

TEST_F(FinishEditorTest, MissingKeysShowAsEmptyEntriesAndRegisteringWritesAllTen) {
    Lists short_ = Sample();
    short_[0] = short_[0].mid(0, 3);
    Put(Settings(short_, {0, 1})); // no top section at all
    Open();
    Lists padded = short_;
    padded[0] << QStringList(7, QString());
    padded[2] = QStringList(10, QString());
    EXPECT_EQ(Entries(editor.ListBox1), padded[0]);
    EXPECT_EQ(Entries(editor.ListBox3), padded[2]);
    editor.S1->trigger();
    // Missing keys go to the end of their section, a missing section to the end of the file.
    EXPECT_EQ(Get(), Settings(padded, {0, 1}) + Cp932(Section(2, padded[2])));
}

TEST_F(FinishEditorTest, ChoosingAnEntryClearsTheOtherListsAndNoChoiceDoesNothing) {
    Put(Settings(Sample()));
    Open();
    editor.ListBox2->setCurrentRow(1);
    editor.ListBox3->setCurrentRow(5);
    editor.ListBox1->setCurrentRow(0);
    EXPECT_TRUE(editor.ListBox2->selectedItems().isEmpty());
    EXPECT_TRUE(editor.ListBox3->selectedItems().isEmpty());
    EXPECT_EQ(editor.Label4->text(), kSections[0]);
    EXPECT_EQ(editor.Edit1->text(), Sample()[0][0]);
    editor.ListBox2Click(); // nothing selected there
    EXPECT_EQ(editor.Label4->text(), kSections[0]);
    EXPECT_EQ(editor.Label5->text(), "0");
}

TEST_F(FinishEditorTest, MissingSettingsFileIsReportedAndClosesTheEditor) {
    Open();
    EXPECT_EQ(dialogs.messages(),
              QStringList(QString("データファイルが見つかりません\n\r【") +
                          QDir::toNativeSeparators(QDir::currentPath()) + "】に" + "\n\r" +
                          "【Qrtt.dat】をCopyして下さい"));
    QApplication::processEvents();
    EXPECT_FALSE(editor.isVisible());
    EXPECT_TRUE(main.isVisible());
    EXPECT_EQ(closed, 1);
}

TEST_F(FinishEditorTest, FailedSavesAreReportedAndKeepTheFileAndTheEdits) {
    Put(Settings(Sample()));
    Open();
    Edit(editor.ListBox1, 2, "타일", true); // Hangul: no CP932 code
    editor.S1->trigger();
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages()[0].contains("타"));

    // A full disk, made with a file-size limit, which holds for root too.
    Edit(editor.ListBox1, 2, "吹付タイル２回", true);
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit tiny = old;
    tiny.rlim_cur = 64;
    setrlimit(RLIMIT_FSIZE, &tiny);
    editor.S1->trigger();
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ(dialogs.messages().size(), 2);

    EXPECT_EQ(Get(), Settings(Sample()));
    EXPECT_EQ(QDir().entryList(QDir::Files | QDir::Hidden), QStringList("Qrtt.dat"));
    EXPECT_TRUE(editor.isVisible());
    EXPECT_EQ(editor.ListBox1->item(2)->text(), "吹付タイル２回");
    EXPECT_TRUE(refreshed.empty());
    EXPECT_EQ(closed, 0);
    EXPECT_FALSE(main.isVisible());
}

TEST_F(FinishEditorTest, AllTenEntriesFitAndTheWindowIsPictured) {
    Put(Settings(Sample()));
    Open();
    editor.ListBox2->setCurrentRow(3);
    QApplication::processEvents();
    for (QListWidget* list : {editor.ListBox1, editor.ListBox2, editor.ListBox3}) {
        EXPECT_FALSE(list->verticalScrollBar()->isVisible());
        EXPECT_TRUE(list->viewport()->rect().contains(list->visualItemRect(list->item(9))));
    }
    EXPECT_TRUE(editor.grab().save(QString(YOHEKI_BINARY_DIR) + "/finish-editor.png"));
}

TEST_F(FinishEditorTest, PastedLineBreakIsRefusedAndTheSettingsFileKeepsItsShape) {
    // A cell copied from a spreadsheet arrives with its line break.
    Put(Settings(Sample()));
    Open();
    Edit(editor.ListBox1, 2, "吹付タイル\r\n[Default]\r\nNe=4", true);
    ASSERT_EQ(dialogs.texts().size(), 1);
    EXPECT_FALSE(dialogs.texts()[0].endsWith("に登録しますか？"));
    EXPECT_EQ(Entries(editor.ListBox1), Sample()[0]);
    EXPECT_TRUE(editor.Edit1->isVisible()); // still open for correcting

    Edit(editor.ListBox1, 2, "吹付タイル\n", true);
    EXPECT_EQ(Entries(editor.ListBox1), Sample()[0]);
    editor.S1->trigger();
    EXPECT_EQ(Get(), Settings(Sample()));
}
