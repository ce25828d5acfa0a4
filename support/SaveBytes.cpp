#include "SaveBytes.h"

#include "AtomicFile.h"
#include "PathBytes.h"
#include "SystemReason.h"

#include <QFile>

namespace yoheki {

std::optional<QString> SaveBytes(const QString& path, const QByteArray& bytes) {
    try {
        SaveAtomically(yoheki::PathBytes(path),
                       std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        return std::nullopt;
    } catch (const SaveError& e) {
        if (!e.reason().empty())
            return QString::fromStdString(e.reason());
        return QString::fromStdString(SystemReason(e.code()));
    }
}

} // namespace yoheki
