#include "ProjectCheck.h"

namespace yoheki {

namespace {

// A name of a hundred megabytes is not repeated in a message: its start is
// enough to find it (cut at a character's start).
std::string Shown(const std::string& name) {
    constexpr std::size_t kShown = 200;
    if (name.size() <= kShown)
        return name;
    std::size_t cut = kShown;
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
        --cut;
    return name.substr(0, cut) + "…";
}

} // namespace

std::string NotAProjectMessage(const std::string& path) {
    return "ファイル【" + path +
           "】は物件ファイルではありません\n\r（「[拾い名称]」の行が1つもありません）";
}

std::string EmptyProjectMessage(const std::string& path) {
    return "物件ファイル【" + path + "】は空です（拾いが1つもありません）";
}

std::string UnreadableItemMessage(const std::string& path, const std::string& item,
                                  std::size_t line) {
    return "物件ファイル【" + path + "】の拾い【" + Shown(item) + "】の" + std::to_string(line) +
           "行目にShift-JIS(CP932)として読めない文字があります\n\rこの拾いは除いて続けます";
}


std::string LongLineMessage(const std::string& path, const std::string& item, std::size_t line) {
    const std::string where = item.empty() ? "" : "の拾い【" + Shown(item) + "】";
    return "物件ファイル【" + path + "】" + where + "の" + std::to_string(line) +
           "行目が長すぎます（" + std::to_string(IniFile::MaxLineLength / 1024) +
           "KBを超えています）\n\r" +
           (item.empty() ? "拾いの外の行なので使いません" : "この拾いは除いて続けます");
}

std::string UnreadableLineMessage(const std::string& path, std::size_t line) {
    return "物件ファイル【" + path + "】の" + std::to_string(line) +
           "行目にShift-JIS(CP932)として読めない文字があります（拾いの外の行なので使いません）";
}

ProjectCheck CheckProject(const IniFile& project) {
    ProjectCheck check;
    const std::string& path = project.FileName();
    if (!project.HasSections()) {
        check.kind = project.Blank() ? ProjectCheck::Kind::Empty : ProjectCheck::Kind::NotProject;
        check.messages.push_back(project.Blank() ? EmptyProjectMessage(path)
                                                 : NotAProjectMessage(path));
        return check;
    }
    check.kind = ProjectCheck::Kind::Project;
    for (const IniFile::Unreadable& u : project.UnreadableLines()) {
        if (!u.inSection) {
            check.messages.push_back(u.tooLong ? LongLineMessage(path, "", u.line)
                                               : UnreadableLineMessage(path, u.line));
        } else if (check.unreadable_.insert(u.section).second) {
            check.unreadableItems.push_back(u.section);
            check.messages.push_back(u.tooLong ? LongLineMessage(path, u.section, u.line)
                                               : UnreadableItemMessage(path, u.section, u.line));
        }
    }
    return check;
}

} // namespace yoheki
