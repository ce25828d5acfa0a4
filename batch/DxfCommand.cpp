#include "DxfCommand.h"

#include "BatchArgs.h"
#include "Dxf.h"
#include "Error.h"
#include "IniFile.h"
#include "ProjectCheck.h"
#include "Runs.h"
#include "SaveBytes.h"
#include "PathBytes.h"

#include <QByteArray>
#include <QFile>
#include <optional>

namespace {

std::optional<BatchOptions> Parse(const QStringList& args, QString& why) {
    std::optional<BatchOptions> o = ParseBatchArgs(args, kOptItem | kOptOut, why);
    if (o && !o->help && o->outFile.isEmpty()) {
        why = U("-o で出力するDXFファイルを指定して下さい");
        return std::nullopt;
    }
    return o;
}

// Every item's section, or the one named. Drawing needs no calculation, so an
// item whose run would stop is drawn too, with what cannot be built marked.
std::optional<std::vector<takeoff::DxfItem>> Items(const yoheki::IniFile& ini,
                                                   const yoheki::ProjectCheck& check,
                                                   const BatchOptions& o, std::FILE* err) {
    for (const std::string& m : check.messages)
        Print(err, QStringLiteral("message: ") + QString::fromStdString(m) + u'\n');
    const std::string caption = takeoff::Caption(o.project.toStdString());
    std::vector<takeoff::DxfItem> items;
    for (const std::string& name : ini.ReadSections()) {
        if (check.Unreadable(name) || (o.item && o.item->toStdString() != name))
            continue;
        const takeoff::ItemRecord record = takeoff::ReadItem(ini, name);
        items.push_back({name, engine::section::SectionOf(
                                   takeoff::ToSnapshot(record, name, caption, {false, false}))});
    }
    if (o.item && items.empty())
        return std::nullopt;
    return items;
}

int Run(const BatchOptions& o, std::FILE* err) {
    std::optional<std::vector<takeoff::DxfItem>> items;
    std::string bytes;
    try {
        const yoheki::IniFile ini(yoheki::PathBytes(o.project));
        const yoheki::ProjectCheck check = yoheki::CheckProject(ini);
        if (check.kind != yoheki::ProjectCheck::Kind::Project)
            return Fail(err, QString::fromStdString(check.messages.front()), kExitFailed);
        items = Items(ini, check, o, err);
        if (!items)
            return Fail(err, U("拾い【") + *o.item + U("】は物件にありません"), kExitFailed);
        if (items->empty())
            return Fail(err, U("出力できる拾いがありません（DXFは作りませんでした）"), kExitFailed);
        bytes = takeoff::DxfOf(*items);
    } catch (const yoheki::Error& e) {
        return Fail(err, U(e.what()), kExitFailed);
    }
    for (const takeoff::DxfItem& item : *items)
        for (const std::string& fault : item.drawing.faults)
            Print(err, U("message: 【") + QString::fromStdString(item.name) + U("】") +
                           QString::fromStdString(fault) + u'\n');
    if (const auto failure = yoheki::SaveBytes(o.outFile, QByteArray::fromStdString(bytes)))
        return Fail(err, U("DXFファイル【") + o.outFile + U("】に書き込めません：") + *failure,
                    kExitFailed);
    return kExitOk;
}

} // namespace

int DxfCommand(const QStringList& args, std::FILE* out, std::FILE* err) {
    QString why;
    std::optional<BatchOptions> o = Parse(args, why);
    if (const std::optional<int> end = StartOutputCommand(o, why, "dxf", DxfHelp, out, err))
        return *end;
    return Run(*o, err);
}

QString DxfHelp() {
    return U("使い方: yoheki-batch dxf 物件.Fa1 -o 出力.dxf [--item 拾い名称]\n"
             "\n"
             "拾いごとの寸法図（入力寸法から描いた断面と根切り）をDXFファイルに書きます。\n"
             "原寸（1単位＝1mm）、拾いごとに1ブロック、モデル空間に横に並べます。\n"
             "画層: 躯体、地業、根切、寸法、注記。文字はShift-JIS（CP932）。\n"
             "\n"
             "  -o 出力.dxf       書き出すDXFファイル（既にあれば置き換え）\n"
             "  --item 拾い名称   その拾いだけを出力\n"
             "\n"
             "作れない形（負の根入長、厚さ0のベースなど）はその部分を赤で描き、\n"
             "理由を「message: 本文」の1行ずつ標準エラーに出します。\n"
             "物件ファイルも Qrtt.dat も変更しません。\n"
             "終了コード: 0 成功、1 物件を読めない・出力できない、2 指定の誤り\n");
}
