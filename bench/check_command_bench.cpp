// "yoheki-batch check" over a generated project of 10,000 items (the
// sample's six repeated), beside "yoheki-batch text" over the same project:
// the checks must add little to loading and calculating every item.
// Usage: check_command_bench [items]
#include "CheckCommand.h"
#include "LargeProject.h"
#include "TextCommand.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

using Clock = std::chrono::steady_clock;

double Time(int (*command)(const QStringList&, std::FILE*, std::FILE*), const QString& project,
            int& status) {
    std::FILE* sink = std::fopen("/dev/null", "wb");
    const auto start = Clock::now();
    status = command({project}, sink, sink);
    const auto ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    std::fclose(sink);
    return ms;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const int items = argc > 1 ? std::atoi(argv[1]) : 10000;
    int qtArgc = 1;
    QCoreApplication app(qtArgc, argv);
    QTemporaryDir dir;
    for (const char* name : {"Qrtt.dat", "擁壁１.bmp", "設備基礎.bmp", "Ｕ字側溝.bmp"})
        QFile::copy(BundledFile(name), dir.filePath(QString::fromUtf8(name)));
    QDir::setCurrent(dir.path());
    const QString project = dir.filePath(QStringLiteral("check.Fa1"));
    MakeLargeProject(project, items);
    int status = 0;
    for (int round = 1; round <= 3; ++round) {
        QDir::setCurrent(dir.path());
        const double check = Time(CheckCommand, project, status);
        std::printf("yoheki-batch check, %d items: %.0f ms (status %d)\n", items, check, status);
        QDir::setCurrent(dir.path());
        const double text = Time(TextCommand, project, status);
        std::printf("yoheki-batch text,  %d items: %.0f ms (status %d)\n", items, text, status);
    }
    return 0;
}
