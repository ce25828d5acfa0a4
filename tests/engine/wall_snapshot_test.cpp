#include "SnapshotFile.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using enginetest::ParseSnapshot;

TEST(SnapshotFile, RejectsUnknownKeysAndBadFlags) {
    for (const char* text : {"REdit19=1", "REdit0=1", "ComboBox5=x", "Foo=1", "marks=S1 ZZ",
                             "CheckBox1=yes", "no equals sign"})
        EXPECT_THROW(ParseSnapshot(text), std::runtime_error) << text;
}

TEST(SnapshotFile, SameLinesNamesTheFirstDifference) {
    auto r = enginetest::SameLines({"a", "b", "c"}, {"a", "x", "c"}, "f");
    ASSERT_FALSE(r);
    EXPECT_NE(std::string(r.message()).find("line 1 differs"), std::string::npos);
    EXPECT_FALSE(enginetest::SameLines({"a"}, {"a", ""}, "f"));
    EXPECT_TRUE(enginetest::SameLines({"a", ""}, {"a", ""}, "f"));
}

} // namespace
