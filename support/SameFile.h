#pragma once
// Whether two paths name one file on disk: an output must never be written
// over the project or the settings file it was made from, however the user
// spelled its name ("./", "..", a symbolic or hard link).
#include <string>

namespace yoheki {

// True when both paths exist and are one file (same device and inode).
// A path that does not exist names no file yet, so it is never the same.
bool SameFile(const std::string& a, const std::string& b);

} // namespace yoheki
