#pragma once
// Large projects for the timing programs: the bundled sample's items repeated
// under numbered names.
#include "IniFile.h"
#include "PathBytes.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <string>
#include <vector>

inline QString BundledFile(const char* name) {
    return QDir(QStringLiteral(YOHEKI_DATA_DIR)).filePath(QString::fromUtf8(name));
}

// Writes a project of `items` items at `path`.
inline void MakeLargeProject(const QString& path, int items) {
    const yoheki::IniFile sample(yoheki::PathBytes(BundledFile("見本工事.Fa1")));
    const std::vector<std::string> names = sample.ReadSections();
    yoheki::IniFile out(yoheki::PathBytes(path));
    for (int i = 0; i < items; ++i) {
        const std::string& from = names[static_cast<std::size_t>(i) % names.size()];
        const std::string to = from + "-" + std::to_string(i + 1);
        for (const std::string& key : sample.ReadSection(from))
            out.WriteString(to, key, sample.ReadString(from, key, ""));
    }
    out.UpdateFile();
}
