// Test entry for the folders that need the toolkit's platform: one
// application object (with widgets, or only painting) on the offscreen
// platform for the whole binary. Fixtures that draw text install the
// font substitutes themselves.
#include "BundledData.h"

#include <QTemporaryDir>
#ifdef YOHEKI_TESTS_WITHOUT_WIDGETS
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#else
#include <QApplication>
using TestApplication = QApplication;
#endif
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Offscreen always; a test entry may configure its screens.
    if (!qgetenv("QT_QPA_PLATFORM").startsWith("offscreen"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TestApplication app(argc, argv);
    // No delivered files unless a test asks for them: a drawing missing from
    // a test's folder must stay missing.
    QTemporaryDir nothingDelivered;
    yoheki::SetBundledDataDir(nothingDelivered.path());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
