// The project quantity summary over generated projects of 1,000 and 4,000
// items (the sample's six items repeated): every item loaded and calculated
// on the headless window with the totals and the CSV, then the summary
// window's tables filled. A 1,000-item project must be summarised well
// within a second.
#include "Summary.h"
#include "SummaryForm.h"
#include "SummaryRun.h"

#include "LargeProject.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <map>

namespace {

QString MakeProject(const QTemporaryDir& dir, int items) {
    const QString path = dir.filePath(QStringLiteral("summary%1.Fa1").arg(items));
    MakeLargeProject(path, items);
    return path;
}

const QTemporaryDir& Folder() {
    static QTemporaryDir dir;
    static const bool ready = [] {
        for (const char* name : {"Qrtt.dat", "擁壁１.bmp", "設備基礎.bmp", "Ｕ字側溝.bmp"})
            QFile::copy(BundledFile(name), dir.filePath(QString::fromUtf8(name)));
        return QDir::setCurrent(dir.path());
    }();
    (void)ready;
    return dir;
}

const QString& Project(int items) {
    static std::map<int, QString> made;
    if (!made.count(items))
        made[items] = MakeProject(Folder(), items);
    return made[items];
}

void SummariseProject(benchmark::State& state) {
    const int items = static_cast<int>(state.range(0));
    const QString& path = Project(items);
    for (auto _ : state) {
        ProjectRun run = CalculateProject(path);
        const summary::Table table = summary::Summarize(std::move(run.items));
        if (static_cast<int>(table.items.size()) != items || table.stopped != 0)
            state.SkipWithError("not every item was calculated");
        benchmark::DoNotOptimize(summary::CsvBytes(table, false));
    }
}
BENCHMARK(SummariseProject)->Arg(1000)->Arg(4000)->Unit(benchmark::kMillisecond)->UseRealTime();

// Filling the window's tables and fitting their columns to the contents.
void FillWindow(benchmark::State& state) {
    const int items = static_cast<int>(state.range(0));
    ProjectRun run = CalculateProject(Project(items));
    const summary::Table table = summary::Summarize(std::move(run.items));
    yoheki::ScriptedDialogs dialogs;
    TSummaryForm window(dialogs);
    for (auto _ : state)
        window.SetTable(table, Project(items));
}
BENCHMARK(FillWindow)->Arg(1000)->Arg(4000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
