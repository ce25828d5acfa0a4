#pragma once
// The real dialogs behind the Dialogs interface: message boxes, input boxes,
// file dialogs and the printer set-up of the toolkit.
#include "Dialogs.h"

class QWidget;

namespace yoheki {

// Real dialogs, parented to `parent`.
class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    void message(const QString& text) override;
    bool question(const QString& text, Icon icon) override;
    int choose(const QString& text, const QStringList& buttons, Icon icon) override;
    std::optional<QString> input(const QString& caption, const QString& prompt,
                                 const QString& def) override;
    std::optional<QString> openFile(const OpenFileRequest& request) override;
    bool printerSetup(QPrinter& printer) override;
    bool printSetup(QPrinter& printer, PrintOptions& options) override;

private:
    QWidget* parent_;
};

} // namespace yoheki
