// The main of every test executable that needs an application object: the
// display (offscreen, or the test X server) is chosen before it exists.

#include "common/TestDisplay.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (!testing_support::ChooseTestDisplay()) {
        return 1;
    }
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
