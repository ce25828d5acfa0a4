#include "QtDialogs.h"

#include <QCheckBox>
#include <QDir>
#include <QPageLayout>
#include <QVBoxLayout>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QPrintDialog>
#include <QPrinter>

#include <optional>

namespace yoheki {

namespace {

QString AppTitle() { return QStringLiteral("擁壁数量調書"); }

// "物件ファイル (*.Fa1)|*.Fa1" -> "物件ファイル (*.Fa1)"
QString QtFilter(const QString& filter) {
    QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i];
        if (!name.contains(QLatin1Char('('))) name += QStringLiteral(" (%1)").arg(parts[i + 1]);
        out << name;
    }
    return out.isEmpty() ? filter : out.join(QStringLiteral(";;"));
}

// The toolkit offers "<document>.pdf" in the home folder unless the current
// folder lies below it; the estimator expects the project's folder, which
// is the current folder once a project is open.
void OfferPdfName(QPrintDialog& dialog, const QPrinter& printer) {
    auto* field = dialog.findChild<QLineEdit*>(QStringLiteral("filename"));
    if (!field || printer.docName().isEmpty())
        return;
    QString name = printer.docName();
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    field->setText(QDir::current().filePath(name + QStringLiteral(".pdf")));
}

} // namespace

// A long report (what the runs of a whole project said) would make a box
// taller than the screen: its first lines stay in the box, all of it goes
// into the scrolling details.
void QtDialogs::message(const QString& text) {
    constexpr int kLines = 20;
    const QString shown = ShownText(text);
    const QStringList lines = shown.split(QLatin1Char('\n'));
    QMessageBox box(QMessageBox::NoIcon, AppTitle(), shown, QMessageBox::Ok, parent_);
    if (lines.size() > kLines) {
        box.setText(lines.mid(0, kLines).join(QLatin1Char('\n')) + QStringLiteral("\n…"));
        box.setDetailedText(shown);
    }
    box.exec();
}

bool QtDialogs::question(const QString& text, Icon icon) {
    QMessageBox box(icon == Icon::Warning ? QMessageBox::Warning : QMessageBox::Information,
                    AppTitle(), ShownText(text), QMessageBox::Ok | QMessageBox::Cancel, parent_);
    return box.exec() == QMessageBox::Ok;
}

int QtDialogs::choose(const QString& text, const QStringList& buttons, Icon icon) {
    QMessageBox box(icon == Icon::Warning ? QMessageBox::Warning : QMessageBox::Information,
                    AppTitle(), ShownText(text), QMessageBox::NoButton, parent_);
    QList<QAbstractButton*> made;
    for (int i = 0; i < buttons.size(); ++i)
        made << box.addButton(buttons[i], i + 1 == buttons.size() ? QMessageBox::RejectRole
                                                                  : QMessageBox::AcceptRole);
    if (!made.isEmpty())
        box.setDefaultButton(qobject_cast<QPushButton*>(made.front()));
    box.exec();
    const int chosen = static_cast<int>(made.indexOf(box.clickedButton()));
    return chosen < 0 ? static_cast<int>(buttons.size()) - 1 : chosen;
}

std::optional<QString> QtDialogs::input(const QString& caption, const QString& prompt,
                                        const QString& def) {
    bool ok = false;
    QString text = QInputDialog::getText(parent_, caption, prompt, QLineEdit::Normal, def, &ok);
    if (!ok) return std::nullopt;
    return text;
}

std::optional<QString> QtDialogs::openFile(const OpenFileRequest& r) {
    QFileDialog dialog(parent_, r.title, r.initialDir, QtFilter(r.filter));
    dialog.setFileMode(r.allowNonExisting || r.save ? QFileDialog::AnyFile
                                                    : QFileDialog::ExistingFile);
    dialog.setAcceptMode(r.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!r.fileName.isEmpty()) dialog.selectFile(r.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first();
}

bool QtDialogs::printerSetup(QPrinter& printer) {
    PrintOptions unused;
    return printSetup(printer, unused);
}

// The paper, orientation and margins chosen last are set again before the
// dialog opens, so that a session keeps all of its printer settings alike.
bool QtDialogs::printSetup(QPrinter& printer, PrintOptions& options) {
    static std::optional<QPageLayout> chosen;
    if (chosen)
        printer.setPageLayout(*chosen);
    QPrintDialog dialog(&printer, parent_);
    dialog.setWindowTitle(QStringLiteral("印刷"));
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    auto* tab = new QWidget;
    tab->setWindowTitle(QStringLiteral("表題欄"));
    auto* box = new QCheckBox(QStringLiteral("表題欄を印刷する（工事名・拾い名称・作成日・頁）"), tab);
    box->setObjectName(QStringLiteral("TitleBlockBox"));
    box->setChecked(options.titleBlock);
    auto* layout = new QVBoxLayout(tab);
    layout->addWidget(box);
    layout->addStretch();
    dialog.setOptionTabs({tab});
    OfferPdfName(dialog, printer);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    options.titleBlock = box->isChecked();
    chosen = printer.pageLayout();
    return true;
}

} // namespace yoheki
