// Writing the Excel workbook of generated projects of 1,000 and 4,000 items
// (the sample's six items repeated): the summary sheet, the finish totals
// and one statement sheet per item. A 1,000-item project's workbook must be
// written in under two seconds; the calculation is timed separately by
// summary_bench.
#include "Summary.h"
#include "SummaryRun.h"
#include "Workbook.h"

#include "LargeProject.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void WriteWorkbook(benchmark::State& state) {
    const int items = static_cast<int>(state.range(0));
    QTemporaryDir dir;
    for (const char* name : {"Qrtt.dat", "擁壁１.bmp", "設備基礎.bmp", "Ｕ字側溝.bmp"})
        QFile::copy(BundledFile(name), dir.filePath(QString::fromUtf8(name)));
    QDir::setCurrent(dir.path());
    const QString project = dir.filePath(QStringLiteral("large.Fa1"));
    MakeLargeProject(project, items);
    const summary::Table table = summary::Summarize(CalculateProject(project).items);
    if (static_cast<int>(table.items.size()) != items || table.stopped != 0)
        state.SkipWithError("not every item was calculated");
    const QString out = dir.filePath(QStringLiteral("large.xlsx"));
    for (auto _ : state)
        if (const auto failure = workbook::WriteWorkbook(out, QStringLiteral("large"), table))
            state.SkipWithError(failure->toStdString().c_str());
    state.counters["bytes"] = static_cast<double>(QFile(out).size());
}
BENCHMARK(WriteWorkbook)->Arg(1000)->Arg(4000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QCoreApplication app(qtArgc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
