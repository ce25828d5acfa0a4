// Writes the three structure drawings as 24-bit bitmaps into the folder given
// on the command line:  yoheki-drawings <folder>
#include "Drawings.h"

#include <QDir>
#include <QGuiApplication>
#include <QImageWriter>
#include <cstdio>

namespace {

struct Output {
    StructureMode mode;
    const char* name;
};

constexpr Output kOutputs[] = {
    {StructureMode::Wall, "擁壁１.bmp"},
    {StructureMode::Base, "設備基礎.bmp"},
    {StructureMode::Ditch, "Ｕ字側溝.bmp"},
};

bool Write(const QDir& folder, const Output& out) {
    const QStringList misplaced = drawings::MisplacedLabels(out.mode);
    if (!misplaced.isEmpty()) {
        std::fprintf(stderr, "%s: labels off their dimension lines: %s\n", out.name,
                     qPrintable(misplaced.join(QLatin1Char(' '))));
        return false;
    }
    QImageWriter writer(folder.filePath(QString::fromUtf8(out.name)), "bmp");
    if (writer.write(drawings::Draw(out.mode)))
        return true;
    std::fprintf(stderr, "%s: %s\n", out.name, qPrintable(writer.errorString()));
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: yoheki-drawings <folder>\n");
        return 2;
    }
    const QDir folder(args[1]);
    if (!folder.exists() && !QDir().mkpath(args[1])) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(args[1]));
        return 1;
    }
    bool ok = true;
    for (const Output& out : kOutputs)
        ok = Write(folder, out) && ok;
    return ok ? 0 : 1;
}
