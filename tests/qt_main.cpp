// Test entry for the folders that need the toolkit's platform: one
// application object (with widgets, or only painting) for the whole binary,
// on the offscreen platform unless told otherwise. Fixtures that draw text
// install the font substitutes themselves.
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
    // Offscreen unless a test run asks for a real display (Xvfb) or configures
    // the offscreen screens.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TestApplication app(argc, argv);
    // No delivered files unless a test asks for them: a drawing missing from
    // a test's folder must stay missing.
    QTemporaryDir nothingDelivered;
    yoheki::SetBundledDataDir(nothingDelivered.path());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
