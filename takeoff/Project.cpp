#include "Project.h"

#include "Cp932.h"
#include "Error.h"
#include "IniFile.h"

namespace takeoff {

namespace {

// Section names match without regard to ASCII letter case in the file.
std::string AsciiFolded(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

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

// Writes the file; a failed write leaves the disk as it was and the parsed
// form is read again next time.
void Commit(ProjectFile& file) {
    try {
        file.Update();
    } catch (const yoheki::Error&) {
        file.Drop();
        throw;
    }
}

} // namespace

std::string NameProblem(const std::string& name, const std::vector<std::string>& items) {
    if (name.empty())
        return "";
    std::string why = ShapeProblem(name);
    for (const std::string& item : items)
        if (why.empty() && item != name && AsciiFolded(item) == AsciiFolded(name))
            why = "英字の大文字・小文字の違いだけで【" + item + "】と同じ名称になります";
    if (why.empty())
        return why;
    return "拾い名称【" + name + "】は追加できません\n\r" + why;
}

std::vector<std::string> ItemNames(ProjectFile& file, const std::string& path) {
    return file.Open(path).ReadSections();
}

void SaveItem(ProjectFile& file, const std::string& path, const std::string& section,
              const ItemRecord& item) {
    try {
        file.Open(path);
        WriteItem(file, section, item);
    } catch (const yoheki::Error&) {
        file.Drop(); // some keys may have changed in memory and not on disk
        throw;
    }
    Commit(file);
}

void DeleteItem(ProjectFile& file, const std::string& path, const std::string& section) {
    file.Open(path);
    file.EraseSection(section);
    Commit(file);
}

void RenameItem(ProjectFile& file, const std::string& path, const std::string& from,
                const std::string& to) {
    const yoheki::IniFile& ini = file.Open(path);
    std::vector<std::string> others;
    for (const std::string& name : ini.ReadSections())
        if (name != from)
            others.push_back(name);
    if (const std::string problem = NameProblem(to, others); !problem.empty())
        throw yoheki::Error(problem);
    for (const std::string& name : others)
        if (AsciiFolded(name) == AsciiFolded(to))
            throw yoheki::Error("拾い【" + to + "】は既にあります");
    // Key by key, so that keys this program does not use go along.
    std::vector<std::pair<std::string, std::string>> values;
    for (const std::string& key : ini.ReadSection(from))
        values.emplace_back(key, ini.ReadString(from, key, ""));
    try {
        file.EraseSection(from);
        for (const auto& [key, value] : values)
            file.Write(to, key, value);
    } catch (const yoheki::Error&) {
        file.Drop();
        throw;
    }
    Commit(file);
}

} // namespace takeoff
