#pragma once
// The main window with its statement form and finish editor, in a temporary
// working folder that is the current directory for the test, with scripted
// dialogs. Override the virtuals to choose the settings file and arguments:
//
//   class StartUp : public AppFixture {
//       bool CopySettings() const override { return false; }
//   };
#include "ListIn.h"
#include "PrnSys.h"
#include "main1.h"

#include <QAbstractButton>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

// Readable failure output for Qt strings.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

class AppFixture : public ::testing::Test {
  protected:
    // Copy data/Qrtt.dat into the working folder before the window is made.
    virtual bool CopySettings() const { return true; }
    // Put the three drawings into the working folder (copied from data/, or
    // small stand-ins when data/ has none yet).
    virtual bool CopyDrawings() const { return true; }
    // Program arguments after the program name.
    virtual QStringList Args() const { return {}; }

    void SetUp() override {
        InstallFontSubstitutes();
        ASSERT_TRUE(dir.isValid());
        oldDir = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(dir.path()));
        if (CopySettings())
            CopyData(QStringLiteral("Qrtt.dat"));
        if (CopyDrawings())
            for (const char* name : {"擁壁１.bmp", "設備基礎.bmp", "Ｕ字側溝.bmp"})
                if (!CopyData(QString::fromUtf8(name)))
                    WriteStandIn(QString::fromUtf8(name));
        form = std::make_unique<TForm1>(dialogs, Args());
        form2 = std::make_unique<TForm2>();
        liMenu = std::make_unique<TLI_Menu>(dialogs);
        form->Attach(form2.get(), liMenu.get());
        // Where the start-up would find the drawings; EsttIn sets it again.
        form->SettingsDir = dir.path();
    }

    void TearDown() override {
        liMenu.reset();
        form2.reset();
        form.reset();
        QDir::setCurrent(oldDir);
    }

    // A path inside the working folder.
    QString Path(const QString& name) const { return dir.filePath(name); }

    // Copies data/<name> into the working folder; false when data/ lacks it.
    bool CopyData(const QString& name) const {
        const QString source = QDir(QStringLiteral(YOHEKI_DATA_DIR)).filePath(name);
        if (!QFile::exists(source))
            return false;
        QFile::remove(Path(name));
        return QFile::copy(source, Path(name)) &&
               QFile::setPermissions(Path(name), QFile::ReadOwner | QFile::WriteOwner);
    }

    // Writes raw bytes (CP932 for settings and project files) into the folder.
    void WriteFile(const QString& name, const QByteArray& bytes) const {
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }

    QByteArray ReadFile(const QString& name) const {
        QFile file(Path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // A small plain bitmap under `name`.
    void WriteStandIn(const QString& name) const {
        QImage image(64, 48, QImage::Format_RGB888);
        image.fill(QColor(200, 220, 240));
        image.save(Path(name), "BMP");
    }

    // Everything the user can see or the calculations read: field texts, list
    // choices, check boxes, radio groups, hidden labels, which widgets are
    // hidden, menu check marks and captions. Two equal dumps mean nothing changed.
    QStringList ScreenState() const {
        QStringList out;
        for (QWidget* w : form->findChildren<QWidget*>()) {
            QString line =
                w->objectName() + (w->isHidden() ? QStringLiteral(" hidden") : QString());
            if (auto* edit = qobject_cast<QLineEdit*>(w))
                line += QLatin1Char('=') + edit->text();
            if (auto* label = qobject_cast<QLabel*>(w))
                line += QLatin1Char('=') + label->text();
            if (auto* box = qobject_cast<QAbstractButton*>(w))
                line += QStringLiteral("=%1/%2/%3")
                            .arg(box->text())
                            .arg(box->isChecked())
                            .arg(box->isEnabled());
            if (auto* combo = qobject_cast<QComboBox*>(w))
                line += QStringLiteral("=%1#%2").arg(combo->currentIndex()).arg(combo->count());
            out << line;
        }
        for (QAction* a : form->findChildren<QAction*>())
            out << QStringLiteral("%1:%2:%3:%4")
                       .arg(a->objectName(), a->text())
                       .arg(a->isChecked())
                       .arg(a->isVisible());
        out << form->windowTitle();
        return out;
    }

    QTemporaryDir dir;
    QString oldDir;
    yoheki::ScriptedDialogs dialogs;
    std::unique_ptr<TForm1> form;
    std::unique_ptr<TForm2> form2;
    std::unique_ptr<TLI_Menu> liMenu;
};
