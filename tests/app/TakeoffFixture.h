#pragma once
// The main window with a project open: project files written from UTF-8
// text (CR LF, CP932 on disk) and read back key by key.
#include "AppFixture.h"
#include "Cp932.h"
#include "IniFile.h"
#include "Takeoff.h"

#include <string>

class TakeoffFixture : public AppFixture {
  protected:
    // Writes `text` (UTF-8, "\n" line ends) as a CP932 file with CR LF.
    void WriteText(const QString& name, const std::string& text) const {
        std::string crlf;
        for (char c : text)
            crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
        const std::string bytes = yoheki::cp932::Encode(crlf);
        WriteFile(name, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    }

    // Opens the project in the working folder, as choosing it would.
    void Open(const QString& name) {
        OpenProject(*form, Path(name));
        dialogs.clear();
    }

    yoheki::IniFile Ini(const QString& name) const {
        return yoheki::IniFile(QFile::encodeName(Path(name)).toStdString());
    }
    std::string Value(const QString& file, const char* section, const char* key) const {
        return Ini(file).ReadString(section, key, "<missing>");
    }

    QStringList Items() const {
        QStringList items;
        for (int i = 0; i < form->ComboBox1->count(); ++i)
            items << form->ComboBox1->itemText(i);
        return items;
    }

    // Chooses item `name` from the list as the user would.
    void Choose(const QString& name) {
        form->ComboBox1DropDown();
        form->ComboBox1->setCurrentIndex(form->ComboBox1->findText(name));
        form->ComboBox1Change();
    }
};
