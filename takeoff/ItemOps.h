#pragma once
// Working on many items of a project at once: copying, renaming in place,
// moving and deleting several. Each operation changes the parsed project
// file and writes it through the one atomic save; a failure leaves the disk
// as it was and drops the parsed form, and its message (yoheki::Error) goes
// to the caller.
#include "ItemRecord.h"
#include "ProjectFile.h"

#include <cstddef>
#include <string>
#include <vector>

namespace takeoff {

// The name a copy of `name` gets beside `items`: "名前 (2)", or the next free
// number; a name that already ends in " (n)" counts on from n.
std::string CopyName(const std::string& name, const std::vector<std::string>& items);

// Copies every item of `names` under its CopyName, each right after its
// original, every key as stored. The new names, in the same order.
std::vector<std::string> DuplicateItems(ProjectFile& file, const std::string& path,
                                        const std::vector<std::string>& names);

// Gives item `from` the name `to` where it stands: the section keeps its
// place and every other byte of the file. The name rules of adding hold; a
// name another item has (in any ASCII letter case) is refused.
void RenameInPlace(ProjectFile& file, const std::string& path, const std::string& from,
                   const std::string& to);

// Moves the items of `names` (kept in their relative order) up (`delta` -1)
// or down (+1) by one place; nothing moves when one of them is already at the
// edge it moves towards. True when the order changed.
bool MoveItems(ProjectFile& file, const std::string& path, const std::vector<std::string>& names,
               int delta);

// Puts the items in `order`, which must name every item once.
void ReorderItems(ProjectFile& file, const std::string& path,
                  const std::vector<std::string>& order);

// Erases the sections of `names` in one save.
void DeleteItems(ProjectFile& file, const std::string& path,
                 const std::vector<std::string>& names);

// Stores several items in one save; failures as SaveItem.
void SaveItems(ProjectFile& file, const std::string& path,
               const std::vector<std::pair<std::string, ItemRecord>>& items);

// A new item made after `current`: its structure, conditions and finishes,
// and otherwise what `blank` (the empty screen) holds, so no dimension.
ItemRecord NewItemLike(const ItemRecord& current, const ItemRecord& blank);

} // namespace takeoff
