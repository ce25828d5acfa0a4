#include "Calc.h"
#include "SnapshotFile.h"

#include <gtest/gtest.h>

namespace {

using namespace enginetest;

// Each case is a snapshot <name>.snap.txt with its statement
// <name>.expected.txt and its messages <name>.messages.txt; the arithmetic
// behind the expected files is in wall_notes.md beside them.
class WallGolden : public testing::TestWithParam<const char*> {};

TEST_P(WallGolden, StatementAndMessages) {
    std::string name = GetParam();
    engine::Snapshot s = LoadSnapshot(DataPath(name + ".snap.txt"));
    Recorder r;
    auto out = engine::CalcYoH(s, r.fn());
    ASSERT_TRUE(out.has_value());
    EXPECT_TRUE(MatchesExpected(out->lines, name));
    EXPECT_TRUE(MatchesMessages(r.texts, name));
}

INSTANTIATE_TEST_SUITE_P(Walls, WallGolden,
                         testing::Values("wall_example", "wall_stepped", "wall_merged",
                                         "wall_block", "wall_below_gl", "wall_slab"),
                         [](const auto& info) { return std::string(info.param); });

} // namespace
