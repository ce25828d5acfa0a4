#pragma once
// The one conversion of the Qt layers from the UTF-8 text of the engine, the
// core and the source files: U("物件ファイル") is the QString of that text.
#include <QString>
#include <string>

inline QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}

inline QString U(const std::string& utf8) {
    return QString::fromStdString(utf8);
}
