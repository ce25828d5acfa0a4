#pragma once
// Splitting the project file's path into its folder and its bare name.
// Both '/' and '\' separate folders.
#include <string>
#include <string_view>

namespace yoheki {

// The file name after the last separator, less its last four characters
// (the dot and the extension): "C:\dir\現場A.Fa1" -> "現場A".
std::string BareName(std::string_view path);

// Everything before the last separator: "C:\dir\sub\file.Fa1" -> "C:\dir\sub";
// empty for a name without a folder.
std::string FolderOf(std::string_view path);

} // namespace yoheki
