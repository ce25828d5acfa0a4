#pragma once
// The project file as a model of its items: names in file order, loading,
// saving, adding, deleting and renaming items under the rules that keep a
// name the file can hold.
#include "ItemRecord.h"
#include "ProjectFile.h"

#include <string>
#include <vector>

namespace takeoff {

// What keeps `name` from being a new item name beside `items` (the section
// header of the project file must give it back unchanged), as a message;
// empty when it is fine.
std::string NameProblem(const std::string& name, const std::vector<std::string>& items);

// The item names of the project at `path`, in file order. Throws
// yoheki::FileError when the file exists but cannot be read.
std::vector<std::string> ItemNames(ProjectFile& file, const std::string& path);

// Stores `item` under `section` and writes the file. On failure the parsed
// form is dropped (the disk keeps its previous content) and the error
// (yoheki::Error) goes to the caller.
void SaveItem(ProjectFile& file, const std::string& path, const std::string& section,
              const ItemRecord& item);

// Erases the item's section and writes the file; failures as SaveItem.
void DeleteItem(ProjectFile& file, const std::string& path, const std::string& section);

// Gives the item `from` the name `to` (checked with NameProblem first; its
// message is thrown as yoheki::Error). The item moves to the end of the file.
void RenameItem(ProjectFile& file, const std::string& path, const std::string& from,
                const std::string& to);

} // namespace takeoff
