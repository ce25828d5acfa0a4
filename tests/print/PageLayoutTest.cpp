// Device positions of every element of the statement page. Expected values
// are worked by hand from v x dpi x 100 / S / 2540 - offset with truncation.
#include "PageLayout.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* what;
    QPoint paper;
    QPoint at600;  // 600 dpi, no offset, 100 %
    QPoint scaled; // 600 dpi, no offset, 50 %
};

QPoint Paper(int line, StructureMode mode = StructureMode::Wall) {
    return PageLayout::LinePos(line, mode);
}

const Case kCases[] = {
    {"line 0", Paper(0), {2362, 496}, {4724, 992}},
    {"line 11", Paper(11), {2362, 1795}, {4724, 3590}},
    {"front height 12", Paper(12), {307, 673}, {614, 1346}},
    {"back height 13", Paper(13), {1748, 472}, {3496, 944}},
    {"embedment 14", Paper(14), {307, 1145}, {614, 2291}},
    {"embedment 14, ditch", Paper(14, StructureMode::Ditch), {307, 909}, {614, 1818}},
    {"stone 15", Paper(15), {307, 1535}, {614, 3070}},
    {"levelling 16", Paper(16), {307, 1393}, {614, 2787}},
    {"base width 17", Paper(17), {1251, 1901}, {2503, 3803}},
    {"base width 17, base", Paper(17, StructureMode::Base), {1062, 1901}, {2125, 3803}},
    {"base width 17, ditch", Paper(17, StructureMode::Ditch), {1251, 1901}, {2503, 3803}},
    {"base thickness 18", Paper(18), {1748, 1263}, {3496, 2527}},
    {"wall thickness 19", Paper(19), {980, 382}, {1960, 765}},
    {"caption", PageLayout::CaptionPos(), {649, 2267}, {1299, 4535}},
    {"line 20", Paper(20), {649, 2385}, {1299, 4771}},
    {"line 39", Paper(39), {649, 4629}, {1299, 9259}},
};

TEST(PageLayout, EveryElementAtItsDevicePosition) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ToDevice(c.paper, DeviceMetrics{600, 600, 0, 0, 100}), c.at600);
        EXPECT_EQ(ToDevice(c.paper, DeviceMetrics{600, 600, 83, 83, 100}),
                  c.at600 - QPoint(83, 83));
        const QPoint half = ToDevice(c.paper, DeviceMetrics{600, 600, 0, 0, 50});
        EXPECT_EQ(half, c.scaled);
        // Half scale doubles every distance, give or take the truncated dot.
        EXPECT_LE(std::abs(half.x() - 2 * c.at600.x()), 1);
        EXPECT_LE(std::abs(half.y() - 2 * c.at600.y()), 1);
    }
}

TEST(PageLayout, ModesMoveOnlyTheirOwnLabels) {
    for (int line = 0; line < 40; ++line) {
        SCOPED_TRACE(line);
        const QPoint wall = Paper(line);
        EXPECT_EQ(Paper(line, StructureMode::Ditch) == wall, line != 14);
        EXPECT_EQ(Paper(line, StructureMode::Base) == wall, line != 17);
    }
    // Ditch height 10 mm higher, base width 8 mm further left.
    EXPECT_EQ(Paper(14).y() - Paper(14, StructureMode::Ditch).y(), 1000);
    EXPECT_EQ(Paper(17).x() - Paper(17, StructureMode::Base).x(), 800);
    // The first quantity line 5 mm under the caption, at 101 mm.
    EXPECT_EQ(Paper(20).y(), 10100);
    EXPECT_EQ(Paper(20).y() - PageLayout::CaptionPos().y(), 500);
}

TEST(PageLayout, DrawingRectangleBetweenItsCorners) {
    const QRect r = ToDevice(PageLayout::DrawingRect(), DeviceMetrics{600, 600, 83, 83, 100});
    EXPECT_EQ(r.topLeft(), QPoint(519 - 83, 472 - 83));
    EXPECT_EQ(r.width(), 1748 - 519);
    EXPECT_EQ(r.height(), 1889 - 472);
}

TEST(PageLayout, LongStatementOnAHighResolutionPrinterDoesNotWrap) {
    // 20 100 x 1200 x 100 passes 2^31; the position must still be on the page.
    EXPECT_EQ(DevicePos(Paper(40).y(), 1200, 0, 100), 9496);
    EXPECT_EQ(DevicePos(29700, 1200, 0, 100), 14031); // the foot of an A4 sheet
}

TEST(PageLayout, MissingScaleCountsAsFullSize) {
    EXPECT_EQ(DevicePos(10000, 600, 0, 0), 2362);
}

} // namespace
