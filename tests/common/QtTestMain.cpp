// The main of every test executable that needs an application object: the
// display (offscreen, or a display of the test fixtures) is chosen before it
// exists, and so is a home of the program's own.

#include "common/TempDir.h"
#include "common/TestDisplay.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    // Qt keeps the file dialog's history and last folder under the home;
    // test programs running side by side, and the user's own desktop, must
    // not share them. Tests that need an XDG folder set it themselves.
    const testing_support::TempDir home;
    setenv("HOME", home.Path().c_str(), 1);
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
        unsetenv(name);
    if (!testing_support::ChooseTestDisplay()) {
        return 1;
    }
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
