#include "FirstStart.h"

#include "BundledData.h"
#include "Error.h"
#include "PriceBook.h"
#include "IniFile.h"
#include "ItemTexts.h"
#include "main1.h"
#include "PathBytes.h"
#include "Utf8.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

using namespace itemtext;

namespace {

const char* const kSample = "見本工事.Fa1";

QString Native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// The delivered settings with the drawing folder set to the delivered
// drawings, written whole or not at all.
bool WriteUserSettings(const QString& target) {
    const QString source = QDir(yoheki::BundledDataDir()).filePath(U(kSettingsFile));
    if (!QFileInfo(source).isFile())
        return false;
    try {
        yoheki::IniFile ini(yoheki::PathBytes(source));
        if (!ini.Existed())
            return false;
        takeoff::WriteDrawingFolder(ini, Native(yoheki::BundledDataDir()).toStdString());
        const std::string bytes = ini.Serialize();
        QSaveFile file(target);
        if (!file.open(QIODevice::WriteOnly))
            return false;
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        return file.commit();
    } catch (const yoheki::Error&) {
        return false;
    }
}

// A copy of the sample project the user may change; an existing one is the
// user's own by now and stays.
void CopySample(const QString& folder) {
    const QString target = QDir(folder).filePath(U(kSample));
    if (QFileInfo::exists(target))
        return;
    if (QFile::copy(QDir(yoheki::BundledDataDir()).filePath(U(kSample)), target))
        QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                          QFile::ReadOther);
}

QString SetUpNotice(const QString& folder) {
    const QString nl = U("\n\r");
    return U("設定ファイルを作成しました") + nl + U("【") +
           Native(QDir(folder).filePath(U(kSettingsFile))) + U("】") + nl +
           U("図面は【") + Native(yoheki::BundledDataDir()) + U("】のものを使います") + nl +
           U("見本の物件【") + U(kSample) + U("】も同じフォルダにあります");
}

} // namespace

QString UserSettingsFolder() {
#ifdef Q_OS_WIN
    // %APPDATA%\yoheki, the roaming folder that follows the estimator to
    // another desk, where the window's own settings are kept too. The
    // toolkit's location for it ends in the program's name; its parent is
    // %APPDATA% itself.
    const QFileInfo own(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    return QDir(own.absolutePath()).filePath(QStringLiteral("yoheki"));
#else
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("yoheki"));
#endif
}

QString MissingSettingsText(const QString& folder) {
    return U("データファイルが見つかりません\n\r【") + Native(folder) + U("】に") + U("\n\r") +
           U("【Qrtt.dat】をCopyして下さい");
}

bool PrepareSettings(TForm1& f) {
    if (QFileInfo::exists(U(kSettingsFile)))
        return true; // the start folder's own settings, as always
    const QString folder = UserSettingsFolder();
    const QString file = QDir(folder).filePath(U(kSettingsFile));
    const bool fresh = !QFileInfo::exists(file);
    if ((fresh && (!QDir().mkpath(folder) || !WriteUserSettings(file))) ||
        !QDir::setCurrent(folder)) {
        f.dialogs.message(MissingSettingsText(folder));
        f.TerminateNow(); // nothing to save, and nothing is left behind
        return false;
    }
    // The sample price book, once: from then on the book is the user's.
    estimate::EnsureUserBook(yoheki::BundledDataDir());
    if (fresh) {
        CopySample(folder);
        f.dialogs.message(SetUpNotice(folder));
    }
    return true;
}

bool IsProjectArgument(const QString& argument) {
    return argument.endsWith(U(kProjectExt), Qt::CaseInsensitive) &&
           QFileInfo(argument).isFile();
}
