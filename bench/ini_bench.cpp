// Opening, saving and looking up keys in a project file of 10,000 take-off
// items (about 450,000 lines).
#include "IniFile.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

std::string MakeProject(int items) {
    static const char* const keys[] = {"延長さ", "仕上高表", "仕上高裏", "根入長", "均しｺﾝ", "砕石",
                                       "ﾍﾞｰｽ幅", "幅", "ﾍﾞｰｽ厚", "歩掛", "表面仕上", "裏面仕上",
                                       "天端仕上", "水抜有無", "水抜Ｐ", "ＣＢ有無", "ＣＢ表面",
                                       "ＣＢ裏面", "ＣＢ天端", "ＣＢＨ", "ＣＢＷ", "ＣＢ笠木", "鉄筋",
                                       "ベＰ", "縦Ｐ", "配Ｐ", "横Ｐ", "べ筋", "縦筋", "配筋", "横筋",
                                       "ベ複", "立複", "根切要項", "埋戻し土", "地業出幅", "根入差",
                                       "簡易山止", "下地種類", "Level有無", "Level差", "ベース", "Ｕ字溝"};
    char tmpl[] = "/tmp/ini_bench_XXXXXX";
    std::string dir = mkdtemp(tmpl);
    std::string path = dir + "/project.Fa1";
    yoheki::IniFile ini(path);
    for (int i = 0; i < items; ++i) {
        std::string section = "擁壁　第" + std::to_string(i) + "工区";
        for (const char* key : keys) ini.WriteString(section, key, "1200");
    }
    ini.UpdateFile();
    return path;
}

const std::string& Project(int items) {
    static std::string path10k = MakeProject(10000);
    static std::string path1k = MakeProject(1000);
    return items == 10000 ? path10k : path1k;
}

void Open(benchmark::State& state) {
    const auto& path = Project(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        yoheki::IniFile ini(path);
        benchmark::DoNotOptimize(ini.ReadSections().size());
    }
}
BENCHMARK(Open)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void Save(benchmark::State& state) {
    const auto& path = Project(static_cast<int>(state.range(0)));
    yoheki::IniFile ini(path);
    int n = 0;
    for (auto _ : state) {
        ini.WriteString("擁壁　第5工区", "延長さ", std::to_string(++n)); // forces a real write
        ini.UpdateFile();
    }
}
BENCHMARK(Save)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void Lookup(benchmark::State& state) {
    yoheki::IniFile ini(Project(static_cast<int>(state.range(0))));
    for (auto _ : state)
        benchmark::DoNotOptimize(ini.ReadString("擁壁　第777工区", "Level差", ""));
}
BENCHMARK(Lookup)->Arg(1000)->Arg(10000);

} // namespace

BENCHMARK_MAIN();
