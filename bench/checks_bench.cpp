// The quantity checks over 10,000 generated items: every item calculated,
// its statement checked, and the findings counted by level and check, with
// one example of each formula line that does not give its figure. Then the
// time the checks take per item.
#include "Calc.h"
#include "Checks.h"

#include "Error.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

// Items as estimators type them: sizes in whole centimetres mostly, now and
// then a millimetre figure, an empty field, a high back face or a large
// excavation-line difference; one mark of each condition group.
class Items {
  public:
    explicit Items(std::uint32_t seed) : rng_(seed) {}

    engine::Snapshot Next() {
        engine::Snapshot s;
        const int mode = Between(1, 3);
        s.B1 = mode == 2;
        s.U2 = mode == 3;
        s.caption = "擁壁数量調書：生成";
        s.ComboBox[1] = "拾い";
        s.REdit[1] = Size(1000, 30000);
        s.REdit[2] = mode == 3 ? "" : Size(0, 2000);
        s.REdit[3] = mode == 1 ? (Chance(8) ? Size(1500, 4000) : Size(0, 2000)) : "";
        s.REdit[4] = Size(200, 1500);
        s.REdit[5] = Size(0, 100);
        s.REdit[6] = Size(0, 200);
        s.REdit[7] = Size(300, 3000);
        s.REdit[8] = mode == 2 ? "" : Size(100, 400);
        s.REdit[9] = mode == 2 ? "" : Size(100, 600);
        s.REdit[10] = Size(1000, 5000);
        s.REdit[11] = Size(200, 800);
        s.REdit[16] = "150";
        for (int e : {12, 13, 14, 15})
            s.REdit[static_cast<std::size_t>(e)] = Size(100, 300);
        s.REdit[17] = Size(-500, 800);
        s.REdit[18] = mode == 2 ? "" : std::to_string(Between(40, 120));
        const char* names[] = {"", "打放補修", "吹付タイル", "モルタル金鏝", "撥水剤塗布", "磁器タイル張"};
        for (int c = 2; c <= 4; ++c)
            s.ComboBox[static_cast<std::size_t>(c)] = names[Between(0, 5)];
        s.CheckBox1 = Chance(2);
        s.CheckBox2 = mode == 1 && Chance(3);
        s.CheckBox3 = mode == 1 && Chance(5);
        s.CheckBox5 = Chance(2);
        s.CheckBox6 = Chance(2);
        for (int* rg : {&s.RG_BL, &s.RG_HL, &s.RG_TL, &s.RG_YL})
            *rg = Between(0, 2);
        One({&s.S1, &s.Y1, &s.N6061, &s.N4541});
        One({&s.N1001, &s.N5051, &s.N001});
        One({&s.N4, &s.N5});
        One({&s.N8, &s.H1, &s.U1, &s.R2});
        One({&s.N22, &s.M1, &s.N110, &s.N23});
        One({&s.K3, &s.M2});
        s.A1 = Chance(4);
        return s;
    }

  private:
    bool Chance(int oneIn) { return Between(1, oneIn) == 1; }
    int Between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    std::string Size(int lo, int hi) {
        if (Chance(60))
            return "";
        const int v = Between(lo, hi);
        return std::to_string(Chance(10) ? v : v / 10 * 10);
    }
    void One(std::initializer_list<bool*> group) {
        *group.begin()[Between(0, static_cast<int>(group.size()) - 1)] = true;
    }
    std::mt19937 rng_;
};

struct Calculated {
    engine::Snapshot snapshot;
    engine::CalcOutput out;
};

std::vector<Calculated> Generate(int count) {
    Items items(20240917);
    std::vector<Calculated> out;
    while (static_cast<int>(out.size()) < count) {
        engine::Snapshot s = items.Next();
        try {
            if (auto calc = engine::Calculate(s, [](const std::string&) {}))
                out.push_back({s, std::move(*calc)});
        } catch (const yoheki::Error&) {
        }
    }
    return out;
}

const std::vector<Calculated>& Sample() {
    static const std::vector<Calculated> items = Generate(10000);
    return items;
}

void Tally() {
    std::map<std::string, int> byKind;
    std::map<std::string, std::pair<int, std::string>> formulas; // label -> count, example
    int withError = 0;
    for (const Calculated& c : Sample()) {
        const auto found = checks::CheckItem(c.snapshot, c.out);
        withError += checks::HasError(found) ? 1 : 0;
        for (const checks::Finding& f : found) {
            ++byKind[checks::LevelName(f.level) + "\t" + checks::CheckName(f.check)];
            if (f.check == checks::Check::Formula) {
                auto& [n, example] = formulas[f.quantity];
                if (n++ == 0)
                    example = f.text;
            }
        }
    }
    // The check must be reading these statements: each concrete total moved
    // by 0.01 is to be caught.
    int moved = 0, caught = 0;
    for (const Calculated& c : Sample())
        for (std::size_t n = 20; n < c.out.lines.size(); ++n) {
            if (!c.out.lines[n].starts_with("ＲＣ:全  量："))
                continue;
            std::vector<std::string> lines = c.out.lines;
            char& digit = lines[n][lines[n].find("（ｍ3）") - 1];
            digit = digit == '9' ? '8' : static_cast<char>(digit + 1);
            ++moved;
            caught += checks::CheckFormulas(lines).empty() ? 0 : 1;
            break;
        }
    std::printf("%zu generated items calculated, %d with an error finding\n", Sample().size(),
                withError);
    std::printf("concrete totals moved by 0.01: %d, caught: %d\n", moved, caught);
    for (const auto& [kind, n] : byKind)
        std::printf("%6d\t%s\n", n, kind.c_str());
    for (const auto& [label, entry] : formulas)
        std::printf("formula\t%s\t%d\te.g. %s\n", label.c_str(), entry.first, entry.second.c_str());
    std::fflush(stdout);
}

void CheckItems(benchmark::State& state) {
    const auto& items = Sample();
    std::size_t findings = 0;
    for (auto _ : state)
        for (const Calculated& c : items)
            findings += checks::CheckItem(c.snapshot, c.out).size();
    benchmark::DoNotOptimize(findings);
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(items.size()));
}
BENCHMARK(CheckItems)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    Tally();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
