#pragma once
// The names of a save's temporary files, the same on every system:
// ".~NAME.XXXXXX" beside the target, six letters or digits at the end.
#include <cstddef>

namespace yoheki {

inline constexpr std::size_t kTemporarySuffix = 6;
inline constexpr char kTemporaryLetters[] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

} // namespace yoheki
