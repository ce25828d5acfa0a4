#pragma once
// The project file as a model of its items: names in file order, loading,
// saving, adding, deleting and renaming items under the rules that keep a
// name the file can hold.
#include "Error.h"
#include "ItemRecord.h"
#include "ProjectFile.h"

#include <functional>
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

// Every change of the project file goes through here: under the project's
// save lock (yoheki::FileLock) the file is read as it is on disk now,
// `change` alters that parsed form, and the file is written before the lock
// is let go. So two programs saving at once both reach the file. On failure
// the parsed form is dropped (the disk keeps its previous content) and the
// error goes to the caller. A read-only ProjectFile changes only its parsed
// form and takes no lock.
void ChangeProject(ProjectFile& file, const std::string& path,
                   const std::function<void(ProjectFile&)>& change);

// The item `section` as the screen shows it after loading; remembered as what
// this program loaded. The section is put into the writer's form on disk
// (quietly left as it is when that fails: its data is on disk already).
ItemRecord LoadItem(ProjectFile& file, const std::string& path, const std::string& section);

// Fields of one item that another program changed since this one loaded it,
// and this one changed too (to another value).
struct Conflict {
    std::string item;
    std::vector<std::string> fields; // key names, in the file's order
    bool deleted = false;            // the other program deleted the item
};
enum class Keep { Mine, Theirs, Cancel };
using ConflictChoice = std::function<Keep(const Conflict&)>;

// The save was cancelled at the question which changes to keep.
class SaveCancelled : public yoheki::Error {
  public:
    SaveCancelled() : yoheki::Error("保存を取り消しました") {}
};

// Stores `item` under `section`: only the keys whose value differs from what
// this program loaded are written, into the file as it is on disk now. Keys
// another program changed meanwhile stay as it saved them; where both changed
// the same key, `choose` decides (Mine when none is given; Cancel throws
// SaveCancelled and writes nothing). An item this program never loaded is
// written whole. Failures as ChangeProject.
void SaveItem(ProjectFile& file, const std::string& path, const std::string& section,
              const ItemRecord& item, const ConflictChoice& choose = {});

// Adds the item `name` with `item`'s values. Refused (yoheki::Error with
// ExistsMessage) when the file on disk already holds an item of that name,
// even one another program added after this one read the list.
void AddItem(ProjectFile& file, const std::string& path, const std::string& name,
             const ItemRecord& item);

// "拾い【NAME】は既にあります"
std::string ExistsMessage(const std::string& name);

// Erases the item's section and writes the file; failures as ChangeProject.
void DeleteItem(ProjectFile& file, const std::string& path, const std::string& section);

} // namespace takeoff
