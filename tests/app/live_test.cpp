// The statement pane beside the fields, the labelled drawing, the start-up
// drawing and the resizable window, on the bundled sample project.
#include "ItemTable.h"
#include "LabelledDrawing.h"
#include "LivePane.h"
#include "TakeoffFixture.h"
#include "Utf8.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QDockWidget>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QThread>

namespace {

const char* const kSample = "見本工事.Fa1";
enum SampleItem { WallA = 0, WallB = 1, BaseP1 = 2, DitchU300 = 4 };

class LiveTest : public TakeoffFixture {
  protected:
    void SetUp() override {
        TakeoffFixture::SetUp();
        ASSERT_TRUE(CopyData(U(kSample)));
        Open(U(kSample));
        form->SettingsDir = dir.path();
        Show(WallA);
    }

    LivePane& Pane() const { return *form->Live; }
    TDrawingLabel& Drawing() const { return *qobject_cast<TDrawingLabel*>(form->Image1); }

    // Chooses a sample item and lets the pane catch up at once.
    void Show(SampleItem item) {
        Choose(form->ComboBox1->itemText(item));
        Pane().Refresh();
        dialogs.clear();
    }

    // Runs the event loop until the pane was redrawn; false after two seconds.
    bool WaitForPane() const {
        const int before = Pane().Generation();
        QElapsedTimer clock;
        clock.start();
        while (Pane().Generation() == before && clock.elapsed() < 2000) {
            QApplication::processEvents(QEventLoop::AllEvents, 10);
            QThread::msleep(5);
        }
        return Pane().Generation() != before;
    }

    void Type(QWidget* field, const QString& text) const {
        for (QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(field, &press);
        }
    }

    // What "演算実行" followed by a single text output would give for the screen.
    QString SingleOutputOfRun() {
        form->D1Click();
        return yoheki::ShownText(SingleOutputLines(form2->Lines()).join(QLatin1Char('\n')));
    }
};

TEST_F(LiveTest, TypingIsWorkedOutAfterThePauseSilentlyAsTheRunWouldWriteIt) {
    const QStringList sentinel = {U("演算実行の明細")};
    form2->SetLines(sentinel);
    const QByteArray project = ReadFile(U(kSample));
    const QStringList files = QDir(dir.path()).entryList(QDir::Files);
    const QString before = Pane().StatementText();

    form->REdit1->setFocus();
    form->REdit1->selectAll();
    Type(form->REdit1, QStringLiteral("23450"));
    ASSERT_EQ(form->REdit1->text(), QStringLiteral("23450"));
    // Nothing runs on the key press itself.
    EXPECT_TRUE(Pane().Pending());
    EXPECT_EQ(Pane().StatementText(), before);

    ASSERT_TRUE(WaitForPane());
    EXPECT_FALSE(Pane().Stopped());
    EXPECT_NE(Pane().StatementText(), before);
    EXPECT_TRUE(Pane().StatementText().contains(QStringLiteral("23.45")));
    EXPECT_TRUE(dialogs.records.isEmpty());
    EXPECT_EQ(form2->Lines(), sentinel);
    EXPECT_EQ(ReadFile(U(kSample)), project);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), files);

    // The run itself, afterwards, shows the same messages as boxes and fills
    // the list with what the pane showed.
    const QStringList listed = Pane().Messages();
    EXPECT_EQ(Pane().StatementText(), SingleOutputOfRun());
    EXPECT_EQ(dialogs.messages(), listed);
    EXPECT_FALSE(listed.isEmpty()); // the fixed bar rate of the sample's walls
}

TEST_F(LiveTest, EveryKindOfEditAsksForARun) {
    const std::pair<const char*, std::function<void()>> edits[] = {
        {"field", [this] { form->REdit4->setText(QStringLiteral("700")); }},
        {"finish", [this] { form->ComboBox3->setEditText(U("吹付タイル")); }},
        {"check box", [this] { form->CheckBox2->setChecked(!form->CheckBox2->isChecked()); }},
        {"bar size", [this] { form->RG_BL->SetItemIndex(2); }},
        {"condition", [this] { form->N4541->trigger(); }},
        {"flag", [this] { form->A1->trigger(); }},
        {"item loaded", [this] { Choose(form->ComboBox1->itemText(BaseP1)); }},
    };
    for (const auto& [what, edit] : edits) {
        Pane().Refresh();
        ASSERT_FALSE(Pane().Pending());
        edit();
        EXPECT_TRUE(Pane().Pending()) << what;
    }
}

