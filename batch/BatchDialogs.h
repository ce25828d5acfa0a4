#pragma once
// The dialogs of the command-line program: every message box becomes one line
// "message: TEXT" on standard error, questions are answered OK, and nothing
// is ever chosen in a file dialog or input box.
#include "Dialogs.h"

#include <cstdio>

class BatchDialogs : public yoheki::Dialogs {
  public:
    explicit BatchDialogs(std::FILE* out = stderr) : out_(out) {}
    void message(const QString& text) override;
    bool question(const QString& text, Icon icon) override;
    std::optional<QString> input(const QString& caption, const QString& prompt,
                                 const QString& def) override;
    std::optional<QString> openFile(const yoheki::OpenFileRequest& request) override;
    bool printerSetup(QPrinter& printer) override;

    // The text on one line: the "\n\r" line breaks of message texts written
    // as the four characters \n\r, any other CR or LF as \r or \n.
    static QString OneLine(const QString& text);

  private:
    std::FILE* out_;
};
