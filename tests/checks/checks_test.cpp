// Each check with an item that triggers it and a near neighbour that does
// not, on the worked examples of the three structures.
#include "Calc.h"
#include "Checks.h"
#include "SnapshotFile.h"
#include "base_ditch_support.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using checks::Check;
using engine::Snapshot;

Snapshot Wall() {
    return enginetest::LoadSnapshot(enginetest::DataPath("wall_example.snap.txt"));
}

std::vector<checks::Finding> CheckRun(const Snapshot& s) {
    const auto out = engine::Calculate(s, [](const std::string&) {});
    EXPECT_TRUE(out.has_value());
    return out ? checks::CheckItem(s, *out) : std::vector<checks::Finding>{};
}

std::string Describe(const std::vector<checks::Finding>& found) {
    std::string out;
    for (const checks::Finding& f : found)
        out += checks::FindingLine(f) + "\n";
    return out;
}

const checks::Finding* Find(const std::vector<checks::Finding>& found, Check check,
                            const std::string& quantity) {
    for (const checks::Finding& f : found)
        if (f.check == check && f.quantity == quantity)
            return &f;
    return nullptr;
}

bool Any(const std::vector<checks::Finding>& found, Check check) {
    for (const checks::Finding& f : found)
        if (f.check == check)
            return true;
    return false;
}

using Edit = std::function<void(Snapshot&)>;
struct Case {
    const char* what;
    Snapshot (*base)();
    Edit trigger, neighbour;
    Check check;
    const char* quantity;
    const char* mentions; // a part of the text that names the cause
};

void Set(Snapshot& s, int edit, const char* text) {
    s.REdit[static_cast<std::size_t>(edit)] = text;
}

const Case kCases[] = {
    // The front 1500 above the back with the embedment difference counted:
    // the back strip lies above the bottom of the stone.
    {"excavation, high front face", Wall,
     [](Snapshot& s) { s.N4 = true, s.N5 = false, Set(s, 2, "2000"), Set(s, 3, "500"); },
     [](Snapshot& s) { s.N4 = true, s.N5 = false, Set(s, 2, "2000"), Set(s, 3, "1400"); },
     Check::Negative, "根切量", "根入差"},
    {"excavation, base pit above its line", bdtest::WorkedBase,
     [](Snapshot& s) { s.A1 = true, Set(s, 17, "700"); },
     [](Snapshot& s) { s.A1 = true, Set(s, 17, "600"); }, Check::Negative, "根切量",
     "設計GLと平均GLの差"},
    {"stone", Wall, [](Snapshot& s) { Set(s, 6, "-100"); }, [](Snapshot& s) { Set(s, 6, "0"); },
     Check::Negative, "砕石", "砕石厚 -100"},
    {"upstand concrete", Wall, [](Snapshot& s) { Set(s, 9, "1800"); },
     [](Snapshot& s) { Set(s, 9, "1700"); }, Check::Negative, "ＲＣ立上り", "ﾍﾞｰｽ厚"},
    {"run length", bdtest::WorkedDitch, [](Snapshot& s) { Set(s, 1, "-10000"); },
     [](Snapshot& s) { Set(s, 1, "10"); }, Check::Negative, "延べ長さ", "-10000"},
    {"bars from pitches", Wall,
     [](Snapshot& s) { s.CheckBox1 = true, Set(s, 12, "50"), Set(s, 13, "50"), Set(s, 14, "50"), Set(s, 15, "50"); },
     [](Snapshot& s) { s.CheckBox1 = true; }, Check::BarRate, "鉄筋量", "㎏／ｍ3"},
    {"drain pipes", Wall, [](Snapshot& s) { s.CheckBox2 = true, Set(s, 10, "30000"); },
     [](Snapshot& s) { s.CheckBox2 = true, Set(s, 10, "20000"); }, Check::Pipes, "水抜ﾊﾟｲﾌﾟ",
     "30000"},
    {"upstand thicker than the base", Wall, [](Snapshot& s) { Set(s, 8, "310"); },
     [](Snapshot& s) { Set(s, 8, "300"); }, Check::UpstandThick, "立上り厚", "ﾍﾞｰｽ厚 300"},
    {"ditch walls thicker than the slab", bdtest::WorkedDitch,
     [](Snapshot& s) { Set(s, 8, "160"); }, [](Snapshot& s) { Set(s, 8, "150"); },
     Check::UpstandThick, "側壁厚", "底版厚 150"},
    {"base thicker than the wall height", Wall, [](Snapshot& s) { Set(s, 9, "1710"); },
     [](Snapshot& s) { Set(s, 9, "1700"); }, Check::BaseThick, "ﾍﾞｰｽ厚", "1700"},
    {"dimension rounded", Wall, [](Snapshot& s) { Set(s, 7, "1495"); },
     [](Snapshot& s) { Set(s, 7, "1490"); }, Check::Rounded, "ﾍﾞｰｽ幅", "1495 ㎜ を 1500 ㎜"},
    {"pitch rounded", bdtest::WorkedBase,
     [](Snapshot& s) { s.CheckBox1 = true, s.RG_BL = s.RG_HL = 0, Set(s, 12, "204"), Set(s, 14, "200"); },
     [](Snapshot& s) { s.CheckBox1 = true, s.RG_BL = s.RG_HL = 0, Set(s, 12, "200"), Set(s, 14, "200"); },
     Check::Rounded, "ﾍﾞｰｽ主筋ﾋﾟｯﾁ", "204 ㎜ を 200 ㎜"},
    {"field left empty", Wall, [](Snapshot& s) { Set(s, 3, ""); }, [](Snapshot& s) { Set(s, 3, "0"); },
     Check::ZeroField, "仕上げ高[裏]", "空欄"},
    {"field not a number", bdtest::WorkedDitch, [](Snapshot& s) { Set(s, 9, "15o"); },
     [](Snapshot& s) { Set(s, 9, "150"); }, Check::ZeroField, "底版厚", "「15o」"},
    {"ditch walls as wide as the ditch", bdtest::WorkedDitch, [](Snapshot& s) { Set(s, 8, "400"); },
     [](Snapshot& s) { Set(s, 8, "390"); }, Check::Shape, "側壁厚", "内幅が 0 ㎜"},
    {"wall without a base", Wall, [](Snapshot& s) { Set(s, 9, "0"); },
     [](Snapshot& s) { Set(s, 9, "10"); }, Check::Shape, "ﾍﾞｰｽ厚", "ﾍﾞｰｽ厚（ﾍﾞｰｽ(B)） が 0 ㎜"},
    {"base no wider than the wall", Wall, [](Snapshot& s) { Set(s, 7, "200"); },
     [](Snapshot& s) { Set(s, 7, "210"); }, Check::Shape, "ﾍﾞｰｽ幅", "立上り厚（幅(W)） 200 ㎜"},
    {"finish without a name", Wall, [](Snapshot& s) { s.ComboBox[2].clear(); }, [](Snapshot&) {},
     Check::FinishName, "表面仕上", "拾い「擁壁A」の表面仕上に仕上名がありません"},
};

