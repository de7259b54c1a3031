// Test main for the services: the GUI parts need a QApplication, offscreen
// unless the test X server was chosen.

#include "common/TestDisplay.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (!testing_support::ChooseTestDisplay())
        return 1;
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
