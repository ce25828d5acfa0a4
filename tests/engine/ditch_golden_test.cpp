#include "Calc.h"
#include "SnapshotFile.h"

#include <gtest/gtest.h>

namespace {

using namespace enginetest;

// Each case is a snapshot <name>.snap.txt, whose comment lines work out its
// quantities by hand, with its statement <name>.expected.txt and its messages
// <name>.messages.txt.
class DitchGolden : public testing::TestWithParam<const char*> {};

TEST_P(DitchGolden, StatementAndMessages) {
    std::string name = GetParam();
    engine::Snapshot s = LoadSnapshot(DataPath(name + ".snap.txt"));
    Recorder r;
    auto out = engine::CalcUJS(s, r.fn());
    ASSERT_TRUE(out.has_value());
    EXPECT_TRUE(MatchesExpected(out->lines, name));
    EXPECT_TRUE(MatchesMessages(r.texts, name));
}

INSTANTIATE_TEST_SUITE_P(Ditches, DitchGolden,
                         testing::Values("ditch_worked", "ditch_bars", "ditch_merged",
                                         "ditch_summary"),
                         [](const auto& info) { return std::string(info.param); });

} // namespace