// Why a run stopped on the back height, named by the typed values; nothing
// when the section is high enough (the run then goes on).
TEST(Checks, AStopOnTheBackHeightNamesTheValuesThatMakeTheSectionTooLow) {
    const struct { Snapshot (*base)(); int edit; const char* text; const char* mentions; } cases[] = {
        {Wall, 2, "0", "0 以下の入力：仕上げ高[表] 0 ㎜"}, {Wall, 4, "-100", "根入長 -100 ㎜"},
        {Wall, 3, "1600", ""}, {bdtest::WorkedDitch, 4, "50", "側溝高さ（根入長） 50 ㎜ が 100 ㎜ に足りず"}};
    for (const auto& c : cases) {
        Snapshot s = c.base();
        Set(s, c.edit, c.text);
        const auto found = checks::CheckStopped(s);
        EXPECT_EQ(!engine::Calculate(s, [](const std::string&) {}), *c.mentions != 0) << c.text;
        ASSERT_EQ(found.size(), *c.mentions ? 1u : 0u) << c.text;
        if (*c.mentions) {
            EXPECT_NE(found[0].text.find(c.mentions), std::string::npos) << found[0].text;
        }
    }
}

TEST(Checks, EachCheckFiresOnItsCaseAndNotOnItsNeighbour) {
    for (const Case& c : kCases) {
        Snapshot on = c.base(), off = c.base();
        c.trigger(on);
        c.neighbour(off);
        const auto hit = CheckRun(on), miss = CheckRun(off);
        const checks::Finding* f = Find(hit, c.check, c.quantity);
        ASSERT_NE(f, nullptr) << c.what << "\n" << Describe(hit);
        EXPECT_NE(f->text.find(c.mentions), std::string::npos) << c.what << ": " << f->text;
        EXPECT_EQ(Find(miss, c.check, c.quantity), nullptr) << c.what << "\n" << Describe(miss);
        EXPECT_EQ(f->level, c.check == Check::Negative || c.check == Check::Shape
                                ? checks::Level::Error
                                : checks::Level::Caution)
            << c.what;
    }
}

TEST(Checks, TheWorkedExamplesHaveNothingToReport) {
    for (Snapshot (*make)() : {Wall, bdtest::WorkedBase, bdtest::WorkedDitch}) {
        Snapshot s = make();
        for (std::string& finish : {std::ref(s.ComboBox[2]), std::ref(s.ComboBox[4])})
            finish = finish.empty() ? "打放補修" : finish; // a nameless finish is a finding
        const auto found = CheckRun(s);
        EXPECT_TRUE(found.empty()) << Describe(found);
    }
}

// Impossible quantities come first, and a figure changed in the statement
// is caught by the item's checks as well.
TEST(Checks, ErrorsComeFirstAndTheStatementIsReadAsPrinted) {
    Snapshot s = Wall();
    Set(s, 3, "");
    Set(s, 6, "-100");
    auto out = engine::Calculate(s, [](const std::string&) {});
    ASSERT_TRUE(out);
    auto found = checks::CheckItem(s, *out);
    ASSERT_GE(found.size(), 2u);
    EXPECT_EQ(found.front().level, checks::Level::Error);
    EXPECT_EQ(found.back().level, checks::Level::Caution);
    EXPECT_FALSE(Any(found, Check::Formula));
    for (std::string& line : out->lines)
        if (line.starts_with("ＲＣ:全  量：")) {
            line.replace(line.find("7.30"), 4, "7.31");
        }
    found = checks::CheckItem(s, *out);
    EXPECT_NE(Find(found, Check::Formula, "ＲＣ全量"), nullptr) << Describe(found);
}

TEST(Checks, OneFindingIsOneLine) {
    const checks::Finding f{checks::Level::Error, Check::Negative, "根切量", "a\tb\nc"};
    EXPECT_EQ(checks::FindingLine(f), "［エラー］根切量：a b c");
    EXPECT_EQ(checks::FindingFields(f), "エラー\t根切量\ta b c");
}

} // namespace
