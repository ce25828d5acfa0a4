#include "ScratchDir.h"

#include "FileLock.h"

#include <QCoreApplication>
#include <QDir>

namespace workbook {
namespace {

// "yoheki-<process id>-XXXXXX"
const QString kPrefix = QStringLiteral("yoheki-");

QString Template() {
    return QDir(QDir::tempPath())
        .filePath(kPrefix + QString::number(QCoreApplication::applicationPid()) +
                  QStringLiteral("-XXXXXX"));
}

} // namespace

void ScratchDir::RemoveAbandoned(const QString& temp) {
    const QDir dir(temp);
    for (const QString& name :
         dir.entryList({kPrefix + QLatin1Char('*')}, QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot)) {
        const QStringList parts = name.split(QLatin1Char('-'));
        bool ok = false;
        const qint64 pid = parts.value(1).toLongLong(&ok);
        if (parts.size() == 3 && ok && pid != QCoreApplication::applicationPid() &&
            !yoheki::ProcessRunning(static_cast<unsigned long>(pid)))
            QDir(dir.filePath(name)).removeRecursively();
    }
}

ScratchDir::ScratchDir() : dir_(Template()) {
    RemoveAbandoned(QDir::tempPath());
}

} // namespace workbook