TEST_F(LiveTest, AStoppedRunShowsItsMessageInPlaceAndTheRunStillShowsItsBoxes) {
    Show(WallB);
    const QStringList list = {U("前の明細")};
    form2->SetLines(list);
    form->REdit1->clear(); // no run length
    ASSERT_TRUE(WaitForPane());
    EXPECT_TRUE(Pane().Stopped());
    EXPECT_TRUE(dialogs.records.isEmpty());
    EXPECT_TRUE(Drawing().Labels().isEmpty());

    form->D1Click();
    ASSERT_FALSE(dialogs.messages().isEmpty());
    EXPECT_EQ(Pane().StatementText(), yoheki::ShownText(dialogs.messages().last()));
    EXPECT_EQ(Pane().StatementText(), U("問題点を訂正して再度実行して下さい"));
    EXPECT_EQ(form2->Lines(), list);

    // An item box left empty stops as "演算実行" does.
    form->ComboBox1->setEditText(QString());
    Pane().Refresh();
    EXPECT_TRUE(Pane().Stopped());
    EXPECT_EQ(Pane().StatementText(), U("演算の実行は無理です"));
}

TEST_F(LiveTest, TextOutputAndPrintingAreTheSameWithThePaneOpenOrClosed) {
    form->resize(1300, 600);
    QList<StatementPage> pages;
    form2->PageSink = [&pages](const StatementPage& page) { pages << page; };
    auto output = [this](bool open, const QString& file) {
        Show(WallB);
        form->LiveSplitter->setSizes({800, open ? 500 : 0});
        form->D1Click();
        Pane().Refresh();
        dialogs.fileAnswers = {Path(file)};
        form->T1Click();
        dialogs.printerAnswers = {true};
        form->Print1Click();
        EXPECT_EQ(form->LiveSplitter->sizes().last() > 0, open);
    };
    output(true, QStringLiteral("open.txt"));
    output(false, QStringLiteral("closed.txt"));
    const QByteArray written = ReadFile(QStringLiteral("open.txt"));
    EXPECT_GT(written.size(), 200);
    EXPECT_EQ(ReadFile(QStringLiteral("closed.txt")), written);
    ASSERT_EQ(pages.size(), 2);
    EXPECT_EQ(pages[0].lines, pages[1].lines);
    EXPECT_EQ(pages[0].title, pages[1].title);
    EXPECT_EQ(pages[0].mode, pages[1].mode);
}

TEST_F(LiveTest, TheDrawingCarriesTheLabelsOfTheScreenAtTheirPagePlaces) {
    form->StandardDrawing1->setChecked(true); // the picture with its labels
    Show(BaseP1);
    const QStringList labels = Drawing().Labels();
    form->D1Click();
    EXPECT_EQ(labels, form2->Lines().mid(12, 8));
    // The base width label reads run length by base width, as typed.
    EXPECT_EQ(labels.value(5), form->REdit1->text() + U("×") + form->REdit7->text());
    EXPECT_EQ(Drawing().Mode(), StructureMode::Base);

    // Around the picture as on the page: heights left and right of it, the
    // wall thickness above, the base width below.
    const QRect pic = Drawing().DrawingRect();
    EXPECT_LT(Drawing().LabelPos(12).x(), pic.left());
    EXPECT_GE(Drawing().LabelPos(13).x(), pic.right());
    EXPECT_LT(Drawing().LabelPos(19).y(), pic.top());
    EXPECT_GT(Drawing().LabelPos(17).y(), pic.bottom());
    // One scale for picture and labels: the base label's 8 mm shift in step
    // with the picture's 52 mm width.
    const int baseX = Drawing().LabelPos(17).x();
    Show(WallB);
    const int wallX = Drawing().LabelPos(17).x();
    EXPECT_NEAR(wallX - baseX, 800.0 * pic.width() / 5200, 1.5);

    // The labels are painted, and follow an edit.
    auto labelArea = [this] {
        const QPoint at = Drawing().LabelPos(12);
        return Drawing().grab(QRect(at, QSize(40, 20))).toImage();
    };
    const QImage shown = labelArea();
    form->REdit2->setText(QStringLiteral("1900"));
    ASSERT_TRUE(WaitForPane());
    EXPECT_EQ(Drawing().Labels().value(0).trimmed(), QStringLiteral("1900"));
    EXPECT_NE(labelArea(), shown);
    Drawing().ClearLabels();
    const QImage blank = labelArea();
    EXPECT_EQ(blank.pixelColor(blank.rect().center()), QColor(Qt::white));
    EXPECT_NE(blank, shown);
    form->SectionDrawing1->setChecked(true);
}

