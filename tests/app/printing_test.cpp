// The printing commands driven through the main window with scripted
// dialogs; printed pages are collected from the statement form's sink.
#include "AppFixture.h"

#include "Cp932.h"
#include "LabelledDrawing.h"
#include "LivePane.h"
#include "Takeoff.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTimer>

namespace {

const QString kCannotPrint =
    QStringLiteral("印刷は出来ません。説明書の【数量算出及び印刷】をお読みください");

class PrintingTest : public AppFixture {
  protected:
    void SetUp() override {
        AppFixture::SetUp();
        form2->PageSink = [this](const StatementPage& page) { pages << page; };
        form2->PreviewSink = [this](const QList<StatementPage>& shown) { previewed << shown; };
        dialogs.clear();
    }

    // The sample project's sections number 0, 2 and 4 (a wall, a base, a
    // ditch) as a project of three items, listed in ComboBox1.
    void UseThreeItemProject(bool baseWithoutLength = false) {
        QStringList sections = SampleSections();
        ASSERT_GE(sections.size(), 5);
        if (baseWithoutLength)
            sections[2].replace(QRegularExpression(QStringLiteral("延長さ=\\d+")),
                                QStringLiteral("延長さ=0"));
        const QString three = sections[0] + sections[2] + sections[4];
        WriteFile(QStringLiteral("three.Fa1"),
                  QByteArray::fromStdString(yoheki::cp932::Encode(three.toStdString())));
        form->CurrentProject = Path(QStringLiteral("three.Fa1"));
        names.clear();
        for (int i : {0, 2, 4})
            names << sections[i].mid(1, sections[i].indexOf(u']') - 1);
        form->ComboBox1->clear();
        form->ComboBox1->addItems(names);
        form->ComboBox1->setCurrentIndex(0);
        form->ListInput(names[0], form->CurrentProject);
    }

    // The sample project's sections, each from its "[name]" line on.
    static QStringList SampleSections() {
        QFile file(QStringLiteral(YOHEKI_DATA_DIR "/見本工事.Fa1"));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        const QString text =
            QString::fromStdString(yoheki::cp932::Decode(file.readAll().toStdString()));
        QStringList sections;
        for (const QString& line : text.split(QStringLiteral("\r\n"))) {
            if (line.startsWith(u'['))
                sections << QString();
            if (!sections.isEmpty())
                sections.last() += line + QStringLiteral("\r\n");
        }
        return sections;
    }

    QList<StatementPage> pages;
    QList<StatementPage> previewed;
    QStringList names;
};

// Without an item on screen there is nothing to run, so nothing to print.
TEST_F(PrintingTest, EmptyStatementCannotBePrinted) {
    const QString noItem = QStringLiteral("演算の実行は無理です");
    form->Print1Click();
    EXPECT_EQ(dialogs.messages(), QStringList{noItem});
    EXPECT_TRUE(pages.isEmpty());
    form->PrintPreview1Click();
    EXPECT_EQ(dialogs.messages(), (QStringList{noItem, noItem}));
    EXPECT_TRUE(previewed.isEmpty());
}

TEST_F(PrintingTest, PrintsTheStatementAsItStands) {
    form2->SetLines({QStringLiteral("【物件名：見本】"), QStringLiteral("《Ｐ－１》")});
    form->ComboBox1->setEditText(QStringLiteral("Ｐ－１"));
    form->B1->setChecked(true);
    ProjectStore::Of(*form).lastRun = form->TakeSnapshot(); // the lines are the screen's
    dialogs.printerAnswers = {false};
    form->Print1Click(); // cancelled set-up: the same refusal, nothing printed
    EXPECT_EQ(dialogs.messages(), QStringList{kCannotPrint});
    EXPECT_TRUE(pages.isEmpty());

    dialogs.clear();
    form->Print1Click();
    ASSERT_EQ(pages.size(), 1);
    EXPECT_EQ(pages[0].title, QStringLiteral("Ｐ－１"));
    EXPECT_EQ(pages[0].drawingFolder, form->SettingsDir);
    EXPECT_EQ(pages[0].mode, StructureMode::Base);
    EXPECT_EQ(pages[0].lines, form2->Lines());
    EXPECT_TRUE(dialogs.messages().isEmpty());

    form->U2->setChecked(true);
    form->B1->setChecked(false);
    ProjectStore::Of(*form).lastRun = form->TakeSnapshot();
    form->PrintPreview1Click();
    ASSERT_EQ(previewed.size(), 1);
    EXPECT_EQ(previewed[0].mode, StructureMode::Ditch);
}

TEST_F(PrintingTest, PrintAllGivesEachItemItsOwnPage) {
    UseThreeItemProject();
    form->D2->setChecked(true);
    form->A2Click();
    ASSERT_EQ(pages.size(), 3);
    const StructureMode modes[] = {StructureMode::Wall, StructureMode::Base, StructureMode::Ditch};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(pages[i].title, names[i]);
        EXPECT_EQ(pages[i].mode, modes[i]);
        ASSERT_GT(pages[i].lines.size(), 20);
        EXPECT_EQ(pages[i].lines[1], QStringLiteral("《%1》").arg(names[i]));
        // The page's drawing is its own mode's file, found and drawn.
        QImage image(200, 280, QImage::Format_RGB32);
        QPainter canvas(&image);
        EXPECT_EQ(PaintStatement(canvas, {24, 24, 0, 0, 100}, pages[i]), QString());
        EXPECT_TRUE(FindDrawing(pages[i].drawingFolder, modes[i])
                        .endsWith(DrawingFileName(modes[i]), Qt::CaseInsensitive));
    }
    EXPECT_FALSE(form->D2->isChecked());
    EXPECT_EQ(dialogs.messages().last(), QStringLiteral("全データの印刷が終わりました"));
    int setUps = 0; // one printer set-up, before the first page only
    for (const auto& record : dialogs.records)
        setUps += record.kind == "printerSetup";
    EXPECT_EQ(setUps, 1);
    EXPECT_EQ(form->ComboBox1->currentIndex(), 0);
    EXPECT_FALSE(form->B1->isChecked() || form->U2->isChecked()); // the wall is back on screen
}

