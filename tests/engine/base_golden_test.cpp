#include "Calc.h"
#include "SnapshotFile.h"

#include <gtest/gtest.h>

namespace {

using namespace enginetest;

// Each case is a snapshot <name>.snap.txt, whose comment lines work out its
// quantities by hand, with its statement <name>.expected.txt and its messages
// <name>.messages.txt.
class BaseGolden : public testing::TestWithParam<const char*> {};

TEST_P(BaseGolden, StatementAndMessages) {
    std::string name = GetParam();
    engine::Snapshot s = LoadSnapshot(DataPath(name + ".snap.txt"));
    Recorder r;
    auto out = engine::CalcSBs(s, r.fn());
    ASSERT_TRUE(out.has_value());
    EXPECT_TRUE(MatchesExpected(out->lines, name));
    EXPECT_TRUE(MatchesMessages(r.texts, name));
}

INSTANTIATE_TEST_SUITE_P(Bases, BaseGolden,
                         testing::Values("base_tile", "base_bars", "base_merged", "base_summary"),
                         [](const auto& info) { return std::string(info.param); });

} // namespace
