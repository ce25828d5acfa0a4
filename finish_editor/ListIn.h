#pragma once
// The standard-finish editor: the ten front, back and top finishes of the
// settings file, edited and stored back.
#include "Dialogs.h"

#include <QMainWindow>
#include <functional>

class TLI_Menu : public QMainWindow {
    Q_OBJECT
public:
    explicit TLI_Menu(yoheki::Dialogs& dialogs, QWidget* parent = nullptr);

    // The main window, shown again when the editor closes.
    void SetMainWindow(QWidget* main) { mainWindow_ = main; }
    // Called after registering, to refill the main window's three finish lists.
    std::function<void(const QStringList& front, const QStringList& back,
                       const QStringList& top)> RefreshLists;
    // Called after the editor has closed (the main window then resets and reloads).
    std::function<void()> Closed;

private:
    yoheki::Dialogs& dialogs_;
    QWidget* mainWindow_ = nullptr;
};
