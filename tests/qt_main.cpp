// Test entry for the folders that need widgets: one QApplication on the
// offscreen platform for the whole binary, with the Japanese fonts the window
// uses substituted as in the program.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
