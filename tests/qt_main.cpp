// Test entry for the folders that need widgets: one QApplication on the
// offscreen platform for the whole binary. Fixtures that draw text install the
// font substitutes themselves.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
