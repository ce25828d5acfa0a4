#include "SameFile.h"

#include "NativePath.h"

#include <filesystem>
#include <system_error>

namespace yoheki {

bool SameFile(const std::string& a, const std::string& b) {
    if (a.empty() || b.empty())
        return false;
    // Follows links on both sides and compares device and inode.
    std::error_code error;
    const bool same = std::filesystem::equivalent(FsPath(a), FsPath(b), error);
    return !error && same;
}

} // namespace yoheki