TEST_F(PrintingTest, PrintAllSkipsAnItemWhoseCalculationStopped) {
    UseThreeItemProject(true);
    form->A2Click();
    // Printing the wall's statement again under the base's name would be a
    // wrong page; the stop message has told the user why it is missing.
    ASSERT_EQ(pages.size(), 2);
    EXPECT_EQ(pages[0].title, names[0]);
    EXPECT_EQ(pages[1].title, names[2]);
    EXPECT_EQ(pages[1].lines[1], QStringLiteral("《%1》").arg(names[2]));
    // What the runs said comes once, after the pages.
    EXPECT_TRUE(dialogs.messages().value(0).contains(QStringLiteral("問題点を訂正して再度実行して下さい")));
    EXPECT_EQ(dialogs.messages().last(), QStringLiteral("全データの印刷が終わりました"));
}

TEST_F(PrintingTest, CancelledPrintAllPrintsAndSaysNothing) {
    UseThreeItemProject();
    dialogs.printerAnswers = {false};
    form->A2Click();
    EXPECT_TRUE(pages.isEmpty());
    // The first item's own calculation messages come before the set-up;
    // after the cancelled set-up nothing more is said.
    ASSERT_FALSE(dialogs.records.isEmpty());
    EXPECT_EQ(dialogs.records.last().kind, QStringLiteral("printerSetup"));
    EXPECT_FALSE(dialogs.messages().contains(QStringLiteral("全データの印刷が終わりました")));
    EXPECT_EQ(form->ComboBox1->currentIndex(), 0);
}

// What poppler makes of a PDF: its page count and the text of each page.
struct PdfText {
    int pages = -1;
    QStringList pageTexts;
};

PdfText ReadPdf(const QString& path) {
    PdfText out;
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {path});
    if (!info.waitForFinished(30000) || info.exitCode() != 0)
        return out;
    const QRegularExpression pagesLine(QStringLiteral("^Pages:\\s+(\\d+)"),
                                       QRegularExpression::MultilineOption);
    const auto match = pagesLine.match(QString::fromUtf8(info.readAllStandardOutput()));
    if (!match.hasMatch())
        return out;
    out.pages = match.captured(1).toInt();
    for (int page = 1; page <= out.pages; ++page) {
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {QStringLiteral("-f"), QString::number(page),
                                                 QStringLiteral("-l"), QString::number(page),
                                                 QStringLiteral("-enc"), QStringLiteral("UTF-8"),
                                                 path, QStringLiteral("-")});
        text.waitForFinished(30000);
        // Spacing is the extractor's guess; the characters are what count.
        out.pageTexts << QString::fromUtf8(text.readAllStandardOutput())
                             .remove(QRegularExpression(QStringLiteral("[\\s\\x{3000}]")));
    }
    return out;
}

class PrintAllToPdfTest : public PrintingTest {
  protected:
    void SetUp() override {
        PrintingTest::SetUp();
        form2->PageSink = nullptr; // the real printer, writing a PDF file
        pdf = Path(QStringLiteral("out.pdf"));
        form2->Printer().setOutputFormat(QPrinter::PdfFormat);
        form2->Printer().setOutputFileName(pdf);
    }
    QString pdf;
};

