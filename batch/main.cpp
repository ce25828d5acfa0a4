// yoheki-batch: the statements of a project without the window.
//   yoheki-batch text PROJECT.Fa1 [--item NAME] [-o FILE] [--utf8]
//   yoheki-batch summary PROJECT.Fa1 [--csv FILE] [--utf8]
//   yoheki-batch pdf PROJECT.Fa1 -o OUT.pdf [--item NAME]
//   yoheki-batch xlsx PROJECT.Fa1 -o OUT.xlsx
//   yoheki-batch check PROJECT.Fa1 [--item NAME] [--utf8]
//   yoheki-batch compare EARLIER.Fa1 CURRENT.Fa1 [--csv FILE] [--utf8] [--all]
//   yoheki-batch dxf PROJECT.Fa1 -o OUT.dxf [--item NAME]
#include "BatchArgs.h"
#include "CheckCommand.h"
#include "CompareCommand.h"
#include "Console.h"
#include "DxfCommand.h"
//   yoheki-batch estimate PROJECT.Fa1 [--prices BOOK.csv] [--csv FILE] [--xlsx FILE] [--pdf FILE] [--utf8]
#include "EstimateCommand.h"
#include "PdfCommand.h"
#include "SummaryCommand.h"
#include "TextCommand.h"
#include "XlsxCommand.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdio>

namespace {

struct Command {
    const char* name;
    int (*run)(const QStringList& args, std::FILE* out, std::FILE* err);
    const char* summary;
    bool paints; // needs the painting part of the toolkit
};

// One entry per subcommand.
const Command kCommands[] = {
    {"text", TextCommand, "数量調書のテキスト出力", false},
    {"summary", SummaryCommand, "数量集計（表またはCSV）", false},
    {"pdf", PdfCommand, "数量調書のPDF出力（1拾い1頁）", true},
    {"xlsx", XlsxCommand, "数量総括表と数量調書のExcel出力", false},
    {"check", CheckCommand, "数量の検算（1件1行）", false},
    {"compare", CompareCommand, "二つの物件の数量比較（当初・変更・増減）", false},
    {"dxf", DxfCommand, "寸法図（断面・根切り）のDXF出力", false},
    {"estimate", EstimateCommand, "単価表による内訳書（表・CSV・Excel・PDF）", true},
};

// Standard error carries the program's messages, one per line; the
// toolkit's notes about the missing screen are not among them.
void QuietToolkit(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        Print(stderr, QStringLiteral("qt: ") + text + u'\n');
}

int Usage(std::FILE* stream) {
    QString text = QString::fromUtf8("使い方: yoheki-batch <コマンド> [引数...]\n\nコマンド:\n");
    for (const Command& c : kCommands)
        text += QStringLiteral("  %1  %2\n")
                    .arg(QLatin1String(c.name), -8)
                    .arg(QString::fromUtf8(c.summary));
    text += QString::fromUtf8("\n各コマンドの説明: yoheki-batch <コマンド> --help\n");
    Print(stream, text);
    return kExitOk;
}

} // namespace

int main(int argc, char** argv) {
    UseBinaryStreams();
    const QStringList args = ProgramArguments(argc, argv);
    if (args.isEmpty())
        return Usage(stderr), kExitUsage;
    if (args[0] == u"--help" || args[0] == u"-h" || args[0] == u"help")
        return Usage(stdout);
    qInstallMessageHandler(QuietToolkit);
    int qtArgc = 1;
    for (const Command& c : kCommands) {
        if (args[0] != QLatin1String(c.name))
            continue;
        if (!c.paints) {
            QCoreApplication app(qtArgc, argv);
            return c.run(args.mid(1), stdout, stderr);
        }
        // Pages are painted with fonts, which need a platform; no screen.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(qtArgc, argv);
        return c.run(args.mid(1), stdout, stderr);
    }
    QCoreApplication app(qtArgc, argv);
    Print(stderr, QStringLiteral("yoheki-batch: ") + QString::fromUtf8("知らないコマンドです: ") +
                      args[0] + u'\n');
    Usage(stderr);
    return kExitUsage;
}
