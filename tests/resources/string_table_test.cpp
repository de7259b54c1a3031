// The string table: every tooltip under its id, the messages exactly as the
// applet shows them, and the tooltip maps from control to string.

#include "resources/ResourceIds.h"
#include "resources/StringTable.h"
#include "resources/Tooltips.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

struct StringCase {
    const char* name;
    UINT id;
    const char* text;
};

class StringText : public testing::TestWithParam<StringCase> {};

TEST_P(StringText, IsExact)
{
    EXPECT_EQ(res::FindTableString(GetParam().id), std::string_view(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Strings, StringText,
    testing::Values(
        StringCase{"Name", 1, "Lumivane"},
        StringCase{"Description", 2, "Change the windows startup & shutdown screens"},
        StringCase{"TipPick", 3, "Selects a color from the image as the current color"},
        StringCase{"TipPlace", 4, "Places the current color into the color-palette"},
        StringCase{"TipShowPreview", 5, "Shows/Hides the preview window"},
        StringCase{"TipColorCheck", 6, "Checks weather the current color is already in the color-palette"},
        StringCase{"TipColorDialog", 7, "Displays the color dialog"},
        StringCase{"TipRemoveUnused", 8, "Removes unwanted colors from the color-palette"},
        StringCase{"TipAnimClose", 9, "Closes this dialog"},
        StringCase{"TipSaveAs", 10, "Saves the image to disk"},
        StringCase{"TipAnimate", 11, "Animates the image"},
        StringCase{"TipBlue", 12, "Displays the Blue component of the current color"},
        StringCase{"TipRed", 13, "Displays the Red component of the current color"},
        StringCase{"TipGreen", 14, "Displays the Green component of the current color"},
        StringCase{"TipCurrentColor", 15, "Displays the current color"},
        StringCase{"TipCount", 16, "Displays the number of entries you want to animate (2 to 255)"},
        StringCase{"TipStartUp", 17, "Shows the currently selected Start Up Logo"},
        StringCase{"TipShutDown", 18, "Shows the currently selected Shut Down Logo"},
        StringCase{"TipPreShutDown", 19, "Shows the currently selected Pre-Shut Down Logo"},
        StringCase{"TipApply", 20, "Applies currently selected logos to windows"},
        StringCase{"TipClose", 21, "Closes Lumivane and discards any unapplied logos"},
        StringCase{"TipBrowse", 22, "Browse for a new logo"},
        StringCase{"TipDefaultLogo", 23, "Resets the current logo to the default"},
        StringCase{"TipNewLogo", 24, "Opens a new blank logo"},
        StringCase{"TipAnimateLogo", 25, "Displays options for animating the current logo"},
        StringCase{"TipSetLogoEditor", 26, "Allows you to specify the program used to create new logos"},
        StringCase{"TipSaveLogo", 27, "Saves the current logo as a bitmap file"},
        StringCase{"TipHelp", 28, "Displays the Help file for Lumivane"},
        StringCase{"TipAbout", 29, "Displays information about Lumivane"},
        StringCase{"TipAnimatedBar", 30, "Makes an animated bar at the bottom of the image using the current color"},
        StringCase{"TipReverse", 31, "Reverses the animation sequence"},
        StringCase{"BarNoSpace", res::IDS_ANIM_BAR_NO_SPACE,
                   "There isn't sufficient space in the color palette of this image to complete the creation of the "
                   "animated bar.\nPlease refer the help file for tips on creating more space in the color palette."},
        StringCase{"BarDone", res::IDS_ANIM_BAR_DONE,
                   "Lumivane has sucessfully created a animated bar at the bottom of your image.\nIf you do not wish "
                   "to make any more changes, you may click Save As.. and save the file as an 'Animated Logo'."},
        StringCase{"Unsaved", res::IDS_ANIM_UNSAVED_QUESTION,
                   "Image has not been saved. Are you sure you want to continue.\nPressing YES will discard your "
                   "changes."},
        StringCase{"TemplateMissingStart", res::IDS_TEMPLATE_MISSING_BEFORE,
                   "The new logo template was not found. Please ensure that file "},
        StringCase{"TemplateMissingEnd", res::IDS_TEMPLATE_MISSING_AFTER, "new.tpl exists."},
        StringCase{"EditorStartFailed", res::IDS_EDITOR_START_FAILED,
                   "Could not start the Logo Editor. Click Logo Editor button to choose a different logo editor"},
        StringCase{"FieldRange", res::IDS_ANIM_FIELD_RANGE, "Please enter an integer between 0 and 255."},
        StringCase{"BrowseFilter", res::IDS_BROWSE_FILTER, "Bitmap Files|*.bmp;*.sys||"},
        StringCase{"AnimSaveFilter", res::IDS_ANIM_SAVE_FILTER, "Static Logo|*.bmp|Animated Logo|*.bmp||"},
        StringCase{"EditorFilter", res::IDS_EDPATH_BROWSE_FILTER,
                   "Executable Files (*.exe)|*.exe|ShortCut to executable file (*.lnk)|*.lnk||"},
        StringCase{"PreShutDownCaption", res::IDS_PRESHUTDOWN_CAPTION, "Pre-Shut Down Image"},
        StringCase{"CancelCaption", res::IDS_MAIN_CANCEL_CAPTION, "&Cancel"}),
    [](const testing::TestParamInfo<StringCase>& info) { return std::string(info.param.name); });

TEST(StringTable, IdsAreUniqueAndTextsNonEmpty)
{
    std::set<UINT> ids;
    for (const res::StringResource& entry : res::StringTable()) {
        EXPECT_TRUE(ids.insert(entry.id).second) << "string " << entry.id << " appears twice";
        EXPECT_FALSE(entry.text.empty()) << entry.id;
        EXPECT_LE(entry.id, 0xFFFFu);
    }
    for (UINT id = 1; id <= 31; ++id)
        EXPECT_TRUE(ids.count(id)) << "string " << id << " is missing";
}

TEST(StringTable, HasNoStringForTheDefaultMarker)
{
    for (const res::StringResource& entry : res::StringTable())
        EXPECT_NE(entry.text, "Default");
}

struct TipCase {
    const char* name;
    bool mainDialog;
    int controlId;
    UINT stringId;
};

class TooltipMap : public testing::TestWithParam<TipCase> {};

TEST_P(TooltipMap, ControlGetsItsString)
{
    const TipCase& c = GetParam();
    const auto table = c.mainDialog ? res::MainDialogTooltips() : res::AnimDialogTooltips();
    EXPECT_EQ(res::TooltipStringFor(table, c.controlId), c.stringId);
}

INSTANTIATE_TEST_SUITE_P(
    Controls, TooltipMap,
    testing::Values(TipCase{"MainPreShutDown", true, 1001, 19}, TipCase{"MainShutDown", true, 1002, 18},
                    TipCase{"MainClose", true, 2, 21}, TipCase{"MainAnimateLogo", true, 4, 25},
                    TipCase{"MainAbout", true, 10, 29}, TipCase{"AnimClose", false, 2, 9},
                    TipCase{"AnimRed", false, 1009, 13}, TipCase{"AnimBlue", false, 1011, 12},
                    TipCase{"AnimPick", false, 1015, 3}, TipCase{"AnimReverse", false, 1024, 31}),
    [](const testing::TestParamInfo<TipCase>& info) { return std::string(info.param.name); });

TEST(TooltipMap, ControlsWithoutTooltipFindNone)
{
    EXPECT_FALSE(res::TooltipStringFor(res::MainDialogTooltips(), res::IDC_PREVIEW).has_value());
    EXPECT_FALSE(res::TooltipStringFor(res::MainDialogTooltips(), res::IDC_STATIC).has_value());
    EXPECT_FALSE(res::TooltipStringFor(res::AnimDialogTooltips(), res::IDC_ANIM_SWATCH_AREA).has_value());
    EXPECT_EQ(res::MainDialogTooltips().size(), 13u);
    EXPECT_EQ(res::AnimDialogTooltips().size(), 16u);
}

TEST(TooltipMap, EveryStringIdExists)
{
    for (const auto table : {res::MainDialogTooltips(), res::AnimDialogTooltips()}) {
        for (const res::TooltipEntry& entry : table)
            EXPECT_TRUE(res::FindTableString(entry.stringId).has_value()) << entry.stringId;
    }
}

}  // namespace
