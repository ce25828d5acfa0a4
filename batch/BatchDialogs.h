#pragma once
// The dialogs of the command-line program: every message box becomes one entry
// "message: TEXT" on standard error (its further lines indented), questions
// are answered OK, and nothing is ever chosen in a file dialog or input box.
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

    // The text as one entry of the log: each line break of a message (the
    // pair "\n\r", or a lone CR or LF) starts a new line indented by `indent`
    // spaces, the width of "message: ", so that every line beginning with
    // "message: " is one message and a reader sees the box's lines.
    static QString OneLine(const QString& text, int indent = 9);

  private:
    std::FILE* out_;
};
