// The formula check over the program's own statements: silent on every
// golden statement and on the sample project's text output, and loud on a
// figure changed by one hundredth.
#include "Calc.h"
#include "Checks.h"
#include "SnapshotFile.h"

#include "Cp932.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>

namespace {

using namespace enginetest;

const char* const kGolden[] = {
    "wall_example", "wall_stepped", "wall_merged",   "wall_block",     "wall_below_gl",
    "wall_slab",    "base_bars",    "base_merged",   "base_summary",   "base_tile",
    "ditch_bars",   "ditch_merged", "ditch_summary", "ditch_worked",
};

std::string Describe(const std::vector<checks::Finding>& found) {
    std::string out;
    for (const checks::Finding& f : found)
        out += checks::FindingLine(f) + "\n";
    return out;
}

TEST(FormulaCheck, SilentOnEveryGoldenStatement) {
    for (const char* name : kGolden) {
        const std::vector<std::string> lines = ReadLines(DataPath(std::string(name) + ".expected.txt"));
        ASSERT_GT(lines.size(), 20u) << name;
        const auto found = checks::CheckFormulas(lines);
        EXPECT_TRUE(found.empty()) << name << "\n" << Describe(found);
    }
}

// The sample project's continuous text output, cut into its statements.
std::vector<std::vector<std::string>> SampleStatements() {
    std::ifstream in(std::string(YOHEKI_TESTDATA_DIR) + "/sample.expected.txt", std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    std::istringstream text(yoheki::cp932::Decode(bytes.str()));
    std::vector<std::vector<std::string>> out;
    for (std::string line; std::getline(text, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.starts_with("【物件名："))
            out.emplace_back();
        if (!out.empty())
            out.back().push_back(line);
    }
    return out;
}

TEST(FormulaCheck, SilentOnEveryItemOfTheSample) {
    const auto statements = SampleStatements();
    ASSERT_EQ(statements.size(), 6u);
    for (const auto& lines : statements) {
        const auto found = checks::CheckFormulas(lines);
        EXPECT_TRUE(found.empty()) << lines[1] << "\n" << Describe(found);
    }
}

// The figure in front of the unit of a quantity line ("   7.30（ｍ3）"):
// the position of its last digit, or npos.
std::size_t LastDigit(const std::string& line) {
    for (std::size_t at = line.find("（"); at != std::string::npos; at = line.find("（", at + 1))
        if (at >= 4 && std::isdigit(static_cast<unsigned char>(line[at - 1])) && line[at - 3] == '.')
            return at - 1;
    return std::string::npos;
}

// A figure worked out from quantities quoted exactly (sums, differences,
// bar rates): moved by 0.01 either way it no longer matches, and the finding
// names that line.
TEST(FormulaCheck, CatchesAQuantityMovedByOneHundredth) {
    const char* const exact[] = {"ＲＣ:全  量：", "普 通 型 枠：", "不用土 処分：", "埋  戻  し ：",
                                 "埋　戻　し ：", "異形鉄筋"};
    int altered = 0;
    for (const auto& lines : SampleStatements())
        for (std::size_t n = 20; n < lines.size(); ++n) {
            const bool quoted = std::any_of(std::begin(exact), std::end(exact), [&](const char* p) {
                return lines[n].starts_with(p);
            });
            const std::size_t at = LastDigit(lines[n]);
            if (!quoted || at == std::string::npos)
                continue;
            for (int step : {1, -1}) {
                std::vector<std::string> changed = lines;
                char& digit = changed[n][at];
                if ((step == 1 && digit == '9') || (step == -1 && digit == '0'))
                    continue;
                digit = static_cast<char>(digit + step);
                const auto found = checks::CheckFormulas(changed);
                ASSERT_EQ(found.size(), 1u) << changed[n];
                EXPECT_EQ(found[0].level, checks::Level::Error);
                EXPECT_EQ(found[0].check, checks::Check::Formula);
                EXPECT_NE(found[0].text.find(std::to_string(n + 1) + "行目"), std::string::npos);
                ++altered;
            }
        }
    EXPECT_GT(altered, 40);
}

// Lines of a made-up statement head, so the quantity lines start at 20.
std::vector<std::string> WithHead(std::vector<std::string> body) {
    std::vector<std::string> lines(20, "");
    lines.insert(lines.end(), body.begin(), body.end());
    return lines;
}

// A stone line whose formula multiplies `factor` `times` times.
std::string Product(const std::string& quantity, const std::string& factor, int times) {
    std::string line = "砕       石：" + quantity + "（ｍ3）　:=" + factor;
    for (int i = 1; i < times; ++i)
        line += "×" + factor;
    return line;
}

struct Case {
    const char* what;
    std::vector<std::string> body;
    int errors;
};

TEST(FormulaCheck, ReadsEachFormulaShape) {
    const Case cases[] = {
        {"product within rounding", {"砕       石：   1.60（ｍ3）　:=   1.60×   0.10×  10.00"}, 0},
        // 1.605 × 0.105 × 10.005 = 1.686 at most: 1.69 may still come from it,
        // 1.70 may not.
        {"product at the edge of the sizes' rounding", {"砕       石：   1.69（ｍ3）　:=   1.60×   0.10×  10.00"}, 0},
        {"product beyond the sizes' rounding", {"砕       石：   1.70（ｍ3）　:=   1.60×   0.10×  10.00"}, 1},
        {"formula on the next line",
         {"根  切   量：  16.25（ｍ3）", "　　 :=[延L]   2.50×[D]   0.65×[H]  10.00"}, 0},
        {"two strips of a stepped pit",
         {"根  切   量：  18.92（ｍ3）　［高低差考慮］", "　 :=   0.50×   0.75×  18.50",
          "　  +   1.85×   0.35×  18.50"}, 0},
        {"quoted quantities add exactly",
         {"ＲＣ:全  量：   7.31（ｍ3）　:=ﾍﾞｰｽ(   4.50)＋立上り(   2.80)"}, 1},
        {"difference of quoted quantities",
         {"普 通 型 枠：  10.00（ｍ2）　:=型枠全数量［  34.00］－打放し型枠［  24.00］",
          "　　 (型枠全数量):=   1.70×  10.00×２"}, 0},
        // 1.705 × 10.005 × 2 = 34.117 at most.
        {"sub-formula of a quoted total",
         {"普 通 型 枠：  10.00（ｍ2）　:=型枠全数量［  34.20］－打放し型枠［  24.20］",
          "　　 (型枠全数量):=   1.70×  10.00×２"}, 1},
        {"negative figures",
         {"埋  戻  し ：  -0.50（ｍ3）　［根切土使用］", "  :=根切量［   1.00］－不用土処分［   1.50］"}, 0},
        {"nested brackets of imported backfill",
         {"埋　戻　し ：   6.71（ｍ3）　［搬入土使用］",
          "　 :=根切り量(  18.92)-(砕石(   3.70)+均しｺﾝ(   1.85)+ＲＣ残土用(   6.66))"}, 0},
        {"disposal named by the excavation",
         {"根  切   量：  18.92（ｍ3）", " :=   1.00×   1.00×  18.92",
          "不用土 処分：  18.93（ｍ3）　［場外搬出］　:=根切り量"}, 1},
        {"rate over the quoted concrete",
         {"異形鉄筋D13：   0.68（ｔ）　 :=ＲＣ全量[  16.52]×41㎏／ｍ3"}, 0},
        {"rate over the concrete line",
         {"ＲＣ:全  量：   7.30（ｍ3）　:=ﾍﾞｰｽ(   4.50)＋立上り(   2.80)",
          "異形鉄筋D10,13：   0.52（ｔ）　 :=ＲＣ全量×70㎏／ｍ3　[D10,D13合算]"}, 1},
        {"kilograms per base", {"異形鉄筋D13：   0.07（ｔ）　 :=ＲＣ全量[   0.86]×65㎏／ヶ所"}, 0},
        // 0.065 t is rounded away from zero, never down.
        {"kilograms per base, rounded down", {"異形鉄筋D13：   0.06（ｔ）　 :=ＲＣ全量[   0.86]×65㎏／ヶ所"}, 1},
        {"finish on the next line, a digit in its name",
         {"表面仕上：吹付タイル2回 :   14.80（ｍ2）", "　　　 :=   0.80×  18.50"}, 0},
        {"bracketed part below ground",
         {"     ＲＣ:残土用：   4.90（ｍ3）:=ﾍﾞｰｽ(   4.50)",
          "   　　 　＋立上り[GL以下](   0.20×   0.20×  10.00)"}, 0},
        {"unreadable formula is left alone", {"砕       石：   1.60（ｍ3）　:=何か×   0.10"}, 0},
        // 39 decimal places are beyond 128 bits: worked again in fractions,
        // where the quoted 1.000 is 1.
        {"many places, worked in fractions", {Product("   1.00", "ﾍﾞｰｽ(   1.000)", 13)}, 0},
        {"many places, worked in fractions, wrong", {Product("   1.01", "ﾍﾞｰｽ(   1.000)", 13)}, 1},
        {"too large even for fractions is left alone", {Product("   9.99", "1.005", 30)}, 0},
    };
    for (const Case& c : cases) {
        const auto found = checks::CheckFormulas(WithHead(c.body));
        EXPECT_EQ(static_cast<int>(found.size()), c.errors) << c.what << "\n" << Describe(found);
    }
}

} // namespace
