#pragma once
// Statement lines between the core (UTF-8 strings) and the Qt side.
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

namespace takeoff {

inline QStringList QtLines(const std::vector<std::string>& lines) {
    QStringList out;
    out.reserve(static_cast<qsizetype>(lines.size()));
    for (const std::string& line : lines)
        out << QString::fromStdString(line);
    return out;
}

} // namespace takeoff