TEST_F(PrintAllToPdfTest, OneFileWithOnePagePerCalculatedItemInListOrder) {
    UseThreeItemProject();
    form->A2Click();
    const PdfText read = ReadPdf(pdf);
    ASSERT_EQ(read.pages, 3);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const auto heading = [&](int item) {
            return QStringLiteral("《%1》").arg(names[item]).remove(
                QRegularExpression(QStringLiteral("[\\s\\x{3000}]")));
        };
        EXPECT_TRUE(read.pageTexts[i].contains(heading(i)));
        for (int other = 0; other < 3; ++other)
            if (other != i) {
                EXPECT_FALSE(read.pageTexts[i].contains(heading(other)));
            }
    }
    EXPECT_EQ(form2->Printer().docName(), QStringLiteral("three")); // the project's name
    EXPECT_EQ(dialogs.messages().last(), QStringLiteral("全データの印刷が終わりました"));

    // An item that stops is left out; the others still make one file.
    UseThreeItemProject(true);
    form->A2Click();
    EXPECT_EQ(ReadPdf(pdf).pages, 2);
}

TEST_F(PrintAllToPdfTest, NothingCalculatedWritesNoFileAndSaysSo) {
    const QString wall = SampleSections().value(0).replace(
        QRegularExpression(QStringLiteral("延長さ=\\d+")), QStringLiteral("延長さ=0"));
    WriteFile(QStringLiteral("one.Fa1"),
              QByteArray::fromStdString(yoheki::cp932::Encode(wall.toStdString())));
    form->CurrentProject = Path(QStringLiteral("one.Fa1"));
    form->ComboBox1->addItem(wall.mid(1, wall.indexOf(u']') - 1));
    form->A2Click();
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_NE(dialogs.messages().last(), QStringLiteral("全データの印刷が終わりました"));
}

TEST_F(PrintAllToPdfTest, APdfOntoTheProjectOrTheSettingsIsRefused) {
    UseThreeItemProject();
    QFile::link(form->CurrentProject, Path(QStringLiteral("link.pdf")));
    const QString targets[] = {Path(QStringLiteral("link.pdf")), Path(QStringLiteral("./Qrtt.dat")),
                               form->CurrentProject};
    for (const QString& target : targets) {
        SCOPED_TRACE(target.toStdString());
        const QByteArray project = ReadFile(QStringLiteral("three.Fa1"));
        const QByteArray settings = ReadFile(QStringLiteral("Qrtt.dat"));
        form2->Printer().setOutputFileName(target);
        form2->Printer().setOutputFormat(QPrinter::PdfFormat);
        dialogs.clear();
        form->A2Click();
        EXPECT_EQ(ReadFile(QStringLiteral("three.Fa1")), project);
        EXPECT_EQ(ReadFile(QStringLiteral("Qrtt.dat")), settings);
        ASSERT_FALSE(dialogs.messages().isEmpty());
        EXPECT_TRUE(dialogs.messages().last().contains(QStringLiteral("別のファイル名")));
    }
    form2->SetLines({QStringLiteral("【物件名：見本】")});
    ProjectStore::Of(*form).lastRun = form->TakeSnapshot();
    dialogs.clear();
    form->Print1Click();
    EXPECT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages().value(0).contains(QStringLiteral("開いている物件ファイル")));
}

// The preview prints on its own: exported to a PDF named as the project,
// it is refused, as the printer set-up's PDF is.
TEST_F(PrintAllToPdfTest, PreviewExportOntoTheProjectIsRefused) {
    UseThreeItemProject();
    form->D1Click();
    form2->PreviewSink = nullptr;
    const QByteArray before = ReadFile(QStringLiteral("three.Fa1"));
    form2->Printer().setOutputFileName(form->CurrentProject);
    form2->Printer().setOutputFormat(QPrinter::PdfFormat);
    // Plays the user: print from the preview, keep the PDF file offered
    // there (the project), say yes to replacing it.
    bool printed = false;
    QTimer robot;
    QObject::connect(&robot, &QTimer::timeout, [&] {
        QWidget* top = QApplication::activeModalWidget();
        if (auto* setUp = qobject_cast<QPrintDialog*>(top)) {
            QMetaObject::invokeMethod(setUp, "accept", Qt::QueuedConnection);
        } else if (auto* files = qobject_cast<QFileDialog*>(top)) {
            files->selectFile(form->CurrentProject);
            QMetaObject::invokeMethod(files, "accept", Qt::QueuedConnection);
        } else if (auto* box = qobject_cast<QMessageBox*>(top)) {
            box->button(QMessageBox::Yes) ? box->button(QMessageBox::Yes)->click() : box->accept();
        } else if (auto* preview = qobject_cast<QPrintPreviewDialog*>(top); preview && !printed) {
            printed = true;
            for (QAction* a : preview->findChildren<QAction*>())
                if (a->text() == QStringLiteral("Print")) {
                    // Queued: a timer is not run again while its own call lasts.
                    QMetaObject::invokeMethod(a, &QAction::trigger, Qt::QueuedConnection);
                    return;
                }
        } else if (top) {
            top->close();
        }
    });
    robot.start(20);
    form->PrintPreview1Click();
    robot.stop();
    EXPECT_TRUE(printed);
    EXPECT_EQ(ReadFile(QStringLiteral("three.Fa1")), before);
    EXPECT_TRUE(dialogs.messages().join(u'|').contains(QStringLiteral("開いている物件ファイル")));
}

