// The real colour chooser: starts on the initial colour, OK gives the chosen
// colour, Cancel gives the initial colour back.

#include "platform/qt/QtPrompts.h"
#include "platform/qt/ModalWidgetWatcher.h"

#include <QColorDialog>

#include <gtest/gtest.h>

using services_test::WhenModalOpens;

namespace {

TEST(QtColorDialog, StartsOnTheInitialColourAndReturnsTheChosenOne)
{
    platform::QtPrompts prompts;
    QColor seen;
    bool nonNative = false;
    WhenModalOpens([&](QWidget* modal) {
        auto* dialog = qobject_cast<QColorDialog*>(modal);
        if (!dialog) {
            ADD_FAILURE() << "not a colour dialog";
            modal->close();
            return;
        }
        seen = dialog->currentColor();
        nonNative = dialog->testOption(QColorDialog::DontUseNativeDialog);
        dialog->setCurrentColor(QColor(10, 200, 30));
        dialog->accept();
    });
    const auto answer = prompts.ChooseColor(nullptr, RGB(1, 2, 3), CC_RGBINIT | CC_FULLOPEN | CC_SOLIDCOLOR);
    EXPECT_EQ(seen, QColor(1, 2, 3));
    EXPECT_TRUE(nonNative);
    EXPECT_TRUE(answer.ok);
    EXPECT_EQ(answer.color, RGB(10, 200, 30));
}

TEST(QtColorDialog, CancelGivesTheInitialColourBack)
{
    platform::QtPrompts prompts;
    WhenModalOpens([](QWidget* modal) {
        if (auto* dialog = qobject_cast<QColorDialog*>(modal))
            dialog->setCurrentColor(QColor(255, 0, 0));
        modal->close();
    });
    const auto answer = prompts.ChooseColor(nullptr, RGB(40, 50, 60), 131);
    EXPECT_FALSE(answer.ok);
    EXPECT_EQ(answer.color, RGB(40, 50, 60));
}

}  // namespace
