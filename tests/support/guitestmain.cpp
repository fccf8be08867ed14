#include <gtest/gtest.h>

#ifdef OUTLAYSHEET_WIDGET_TESTS
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#endif

#include "testhome.h"

// Test programs that draw text need the fonts of a GUI application; those of
// the screens need widgets too. Both run on the offscreen platform.
int main(int argc, char** argv) {
    const auto home = MakeTestHome();
    TestApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
