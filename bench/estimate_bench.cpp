// The priced estimate (内訳書) of a generated 1,000-item project (the
// sample's six items repeated), priced with the delivered book: every item
// read and calculated, totalled, rounded, priced and written as CSV; and the
// pricing alone. The whole must stay under half a second.
#include "Estimate.h"
#include "SummaryRun.h"

#include "LargeProject.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

const QString& Project() {
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString p = dir.filePath(QStringLiteral("estimate1000.Fa1"));
        MakeLargeProject(p, 1000);
        return p;
    }();
    return path;
}

void EstimateFromProject(benchmark::State& state) {
    const QString book = BundledFile("単価表.csv");
    for (auto _ : state) {
        ProjectRun run = CalculateProject(Project(), std::nullopt, false);
        const summary::Table table = summary::Summarize(std::move(run.items));
        const estimate::Estimate e = estimate::MakeEstimate(table, estimate::ReadPriceBook(book));
        if (table.items.size() != 1000 || !e.unpriced.empty() || e.direct <= 0)
            state.SkipWithError("not every item priced");
        benchmark::DoNotOptimize(estimate::CsvBytes(e, QStringLiteral("estimate1000"), false));
    }
}
BENCHMARK(EstimateFromProject)->Unit(benchmark::kMillisecond)->UseRealTime();

void PricingAlone(benchmark::State& state) {
    ProjectRun run = CalculateProject(Project(), std::nullopt, false);
    const summary::Table table = summary::Summarize(std::move(run.items));
    const estimate::PriceBook book = estimate::ReadPriceBook(BundledFile("単価表.csv"));
    for (auto _ : state)
        benchmark::DoNotOptimize(estimate::MakeEstimate(table, book));
}
BENCHMARK(PricingAlone)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
