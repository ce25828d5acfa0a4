#include "ProjectCheck.h"

namespace yoheki {

std::string NotAProjectMessage(const std::string& path) {
    return "ファイル【" + path +
           "】は物件ファイルではありません\n\r（「[拾い名称]」の行が1つもありません）";
}

std::string EmptyProjectMessage(const std::string& path) {
    return "物件ファイル【" + path + "】は空です（拾いが1つもありません）";
}

std::string UnreadableItemMessage(const std::string& path, const std::string& item,
                                  std::size_t line) {
    return "物件ファイル【" + path + "】の拾い【" + item + "】の" + std::to_string(line) +
           "行目にShift-JIS(CP932)として読めない文字があります\n\rこの拾いは除いて続けます";
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
            check.messages.push_back(UnreadableLineMessage(path, u.line));
        } else if (check.unreadable_.insert(u.section).second) {
            check.unreadableItems.push_back(u.section);
            check.messages.push_back(UnreadableItemMessage(path, u.section, u.line));
        }
    }
    return check;
}

} // namespace yoheki
