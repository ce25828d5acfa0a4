#pragma once
// A path from the toolkit as the UTF-8 string the program's own file code
// takes (see NativePath.h): on Linux the bytes of the name on disk, on
// Windows UTF-8 that reaches the system through its wide functions.
#include <QDir>
#include <QFile>
#include <QString>
#include <string>

namespace yoheki {

inline std::string PathBytes(const QString& path) {
#ifdef Q_OS_WIN
    return QDir::toNativeSeparators(path).toStdString();
#else
    return QFile::encodeName(path).toStdString();
#endif
}

} // namespace yoheki
