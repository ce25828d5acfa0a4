#pragma once
// The system's reason for a failed file operation, in the user's words: the
// C library's texts are English on most machines.
#include <string>

namespace yoheki {

// "ディスクの空きが足りません" for ENOSPC and so on; the system's own text
// for errors without a wording of ours.
std::string SystemReason(int err);

} // namespace yoheki
