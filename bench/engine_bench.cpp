// One retaining wall calculation with its statement, as the run command and
// the continuous text output and printing do it once per item.
#include "Calc.h"
#include "SRWtCALC.h"

#include <benchmark/benchmark.h>

namespace {

engine::Snapshot Wall() {
    engine::Snapshot s;
    const char* sizes[] = {nullptr, "10000", "1200", "1200", "500", "50",  "100",
                           "1500",  "200",   "300",  "3000", "600", "200", "200",
                           "250",   "300",   "100",  "",     ""};
    for (int i = 1; i <= 18; ++i)
        s.REdit[i] = sizes[i];
    s.caption = "擁壁数量調書：現場A";
    s.ComboBox[1] = "擁壁A";
    s.ComboBox[2] = "吹付タイル";
    s.ComboBox[3] = "打放補修";
    s.ComboBox[4] = "コン鏝";
    s.RG_BL = 1, s.RG_HL = 0, s.RG_TL = 2, s.RG_YL = 0;
    s.S1 = s.N5051 = s.N5 = s.N8 = s.K3 = s.N22 = true;
    return s;
}

void BM_CalcYoH(benchmark::State& state) {
    engine::Snapshot s = Wall();
    std::size_t messages = 0;
    auto sink = [&messages](const std::string&) { ++messages; };
    for (auto _ : state)
        benchmark::DoNotOptimize(engine::CalcYoH(s, sink));
}
BENCHMARK(BM_CalcYoH);

// Bars from pitches, a block course and the summary box: the longest run.
void BM_CalcYoHFull(benchmark::State& state) {
    engine::Snapshot s = Wall();
    s.CheckBox1 = s.CheckBox2 = s.CheckBox3 = s.D2 = true;
    s.CB_T = "笠木", s.CB_H = "ﾀｲﾙ", s.CB_U = "吹付タイル";
    std::size_t messages = 0;
    auto sink = [&messages](const std::string&) { ++messages; };
    for (auto _ : state)
        benchmark::DoNotOptimize(engine::CalcYoH(s, sink));
}
BENCHMARK(BM_CalcYoHFull);

void BM_CalcRebar(benchmark::State& state) {
    engine::TSR_CL_L o;
    o.BaseWidth = 1500, o.BaseThick = 300, o.UpstandThick = 200, o.UpstandHeight = 1400;
    o.PitchBaseMain = o.PitchBaseDist = o.PitchUpstandVert = o.PitchUpstandHorz = 200;
    o.KindBaseMain = 1, o.KindUpstandVert = 2;
    o.RunLength = 1000;
    for (auto _ : state) {
        o.CalcRebar(1, nullptr);
        benchmark::DoNotOptimize(o.ResultD10);
    }
}
BENCHMARK(BM_CalcRebar);

} // namespace
