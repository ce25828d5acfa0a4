#include "AtomicFile.h"
#include "TemporaryName.h"

#include <cstring>

namespace yoheki {

bool IsTemporaryOf(std::string_view entry, std::string_view fileName) {
    const std::size_t stem = 2 + fileName.size() + 1;
    if (entry.size() != stem + kTemporarySuffix || entry.substr(0, 2) != ".~" ||
        entry.substr(2, fileName.size()) != fileName || entry[stem - 1] != '.')
        return false;
    for (char c : entry.substr(stem))
        if (!std::strchr(kTemporaryLetters, c) || c == '\0')
            return false;
    return true;
}

} // namespace yoheki