TEST_F(LiveTest, TheWindowGrowsWithItsDrawingAndPaneAndIsRememberedAsLeft) {
    form->findChild<QDockWidget*>(QStringLiteral("ItemTable"))->hide(); // the height is the form's
    form->show();
    form->resize(1200, 500);
    QApplication::processEvents();
    const QRect image = form->Image1->geometry();
    const QPoint field = form->REdit1->pos(), finish = form->ComboBox2->pos();
    const int pane = form->Live->width();
    form->resize(1700, 800);
    QApplication::processEvents();
    const int grown = form->Image1->width() - image.width();
    EXPECT_GT(grown, 0);
    EXPECT_GT(form->Image1->height(), image.height() + 250);
    EXPECT_GT(form->Live->width(), pane);
    // The fields move over with the drawing's edge and keep their places.
    EXPECT_EQ(form->REdit1->pos(), field + QPoint(grown, 0));
    EXPECT_EQ(form->ComboBox2->pos(), finish + QPoint(grown, 0));
    EXPECT_EQ(form->Label2->x() - form->REdit1->x(), -106);

    // Left at a size the screen holds (a larger one is brought within it).
    const QSize room = QGuiApplication::primaryScreen()->availableGeometry().size() * 3 / 4;
    form->resize(room);
    QApplication::processEvents();
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
    form->LiveSplitter->setSizes({room.width() / 2, room.width() / 3});
    SaveWindowState(*form);
    TForm1 next(dialogs, {});
    RestoreWindowState(next);
    next.show();
    QApplication::processEvents();
    EXPECT_EQ(next.size(), form->size());
    EXPECT_EQ(next.LiveSplitter->sizes(), form->LiveSplitter->sizes());
}

// A settings file that records the sample: the first paint shows the wall.
class LiveStartUp : public TakeoffFixture {
  protected:
    void SetUp() override {
        TakeoffFixture::SetUp();
        ASSERT_TRUE(CopyData(U(kSample)));
        yoheki::IniFile settings = Ini(QStringLiteral("Qrtt.dat"));
        const std::string folder = QFile::encodeName(dir.path()).toStdString();
        settings.WriteString("出力ファイル名", "DL", folder + "/" + kSample);
        settings.WriteString("出力ファイル名", "TF", folder);
        settings.UpdateFile();
    }
};

TEST_F(LiveStartUp, TheSamplesFirstItemShowsTheWallDrawingAndItsStatement) {
    form->SettingsDir.clear(); // as before the first activation
    form->show();
    form->FormActivate();
    ASSERT_FALSE(form->terminated);
    EXPECT_TRUE(dialogs.records.isEmpty()) << dialogs.texts().join(u'|').toStdString();
    EXPECT_EQ(form->ComboBox1->currentText(), U("L型擁壁　Ａ通り"));
    EXPECT_EQ(form->Items->Model()->rowCount(), form->ComboBox1->count()); // the item table too
    EXPECT_FALSE(form->B1->isChecked() || form->U2->isChecked());
    const QImage shown = form->Image1->pixmap().toImage();
    ASSERT_FALSE(shown.isNull());
    QImage wall(Path(U("擁壁１.bmp")));
    EXPECT_EQ(shown.size(), qobject_cast<TDrawingLabel*>(form->Image1)->DrawingRect().size());
    EXPECT_EQ(shown.convertToFormat(QImage::Format_RGB32),
              wall.scaled(shown.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                  .convertToFormat(QImage::Format_RGB32));
    form->Live->Refresh();
    EXPECT_TRUE(form->Live->StatementText().startsWith(U("【物件名：見本工事】")));
}

} // namespace
