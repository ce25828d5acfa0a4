#include "ItemOps.h"

#include "Error.h"
#include "IniFile.h"
#include "Project.h"

#include <algorithm>
#include <functional>

namespace takeoff {

namespace {

bool Taken(const std::string& name, const std::vector<std::string>& items) {
    const std::string folded = yoheki::IniFile::Fold(name);
    return std::any_of(items.begin(), items.end(),
                       [&](const std::string& item) { return yoheki::IniFile::Fold(item) == folded; });
}

// Runs `change` on the file as it is on disk, under the project's save lock,
// and writes it (ChangeProject); a failure at any step drops the parsed form,
// so the next load reads the disk as it still is.
void Change(ProjectFile& file, const std::string& path,
            const std::function<void(yoheki::IniFile&)>& change) {
    ChangeProject(file, path, [&](ProjectFile& f) { change(f.Edit(path)); });
}

// "名前 (3)" -> "名前", 3; anything else -> the name, 1.
std::pair<std::string, int> SplitNumber(const std::string& name) {
    const auto open = name.rfind(" (");
    if (open == std::string::npos || !name.ends_with(')'))
        return {name, 1};
    const std::string digits = name.substr(open + 2, name.size() - open - 3);
    if (digits.empty() || digits.size() > 6 ||
        digits.find_first_not_of("0123456789") != std::string::npos || digits[0] == '0')
        return {name, 1};
    return {name.substr(0, open), std::stoi(digits)};
}

} // namespace

std::string CopyName(const std::string& name, const std::vector<std::string>& items) {
    const auto [stem, number] = SplitNumber(name);
    for (int n = std::max(number, 1) + 1;; ++n) {
        std::string candidate = stem + " (" + std::to_string(n) + ")";
        if (!Taken(candidate, items))
            return candidate;
    }
}

std::vector<std::string> DuplicateItems(ProjectFile& file, const std::string& path,
                                        const std::vector<std::string>& names) {
    std::vector<std::string> copies;
    Change(file, path, [&](yoheki::IniFile& ini) {
        std::vector<std::string> items = ini.ReadSections();
        for (const std::string& name : names) {
            std::string copy = CopyName(name, items);
            if (const std::string why = NameProblem(copy, items); !why.empty())
                throw yoheki::Error(why);
            if (!ini.CopySection(name, copy))
                throw yoheki::Error("拾い【" + name + "】がありません");
            items.push_back(copy);
            copies.push_back(std::move(copy));
        }
    });
    return copies;
}

void RenameInPlace(ProjectFile& file, const std::string& path, const std::string& from,
                   const std::string& to) {
    Change(file, path, [&](yoheki::IniFile& ini) {
        std::vector<std::string> others = ini.ReadSections();
        std::erase(others, from);
        if (to.empty())
            throw yoheki::Error("名称が空です");
        if (const std::string why = NameProblem(to, others); !why.empty())
            throw yoheki::Error(why);
        if (Taken(to, others))
            throw yoheki::Error(ExistsMessage(to));
        if (!ini.RenameSection(from, to))
            throw yoheki::Error("拾い【" + from + "】がありません");
    });
    // What was loaded of the item goes with its name, for the next save's merge.
    if (const KeyValues* loaded = file.Loaded(from)) {
        KeyValues moved = *loaded;
        file.Forget(from);
        file.Remember(to, std::move(moved));
    }
}

bool MoveItems(ProjectFile& file, const std::string& path, const std::vector<std::string>& names,
               int delta) {
    bool moved = false;
    Change(file, path, [&](yoheki::IniFile& ini) {
        std::vector<std::string> order = ini.ReadSections();
        std::vector<std::size_t> at;
        for (const std::string& name : names)
            if (auto it = std::find(order.begin(), order.end(), name); it != order.end())
                at.push_back(static_cast<std::size_t>(it - order.begin()));
        std::sort(at.begin(), at.end());
        if (at.empty() || (delta < 0 && at.front() == 0) ||
            (delta > 0 && at.back() + 1 == order.size()))
            return;
        // Moving down, the lowest goes first so the others keep their places.
        if (delta > 0)
            std::reverse(at.begin(), at.end());
        for (std::size_t i : at)
            ini.MoveSection(order[i], delta < 0 ? i - 1 : i + 1);
        moved = true;
    });
    return moved;
}

void ReorderItems(ProjectFile& file, const std::string& path,
                  const std::vector<std::string>& order) {
    Change(file, path, [&](yoheki::IniFile& ini) {
        std::vector<std::string> now = ini.ReadSections();
        std::vector<std::string> wanted = order;
        std::sort(now.begin(), now.end());
        std::sort(wanted.begin(), wanted.end());
        if (now != wanted)
            throw yoheki::Error("拾いの並びが物件ファイルと合いません");
        for (std::size_t i = 0; i < order.size(); ++i)
            ini.MoveSection(order[i], i);
    });
}

void DeleteItems(ProjectFile& file, const std::string& path,
                 const std::vector<std::string>& names) {
    Change(file, path, [&](yoheki::IniFile& ini) {
        for (const std::string& name : names)
            ini.EraseSection(name);
    });
    for (const std::string& name : names)
        file.Forget(name);
}

void SaveItems(ProjectFile& file, const std::string& path,
               const std::vector<std::pair<std::string, ItemRecord>>& items) {
    Change(file, path, [&](yoheki::IniFile&) {
        for (const auto& [name, record] : items)
            WriteItem(file, name, record);
    });
}

ItemRecord NewItemLike(const ItemRecord& current, const ItemRecord& blank) {
    ItemRecord r = blank;
    r.base = current.base;
    r.ditch = current.ditch;
    r.Ne = current.Ne;
    r.Ps = current.Ps;
    r.Ad = current.Ad;
    r.embedDiff = current.embedDiff;
    r.Sr = current.Sr;
    r.Sh = current.Sh;
    r.front = current.front;
    r.back = current.back;
    r.top = current.top;
    r.group = current.group;
    return r;
}

} // namespace takeoff
