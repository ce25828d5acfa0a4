#include "BundledData.h"

#include <QCoreApplication>
#include <QDir>

namespace yoheki {

namespace {

QString& Chosen() {
    static QString folder;
    return folder;
}

} // namespace

QString BundledDataDir() {
    if (!Chosen().isEmpty())
        return Chosen();
    if (!QCoreApplication::instance())
        return {};
    return QDir::cleanPath(QCoreApplication::applicationDirPath() +
                           QStringLiteral("/../share/yoheki"));
}

void SetBundledDataDir(const QString& folder) {
    Chosen() = folder;
}

} // namespace yoheki
