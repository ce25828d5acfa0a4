// Comparing two revisions of a generated 1,000-item project (the sample's
// six items repeated; every tenth item of the current one with a raised back
// face, one removed, one added): both read and calculated, matched, totalled
// and written as text and CSV. Must stay well under a second.
#include "Compare.h"

#include "LargeProject.h"
#include "PathBytes.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

struct Revisions {
    QTemporaryDir dir;
    QString earlier, current;
};

const Revisions& Made(int items) {
    static Revisions r;
    static const bool ready = [items] {
        r.earlier = r.dir.filePath(QStringLiteral("earlier.Fa1"));
        r.current = r.dir.filePath(QStringLiteral("current.Fa1"));
        MakeLargeProject(r.earlier, items);
        MakeLargeProject(r.current, items);
        yoheki::IniFile ini(yoheki::PathBytes(r.current));
        const std::vector<std::string> names = ini.ReadSections();
        for (std::size_t i = 0; i < names.size(); i += 10)
            ini.WriteString(names[i], "仕上高裏", "1300");
        ini.WriteString("追加", "延長さ", "5000");
        ini.EraseSection(names[1]);
        ini.UpdateFile();
        return true;
    }();
    (void)ready;
    return r;
}

void CompareRevisions(benchmark::State& state) {
    const Revisions& r = Made(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const compare::Comparison cmp =
            compare::Compare(compare::ReadRevision(r.earlier), compare::ReadRevision(r.current));
        if (cmp.Same() || cmp.rows.size() < 1000)
            state.SkipWithError("the revisions should differ");
        benchmark::DoNotOptimize(compare::AlignedText(cmp, false));
        benchmark::DoNotOptimize(compare::CsvBytes(cmp, false));
    }
}
BENCHMARK(CompareRevisions)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
