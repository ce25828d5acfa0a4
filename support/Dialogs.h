#pragma once
// Every message box, question, input box, open-file dialog and printer set-up
// of the program goes through this interface, so that handlers can be driven
// by tests and by the command-line program without a screen. The real
// dialogs (QtDialogs.h) sit a layer up, with the widgets.
#include <QString>
#include <QStringList>
#include <optional>

class QPrinter;

namespace yoheki {

struct OpenFileRequest {
    QString title;
    QString filter;      // in the "説明 (*.ext)|*.ext" form of the toolkit
    QString initialDir;
    QString fileName;    // preset name
    bool allowNonExisting = false;
    bool save = false;   // a file to be written: the dialog's button says 保存
};

// What the print set-up offers beside the printer's own settings.
struct PrintOptions {
    bool titleBlock = true; // 工事名, 拾い名称, 作成日 and page x / y in the margin
};

class Dialogs {
public:
    enum class Icon { Information, Warning };
    virtual ~Dialogs() = default;

    // An information box with an OK button. Line breaks are "\n\r".
    virtual void message(const QString& text) = 0;
    // OK and Cancel; true only for OK.
    virtual bool question(const QString& text, Icon icon) = 0;
    // A question with a button for each of `buttons` (the last one is the
    // one Escape presses); the index of the button chosen. Here: the first
    // for OK, the last for Cancel.
    virtual int choose(const QString& text, const QStringList& buttons, Icon icon);
    // nullopt for Cancel.
    virtual std::optional<QString> input(const QString& caption, const QString& prompt,
                                         const QString& def) = 0;
    virtual std::optional<QString> openFile(const OpenFileRequest& request) = 0;
    // The printer set-up; true when the user chose to print. Printing to a
    // PDF file offers the printer's document name in the current folder.
    virtual bool printerSetup(QPrinter& printer) = 0;
    // The printer set-up with the program's options beside it; unless a
    // dialog offers them, the options stay as they are.
    virtual bool printSetup(QPrinter& printer, PrintOptions& options) {
        (void)options;
        return printerSetup(printer);
    }
};

// Records every text in order and answers as the test chose. Unscripted
// questions answer OK, choices the first button, inputs and file dialogs
// Cancel, printer set-up OK.
class ScriptedDialogs : public Dialogs {
public:
    struct Record {
        QString kind; // "message", "question", "choose", "input", "openFile", "printerSetup"
        QString text;
    };
    void message(const QString& text) override;
    bool question(const QString& text, Icon icon) override;
    int choose(const QString& text, const QStringList& buttons, Icon icon) override;
    std::optional<QString> input(const QString& caption, const QString& prompt,
                                 const QString& def) override;
    std::optional<QString> openFile(const OpenFileRequest& request) override;
    bool printerSetup(QPrinter& printer) override;
    // As printerSetup; the next of `printOptionAnswers`, when there is one,
    // is what the user set.
    bool printSetup(QPrinter& printer, PrintOptions& options) override;

    QList<Record> records;
    QList<PrintOptions> printOptionAnswers;
    QList<int> choiceAnswers;
    QList<bool> questionAnswers;
    QList<std::optional<QString>> inputAnswers;
    QList<std::optional<QString>> fileAnswers;
    QList<bool> printerAnswers;
    QList<OpenFileRequest> fileRequests;
    QList<Icon> questionIcons;

    QStringList messages() const; // texts of the "message" records, in order
    QStringList texts() const;    // every recorded text, in order
    void clear();
};

// "\n\r" as the user sees it: one line break.
QString ShownText(const QString& text);

} // namespace yoheki
