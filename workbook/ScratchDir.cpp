#include "ScratchDir.h"

#include <QCoreApplication>
#include <QDir>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <signal.h>
#endif

namespace workbook {
namespace {

// "yoheki-<process id>-XXXXXX"
const QString kPrefix = QStringLiteral("yoheki-");

bool Running(qint64 pid) {
#ifdef _WIN32
    HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
    if (!process)
        return ::GetLastError() == ERROR_ACCESS_DENIED;
    DWORD code = 0;
    const bool running = ::GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
    ::CloseHandle(process);
    return running;
#else
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH;
#endif
}

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
        if (parts.size() == 3 && ok && pid != QCoreApplication::applicationPid() && !Running(pid))
            QDir(dir.filePath(name)).removeRecursively();
    }
}

ScratchDir::ScratchDir() : dir_(Template()) {
    RemoveAbandoned(QDir::tempPath());
}

} // namespace workbook
