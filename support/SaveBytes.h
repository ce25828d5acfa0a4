#pragma once
// The Qt side of SaveAtomically (AtomicFile.h): CSV, PDF and any later
// output are built in memory and handed over whole, so they are saved by
// the same rules as the project file (links followed, group and permission
// bits kept, all or nothing, no temporary files left behind).
#include <QByteArray>
#include <QString>
#include <optional>

namespace yoheki {

// Replaces the file at `path` with `bytes`. Nothing on success; otherwise
// the reason for the user ("書き込みが禁止されています" ...), the old file unchanged.
std::optional<QString> SaveBytes(const QString& path, const QByteArray& bytes);

} // namespace yoheki
