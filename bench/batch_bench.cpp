// Timing of the take-off management on large projects, made by repeating
// the items of the sample project:
//   switching items in the window (save the one on screen, load the next),
//   with and without an edit on screen, in a project of 2,000 items;
//   "yoheki-batch text" over 10,000 and 20,000 items.
// Usage: yoheki-batch-bench [switch-items] [batch-items]
#include "BatchDialogs.h"
#include "LargeProject.h"
#include "PrnSys.h"
#include "Takeoff.h"
#include "TextCommand.h"
#include "main1.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
double Ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

struct Timing {
    double mean = 0, worst = 0;
};

// Switches to each of `count` items in turn through the item list's handler.
Timing Switch(TForm1& f, int count, bool edit) {
    std::vector<double> times;
    for (int k = 1; k <= count; ++k) {
        if (edit)
            f.REdit1->setText(QString::number(1000 + k));
        const auto start = Clock::now();
        f.ComboBox1->setCurrentIndex(k % f.ComboBox1->count());
        f.ComboBox1Change();
        times.push_back(Ms(Clock::now() - start));
    }
    Timing t;
    for (double v : times)
        t.mean += v / static_cast<double>(times.size());
    t.worst = *std::max_element(times.begin(), times.end());
    return t;
}

void BenchSwitching(const QTemporaryDir& dir, int items) {
    const QString project = dir.filePath(QStringLiteral("switch.Fa1"));
    MakeLargeProject(project, items);
    BatchDialogs dialogs;
    TForm2 form2;
    TForm1 form(dialogs, {});
    form.Attach(&form2, nullptr);
    form.SettingsDir = dir.path();
    OpenProject(form, project);
    const Timing plain = Switch(form, 200, false);
    const Timing edited = Switch(form, 200, true);
    std::printf("switching items, %d-item project (%.1f MB):\n", items,
                static_cast<double>(QFileInfo(project).size()) / 1e6);
    std::printf("  unchanged screen: mean %.2f ms, worst %.2f ms\n", plain.mean, plain.worst);
    std::printf("  edited screen:    mean %.2f ms, worst %.2f ms\n", edited.mean, edited.worst);
}

double BenchBatch(const QTemporaryDir& dir, int items) {
    const QString project = dir.filePath(QStringLiteral("batch%1.Fa1").arg(items));
    MakeLargeProject(project, items);
    std::FILE* sink = std::fopen("/dev/null", "wb");
    const auto start = Clock::now();
    const int status = TextCommand({project}, sink, sink);
    const double ms = Ms(Clock::now() - start);
    std::fclose(sink);
    std::printf("yoheki-batch text, %d items: %.0f ms (status %d)\n", items, ms, status);
    return ms;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const int switchItems = argc > 1 ? std::atoi(argv[1]) : 2000;
    const int batchItems = argc > 2 ? std::atoi(argv[2]) : 10000;
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    QTemporaryDir dir;
    for (const char* drawing : {"擁壁１.bmp", "設備基礎.bmp", "Ｕ字側溝.bmp"})
        QFile::copy(BundledFile(drawing), dir.filePath(QString::fromUtf8(drawing)));
    QDir::setCurrent(dir.path());
    BenchSwitching(dir, switchItems);
    QDir::setCurrent(dir.path());
    const double single = BenchBatch(dir, batchItems);
    QDir::setCurrent(dir.path());
    const double twice = BenchBatch(dir, 2 * batchItems);
    std::printf("doubling the items: x%.2f the time\n", twice / single);
    return 0;
}
