// The main of every test executable that needs an application object: the
// display (offscreen, or a display of the test fixtures) is chosen before it
// exists, and so is a home of the program's own.

#include "common/TempDir.h"
#include "common/TestDisplay.h"

#include <QApplication>
#include <QGuiApplication>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <optional>

int main(int argc, char** argv)
{
    // Qt keeps the file dialog's history and last folder under the home;
    // test programs running side by side, and the user's own desktop, must
    // not share them. Tests that need an XDG folder set it themselves.
    std::optional<testing_support::TempDir> home(std::in_place);
    setenv("HOME", home->Path().c_str(), 1);
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
        unsetenv(name);
    if (!testing_support::ChooseTestDisplay()) {
        return 1;
    }
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    const int result = RUN_ALL_TESTS();
    if (QGuiApplication::platformName() == QLatin1String("wayland")) {
        // Qt's Wayland client (6.4) now and then never returns from tearing
        // down its connection after every test has passed, with the
        // compositor alive. The results are printed by then: end without the
        // teardown, so ctest sees them instead of a time-out.
        home.reset();
        std::fflush(nullptr);
        std::_Exit(result);
    }
    return result;
}
