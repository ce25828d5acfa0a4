#include "Project.h"

#include "Cp932.h"
#include "Error.h"
#include "FileLock.h"
#include "IniFile.h"

#include <algorithm>

namespace takeoff {

namespace {

bool StartsBlank(std::string_view s) {
    return s.starts_with(' ') || s.starts_with('\t') || s.starts_with("\u3000");
}
bool EndsBlank(std::string_view s) {
    return s.ends_with(' ') || s.ends_with('\t') || s.ends_with("\u3000");
}

// Why the section header could not hold the name as it is.
std::string ShapeProblem(const std::string& name) {
    if (name.find_first_of("\r\n") != std::string::npos)
        return "改行を含む名称は使えません";
    if (name.starts_with('['))
        return "「[」で始まる名称は使えません";
    if (name.ends_with(']'))
        return "「]」で終わる名称は使えません";
    if (StartsBlank(name) || EndsBlank(name))
        return "前後に空白のある名称は使えません";
    std::string stored;
    try {
        stored = yoheki::cp932::Decode(yoheki::cp932::Encode(name));
    } catch (const yoheki::EncodingError& e) {
        return e.what();
    }
    // Some characters are written as a look-alike (a wave dash as a
    // full-width tilde): the file would give back another name.
    if (stored != name)
        return "Shift-JIS(CP932)で保存すると【" + stored + "】に変わります";
    return "";
}

} // namespace

std::string NameProblem(const std::string& name, const std::vector<std::string>& items) {
    if (name.empty())
        return "";
    std::string why = ShapeProblem(name);
    for (const std::string& item : items)
        if (why.empty() && item != name && yoheki::IniFile::Fold(item) == yoheki::IniFile::Fold(name))
            why = "英字の大文字・小文字の違いだけで【" + item + "】と同じ名称になります";
    if (why.empty())
        return why;
    return "拾い名称【" + name + "】は追加できません\n\r" + why;
}

std::vector<std::string> ItemNames(ProjectFile& file, const std::string& path) {
    return file.Open(path).ReadSections();
}

void ChangeProject(ProjectFile& file, const std::string& path,
                   const std::function<void(ProjectFile&)>& change) {
    try {
        if (file.readOnly) {
            file.Open(path);
            change(file);
            return;
        }
        const yoheki::FileLock lock(path); // from the re-read to the rename
        file.Reread(path);
        change(file);
        file.Update();
    } catch (const yoheki::Error&) {
        file.Drop(); // some keys may have changed in memory and not on disk
        throw;
    }
}

ItemRecord LoadItem(ProjectFile& file, const std::string& path, const std::string& section) {
    const yoheki::IniFile& ini = file.Open(path);
    ItemRecord item = ReadItem(ini, section);
    file.Remember(section, ItemValues(item));
    // Loading puts the file into the writer's form; most files are in it
    // already, and then no lock is taken.
    if (!file.readOnly && ini.Existed() && !ini.Normal()) {
        try {
            ChangeProject(file, path, [](ProjectFile&) {});
        } catch (const yoheki::Error&) {
        }
    }
    return item;
}

std::string ExistsMessage(const std::string& name) {
    return "拾い【" + name + "】は既にあります";
}

namespace {

const std::string* ValueOf(const KeyValues& values, const std::string& key) {
    for (const auto& [k, v] : values)
        if (k == key)
            return &v;
    return nullptr;
}

bool Differ(const std::string* a, const std::string* b) {
    return (a == nullptr) != (b == nullptr) || (a && *a != *b);
}

// Merges the item into the item as it is on disk: a key another program
// changed since this one loaded the item keeps that program's value unless
// this one changed it too (then `choose` decides); every other key gets this
// program's value, so an item saved alone is written as it always was.
void MergeItem(ProjectFile& file, const std::string& path, const std::string& section,
               const KeyValues& base, const KeyValues& mine, const ConflictChoice& choose) {
    const yoheki::IniFile& disk = file.Open(path);
    const auto changedHere = [&](const std::pair<std::string, std::string>& kv) {
        return Differ(&kv.second, ValueOf(base, kv.first));
    };
    Conflict conflict{section, {}, !disk.SectionExists(section)};
    if (conflict.deleted && std::none_of(mine.begin(), mine.end(), changedHere))
        return; // untouched here, deleted there: it stays deleted
    const KeyValues theirs = ItemValues(ReadItem(disk, section));
    std::vector<const std::pair<std::string, std::string>*> keep; // theirs stays
    for (const auto& kv : mine) {
        const std::string* now = ValueOf(theirs, kv.first);
        if (conflict.deleted || !Differ(now, ValueOf(base, kv.first)))
            continue;
        if (changedHere(kv) && Differ(now, &kv.second))
            conflict.fields.push_back(kv.first);
        else if (!changedHere(kv))
            keep.push_back(&kv);
    }
    Keep chosen = Keep::Mine;
    if ((conflict.deleted || !conflict.fields.empty()) && choose)
        chosen = choose(conflict);
    if (chosen == Keep::Cancel)
        throw SaveCancelled();
    if (conflict.deleted && chosen == Keep::Theirs)
        return;
    const auto kept = [&](const std::string& key) {
        return std::any_of(keep.begin(), keep.end(), [&](const auto* kv) { return kv->first == key; }) ||
               (chosen == Keep::Theirs &&
                std::find(conflict.fields.begin(), conflict.fields.end(), key) != conflict.fields.end());
    };
    for (const auto& [key, value] : mine)
        if (!kept(key))
            WriteKey(file, section, key, value);
}

} // namespace

void SaveItem(ProjectFile& file, const std::string& path, const std::string& section,
              const ItemRecord& item, const ConflictChoice& choose) {
    KeyValues mine = ItemValues(item);
    // Copied first: re-reading another file (a save under a new name)
    // forgets what was loaded from the old one.
    const KeyValues* loaded = file.Loaded(section);
    const bool wasLoaded = loaded != nullptr;
    const KeyValues base = wasLoaded ? *loaded : KeyValues{};
    ChangeProject(file, path, [&](ProjectFile& f) {
        if (wasLoaded)
            MergeItem(f, path, section, base, mine, choose);
        else
            WriteItem(f, section, item);
    });
    file.Remember(section, std::move(mine));
}

void AddItem(ProjectFile& file, const std::string& path, const std::string& name,
             const ItemRecord& item) {
    ChangeProject(file, path, [&](ProjectFile& f) {
        const yoheki::IniFile& disk = f.Open(path);
        if (disk.SectionExists(name))
            throw yoheki::Error(ExistsMessage(name));
        if (const std::string problem = NameProblem(name, disk.ReadSections()); !problem.empty())
            throw yoheki::Error(problem);
        WriteItem(f, name, item);
    });
    file.Remember(name, ItemValues(item));
}

void DeleteItem(ProjectFile& file, const std::string& path, const std::string& section) {
    ChangeProject(file, path, [&](ProjectFile& f) {
        f.Open(path);
        f.EraseSection(section);
    });
    file.Forget(section);
}

} // namespace takeoff