// The real printer set-up offers the PDF under the document's name in the
// current folder, which is the project's once one is open.
TEST_F(PrintingTest, PrinterSetupOffersThePdfInTheProjectFolder) {
    yoheki::QtDialogs real;
    QPrinter printer;
    printer.setDocName(QStringLiteral("見本工事"));
    QString offered = QStringLiteral("<no dialog>"), title;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        title = dialog->windowTitle();
        if (auto* field = dialog->findChild<QLineEdit*>(QStringLiteral("filename")))
            offered = field->text();
        dialog->reject();
    });
    EXPECT_FALSE(real.printerSetup(printer));
    EXPECT_EQ(offered, Path(QStringLiteral("見本工事.pdf")));
    EXPECT_EQ(title, QStringLiteral("印刷"));
}

TEST_F(PrintingTest, MissingEditToolIsReportedAndTheWindowComesBack) {
    form->show();
    form->FileE1Click();
    EXPECT_TRUE(form->isVisible());
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages()[0].startsWith(QStringLiteral("Hakobe.EXE")));
}

TEST_F(PrintingTest, EditToolRunsInTheCurrentFolderAndIsWaitedFor) {
    // A stand-in tool on the search path that leaves a mark where it ran.
    QTemporaryDir bin;
    const QString tool = bin.filePath(QStringLiteral("Hakobe.EXE"));
    QFile script(tool);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nsleep 0.2\necho done > ran.txt\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", bin.path().toLocal8Bit() + ':' + path);
    form->show();
    // Events are handled while the tool runs, with the window hidden.
    bool hiddenWhileRunning = false;
    QTimer::singleShot(100, form.get(), [&] { hiddenWhileRunning = !form->isVisible(); });
    form->FileE1Click();
    qputenv("PATH", path);
    EXPECT_TRUE(hiddenWhileRunning);
    EXPECT_EQ(ReadFile(QStringLiteral("ran.txt")), QByteArray("done\n")); // finished before return
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

} // namespace

namespace {

const engine::section::Dim* DimOf(const engine::section::Drawing& d, const char* symbol) {
    for (const auto& dim : d.views.at(0).dims)
        if (dim.symbol == symbol)
            return &dim;
    return nullptr;
}

} // namespace

// 表示 → 寸法図 draws the screen's item to scale, follows an edit, and is what
// 全印刷 prints in the drawing's place; 標準図 prints the picture as before.
TEST_F(PrintingTest, SectionDrawingFollowsTheScreenAndIsPrintedByChoice) {
    UseThreeItemProject();
    auto* drawing = qobject_cast<TDrawingLabel*>(form->Image1);
    ASSERT_TRUE(drawing);
    form->SectionDrawing1->setChecked(true);
    EXPECT_TRUE(drawing->SectionShown());
    form->REdit4->setText(QStringLiteral("730"));
    form->Live->Refresh();
    ASSERT_TRUE(drawing->Section() && !drawing->Section()->views.empty());
    const engine::section::Dim* embed = DimOf(*drawing->Section(), "根入");
    ASSERT_TRUE(embed);
    EXPECT_EQ(embed->mm, 730); // as typed, rounded to 10 like every dimension

    form->A2Click();
    ASSERT_EQ(pages.size(), 3);
    for (const StatementPage& page : pages) {
        ASSERT_TRUE(page.section.has_value());
        QImage image(200, 280, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter canvas(&image);
        EXPECT_EQ(PaintStatement(canvas, {24, 24, 0, 0, 100}, page), QString());
    }
    EXPECT_EQ(pages[1].section->views.size(), 2u); // a base: section and plan

    pages.clear();
    form->StandardDrawing1->setChecked(true);
    EXPECT_FALSE(drawing->SectionShown());
    form->A2Click();
    ASSERT_EQ(pages.size(), 3);
    EXPECT_FALSE(pages[0].section.has_value());
    form->SectionDrawing1->setChecked(true); // the default stays for the next test
}
