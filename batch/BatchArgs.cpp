#include "BatchArgs.h"

#include "BatchDialogs.h"
#include "TextCommand.h"

QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}

namespace {

// The option that takes a value, or nullptr.
QString* ValueOf(BatchOptions& o, const QString& a, int accepted) {
    if (a == u"--item" && (accepted & kOptItem)) {
        o.item = QString();
        return &*o.item;
    }
    if (a == u"-o" && (accepted & kOptOut))
        return &o.outFile;
    if (a == u"--csv" && (accepted & kOptCsv))
        return &o.csvFile;
    return nullptr;
}

// One argument; false with `why` set when it cannot be used.
bool Take(BatchOptions& o, const QStringList& args, int& i, int accepted, QString& why) {
    const QString& a = args[i];
    if (a == u"--help" || a == u"-h")
        o.help = true;
    else if (a == u"--utf8" && (accepted & kOptUtf8))
        o.utf8 = true;
    else if (QString* value = ValueOf(o, a, accepted)) {
        if (i + 1 >= args.size())
            why = a + U(" の後に値がありません");
        else
            *value = args[++i];
    } else if (a.startsWith(u'-') && a != u"-")
        why = U("知らないオプションです: ") + a;
    else if (!o.project.isEmpty())
        why = U("物件ファイルは一つだけ指定して下さい: ") + a;
    else
        o.project = a;
    return why.isEmpty();
}

} // namespace

std::optional<BatchOptions> ParseBatchArgs(const QStringList& args, int accepted, QString& why) {
    BatchOptions o;
    for (int i = 0; i < args.size(); ++i)
        if (!Take(o, args, i, accepted, why))
            return std::nullopt;
    if (o.project.isEmpty() && !o.help) {
        why = U("物件ファイル(.Fa1)を指定して下さい");
        return std::nullopt;
    }
    return o;
}

int Fail(std::FILE* err, const QString& why, int status) {
    const QString prefix = QStringLiteral("yoheki-batch: ");
    Print(err, prefix + BatchDialogs::OneLine(why, static_cast<int>(prefix.size())) + u'\n');
    return status;
}
