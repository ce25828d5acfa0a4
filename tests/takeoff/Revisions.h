#pragma once
// Two revisions of the bundled sample, as a design change makes them: the
// earlier one is the sample itself; in the current one the back height of
// "L型擁壁　Ａ通り" is raised, the excavation rule of "設備基礎　Ｐ－１"
// changed, "Ｕ字側溝　Ｕ－３００" removed, "Ｕ字側溝　Ｕ－６００" added and
// "L型擁壁　Ｂ通り" given a back height its front cannot carry, so that it
// stops.
#include "IniFile.h"
#include "PathBytes.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QString>
#include <string>

namespace revisions {

inline const char kRaised[] = "L型擁壁　Ａ通り";
inline const char kStops[] = "L型擁壁　Ｂ通り";
inline const char kRule[] = "設備基礎　Ｐ－１";
inline const char kSame1[] = "設備基礎　Ｐ－２";
inline const char kSame2[] = "Ｕ字側溝　Ｕ－５００";
inline const char kRemoved[] = "Ｕ字側溝　Ｕ－３００";
inline const char kAdded[] = "Ｕ字側溝　Ｕ－６００";

inline QString Sample() {
    return QDir(QStringLiteral(YOHEKI_DATA_DIR)).filePath(QString::fromUtf8("見本工事.Fa1"));
}

inline std::string Native(const QString& path) {
    return yoheki::PathBytes(path);
}

// Writes both revisions into `folder` and gives back their paths.
inline std::pair<QString, QString> Make(const QDir& folder) {
    const QString earlier = folder.filePath(QString::fromUtf8("当初.Fa1"));
    const QString current = folder.filePath(QString::fromUtf8("変更.Fa1"));
    QFile::copy(Sample(), earlier);
    QFile::copy(Sample(), current);
    yoheki::IniFile ini(Native(current));
    ini.WriteString(kRaised, "仕上高裏", "1500");
    ini.WriteString(kStops, "仕上高裏", "1500");
    ini.WriteInteger(kRule, "根切要項", 4);
    for (const std::string& key : ini.ReadSection(kSame2))
        ini.WriteString(kAdded, key, ini.ReadString(kSame2, key, ""));
    ini.WriteString(kAdded, "延長さ", "6000");
    ini.EraseSection(kRemoved);
    ini.UpdateFile();
    return {earlier, current};
}

inline QByteArray Hash(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

} // namespace revisions
