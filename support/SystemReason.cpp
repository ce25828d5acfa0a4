#include "SystemReason.h"

#include <cerrno>
#include <cstring>

namespace yoheki {

std::string SystemReason(int err) {
    switch (err) {
    case ENOSPC:
        return "ディスクの空きが足りません";
#ifdef EDQUOT
    case EDQUOT:
        return "ディスクの使用量の上限を超えます";
#endif
    case EACCES:
    case EPERM:
        return "書き込みが禁止されています";
    case EROFS:
        return "読み取り専用の場所です";
    case ENOENT:
        return "フォルダがありません";
    case ENOTDIR:
        return "途中にフォルダでないものがあります";
    case EISDIR:
        return "同じ名前のフォルダがあります";
    case EIO:
        return "ディスクの読み書きに失敗しました";
    case EFBIG:
        return "ファイルが大きすぎます";
    case ENAMETOOLONG:
        return "ファイル名が長すぎます";
    default:
        return std::strerror(err);
    }
}

} // namespace yoheki
