// The section drawn from an item's dimensions shows what the statement counts:
// for every item of the sample and for generated shapes, the excavation
// outline's area times the run length is the statement's 根切量, its width at
// mid-depth is the width the formula prints, and the concrete body is as wide
// and as high as typed. Impossible shapes are drawn and marked.
#include "Calc.h"
#include "CLF.h"
#include "IniFile.h"
#include "ItemRecord.h"
#include "Section.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <cmath>

namespace {

namespace sec = engine::section;

const sec::Shape* Find(const sec::View& v, sec::Fill fill, sec::Layer layer) {
    for (const sec::Shape& s : v.shapes)
        if (s.fill == fill && s.layer == layer && !s.fault)
            return &s;
    return nullptr;
}

double Area(const std::vector<sec::Pt>& p) {
    double a = 0;
    for (size_t i = 0; i < p.size(); ++i) {
        const sec::Pt& u = p[i];
        const sec::Pt& w = p[(i + 1) % p.size()];
        a += u.x * w.y - w.x * u.y;
    }
    return std::fabs(a) / 2;
}

// Width of a polygon along the level y (its outermost crossings).
double WidthAt(const std::vector<sec::Pt>& p, double y) {
    double lo = 1e18, hi = -1e18;
    for (size_t i = 0; i < p.size(); ++i) {
        const sec::Pt& u = p[i];
        const sec::Pt& w = p[(i + 1) % p.size()];
        if ((u.y - y) * (w.y - y) > 0 || u.y == w.y)
            continue;
        const double x = u.x + (w.x - u.x) * (y - u.y) / (w.y - u.y);
        lo = std::min(lo, x), hi = std::max(hi, x);
    }
    return hi - lo;
}

std::int64_t Mm(const takeoff::ItemRecord& r, int edit) {
    return yoheki::StrToMm(r.REdit[edit], nullptr);
}

// Hundredths of m³ from mm² of section and mm of length, as the statement rounds.
std::int64_t Volume(double areaMm2, double lengthMm) {
    return yoheki::RoundOff(areaMm2 * lengthMm / 1e7);
}

struct Case {
    takeoff::ItemRecord record;
    std::string name;
};

void CheckItem(const Case& c) {
    SCOPED_TRACE(c.name);
    const engine::Snapshot s = takeoff::ToSnapshot(c.record, c.name, "擁壁数量調書：見本", {});
    const auto out = engine::Calculate(s, {});
    ASSERT_TRUE(out.has_value());
    const sec::Drawing d = sec::SectionOf(s);
    ASSERT_FALSE(d.views.empty());
    const sec::View& v = d.views.front();
    const sec::Shape* trench = Find(v, sec::Fill::Backfill, sec::Layer::Excavation);
    const sec::Shape* body = Find(v, sec::Fill::Concrete, sec::Layer::Body);
    ASSERT_TRUE(trench && body);
    const auto [lo, hi] = std::minmax_element(body->pts.begin(), body->pts.end(),
                                              [](sec::Pt a, sec::Pt b) { return a.y < b.y; });
    const double bodyHeight = hi->y - lo->y;
    const double bodyWidth = WidthAt(body->pts, lo->y + 1);
    // A base's section is multiplied by the plan's excavated length (A + 2 × 余幅).
    const double length = double(Mm(c.record, 1) + (d.mode == 2 ? d.excavationWidth - Mm(c.record, 7) : 0));
    EXPECT_EQ(Volume(Area(trench->pts), length), out->quantities.excavation);
    // One depth: the outline is as deep as counted and as wide at mid-depth.
    const double top = std::max_element(trench->pts.begin(), trench->pts.end(),
                                        [](sec::Pt a, sec::Pt b) { return a.y < b.y; })->y;
    if (!(s.N4 && s.REdit[2] != s.REdit[3]) || d.mode != 1) {
        EXPECT_DOUBLE_EQ(WidthAt(trench->pts, top - d.excavationDepth / 2.0), d.excavationWidth);
    }
    switch (d.mode) {
    case 1: // wall: the base width, from its underside to the top of the wall
        EXPECT_DOUBLE_EQ(bodyWidth, double(Mm(c.record, 7)));
        EXPECT_DOUBLE_EQ(bodyHeight, double(Mm(c.record, 2) + Mm(c.record, 4)));
        break;
    case 2: // base: its width and its full height, above and below ground
        EXPECT_DOUBLE_EQ(bodyWidth, double(Mm(c.record, 7)));
        EXPECT_DOUBLE_EQ(bodyHeight, double(Mm(c.record, 2) + Mm(c.record, 4)));
        ASSERT_EQ(d.views.size(), 2u); // and its plan
        break;
    case 3: // ditch: the outer width and the section height
        EXPECT_DOUBLE_EQ(bodyWidth, double(Mm(c.record, 7)));
        EXPECT_DOUBLE_EQ(bodyHeight, double(Mm(c.record, 4)));
        break;
    }
    EXPECT_TRUE(d.faults.empty());
}

TEST(Section, SampleItemsDrawWhatTheStatementCounts) {
    const yoheki::IniFile ini(YOHEKI_DATA_DIR "/見本工事.Fa1");
    const auto names = ini.ReadSections();
    ASSERT_GE(names.size(), 6u);
    for (const std::string& name : names)
        CheckItem({takeoff::ReadItem(ini, name), name});
}

// Every excavation rule, retained sides and the excavation-line difference.
TEST(Section, ExcavationRulesKeepTheCountedArea) {
    const yoheki::IniFile ini(YOHEKI_DATA_DIR "/見本工事.Fa1");
    for (const std::string& name : ini.ReadSections()) {
        const takeoff::ItemRecord item = takeoff::ReadItem(ini, name);
        for (int ne = 1; ne <= 4; ++ne)
            for (int sr = 1; sr <= 4; ++sr)
                for (const char* g : {"0", "-100", "250"}) {
                    takeoff::ItemRecord r = item;
                    r.Ne = ne, r.Sr = sr, r.level = true, r.REdit[17] = g;
                    r.REdit[4] = "2600"; // deep enough for the standard's slopes
                    CheckItem({r, name + " Ne" + std::to_string(ne) + " Sr" + std::to_string(sr) +
                                      " G" + g});
                }
    }
}

TEST(Section, ImpossibleShapesAreDrawnAndMarked) {
    const yoheki::IniFile ini(YOHEKI_DATA_DIR "/見本工事.Fa1");
    const auto names = ini.ReadSections();
    const takeoff::ItemRecord wall = takeoff::ReadItem(ini, names.front());
    const takeoff::ItemRecord ditch = takeoff::ReadItem(ini, names.back());
    struct Bad {
        takeoff::ItemRecord record;
        int edit;
        const char* value;
        const char* says;
    } bad[] = {
        {wall, 4, "-100", "根入長"},
        {wall, 9, "0", "ﾍﾞｰｽ(B)"},
        {wall, 7, "200", "ﾍﾞｰｽ幅"},
        {ditch, 7, "300", "幅(W)"},
    };
    for (Bad& b : bad) {
        b.record.REdit[b.edit] = b.value;
        const sec::Drawing d = sec::SectionOf(takeoff::ToSnapshot(b.record, "x", "", {}));
        ASSERT_FALSE(d.views.empty()) << b.says;
        ASSERT_EQ(d.faults.size(), 1u) << b.says;
        EXPECT_NE(d.faults[0].find(b.says), std::string::npos) << d.faults[0];
        const auto& shapes = d.views[0].shapes;
        EXPECT_TRUE(std::any_of(shapes.begin(), shapes.end(), [](const sec::Shape& s) { return s.fault; }));
    }
    takeoff::ItemRecord huge = wall;
    huge.REdit[1] = "2000000000";
    huge.REdit[7] = "2000000000";
    EXPECT_NO_THROW(sec::SectionOf(takeoff::ToSnapshot(huge, "x", "", {})));
}

} // namespace
