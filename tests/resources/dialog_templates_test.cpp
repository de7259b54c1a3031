// Dialog templates against the layout tables: rectangles, ids, captions,
// styles that carry behaviour, and ids unique within each dialog.

#include "resources/DialogTemplates.h"
#include "resources/ResourceIds.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

using platform::ControlClass;
using platform::ControlTemplate;
using platform::DialogTemplate;

const ControlTemplate* Control(const DialogTemplate& dialog, int id)
{
    for (const ControlTemplate& control : dialog.controls) {
        if (control.id == id)
            return &control;
    }
    return nullptr;
}

struct RectCase {
    const char* name;
    int dialogId;
    int controlId;
    short x, y, cx, cy;
    const char* text;
};

class TemplateRect : public testing::TestWithParam<RectCase> {};

TEST_P(TemplateRect, MatchesTable)
{
    const RectCase& c = GetParam();
    const DialogTemplate* dialog = res::FindDialogTemplate(c.dialogId);
    ASSERT_NE(dialog, nullptr);
    const ControlTemplate* control = Control(*dialog, c.controlId);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->x, c.x);
    EXPECT_EQ(control->y, c.y);
    EXPECT_EQ(control->cx, c.cx);
    EXPECT_EQ(control->cy, c.cy);
    EXPECT_STREQ(control->text, c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Controls, TemplateRect,
    testing::Values(RectCase{"MainStartUp", res::IDD_MAIN, res::IDC_STARTUP, 325, 11, 70, 15, "&StartUp"},
                    RectCase{"MainShutDown", res::IDD_MAIN, res::IDC_SHUTDOWN, 325, 43, 70, 15, "Sh&ut Down"},
                    RectCase{"MainClose", res::IDD_MAIN, IDCANCEL, 325, 81, 70, 15, "&Close"},
                    RectCase{"MainSaveLogo", res::IDD_MAIN, res::IDC_SAVE_LOGO, 325, 183, 70, 15,
                             "Sa&ve Logo to File"},
                    RectCase{"MainAbout", res::IDD_MAIN, res::IDC_ABOUT, 325, 221, 70, 15, "About &Lumivane"},
                    RectCase{"MainPreview", res::IDD_MAIN, res::IDC_PREVIEW, 0, 0, 320, 240, ""},
                    RectCase{"MainAnimateLogo", res::IDD_MAIN, res::IDC_ANIMATE_LOGO, 325, 151, 70, 15,
                             "&Animate Logo"},
                    RectCase{"EdPathOk", res::IDD_EDITOR_PATH, IDOK, 5, 30, 50, 14, "&OK"},
                    RectCase{"EdPathBrowse", res::IDD_EDITOR_PATH, res::IDC_EDPATH_BROWSE, 135, 15, 50, 14, "&Browse"},
                    RectCase{"EdPathCombo", res::IDD_EDITOR_PATH, res::IDC_EDPATH_COMBO, 5, 15, 125, 45, ""},
                    RectCase{"AboutClose", res::IDD_ABOUT, IDCANCEL, 60, 90, 50, 14, "&Close"},
                    RectCase{"AnimSaveAs", res::IDD_ANIM, res::IDC_ANIM_SAVE_AS, 220, 10, 50, 15, "&Save As.."},
                    RectCase{"AnimClose", res::IDD_ANIM, IDCANCEL, 220, 25, 50, 14, "&Close"},
                    RectCase{"AnimShowPreview", res::IDD_ANIM, res::IDC_ANIM_SHOW_PREVIEW, 202, 58, 13, 12, ""},
                    RectCase{"AnimCurrentColor", res::IDD_ANIM, res::IDC_ANIM_CURRENT_COLOR, 5, 59, 20, 10, ""},
                    RectCase{"AnimCount", res::IDD_ANIM, res::IDC_ANIM_COUNT, 250, 43, 20, 10, ""},
                    RectCase{"AnimSwatchArea", res::IDD_ANIM, res::IDC_ANIM_SWATCH_AREA, 0, 0, 217, 52, ""},
                    RectCase{"AnimReverse", res::IDD_ANIM, res::IDC_ANIM_REVERSE, 244, 58, 13, 12, ""},
                    RectCase{"PreviewPicture", res::IDD_PREVIEW, res::IDC_PREVIEW_PICTURE, 0, 0, 213, 246, ""}),
    [](const testing::TestParamInfo<RectCase>& info) { return std::string(info.param.name); });

struct DialogCase {
    const char* name;
    int id;
    const char* caption;
    short cx, cy;
    std::size_t controlCount;
};

class TemplateWindow : public testing::TestWithParam<DialogCase> {};

TEST_P(TemplateWindow, SizeCaptionFontAndUniqueIds)
{
    const DialogCase& c = GetParam();
    const DialogTemplate* dialog = res::FindDialogTemplate(c.id);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->id, c.id);
    EXPECT_STREQ(dialog->caption, c.caption);
    EXPECT_EQ(dialog->cx, c.cx);
    EXPECT_EQ(dialog->cy, c.cy);
    EXPECT_STREQ(dialog->fontName, "MS Sans Serif");
    EXPECT_EQ(dialog->fontPointSize, 8);
    EXPECT_EQ(dialog->controls.size(), c.controlCount);
    std::set<int> ids;
    for (const ControlTemplate& control : dialog->controls) {
        if (control.id != res::IDC_STATIC) {
            EXPECT_TRUE(ids.insert(control.id).second) << "id " << control.id << " appears twice";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Dialogs, TemplateWindow,
                         testing::Values(DialogCase{"Main", res::IDD_MAIN, "Lumivane", 400, 239, 18},
                                         DialogCase{"EditorPath", res::IDD_EDITOR_PATH, "", 188, 46, 5},
                                         DialogCase{"About", res::IDD_ABOUT, "", 172, 118, 8},
                                         DialogCase{"Anim", res::IDD_ANIM, "Animation Options", 272, 73, 22},
                                         DialogCase{"Preview", res::IDD_PREVIEW, "Preview", 213, 246, 1}),
                         [](const testing::TestParamInfo<DialogCase>& info) { return std::string(info.param.name); });

TEST(DialogTemplates, UnknownIdFindsNothing)
{
    EXPECT_EQ(res::FindDialogTemplate(1002), nullptr);
    EXPECT_EQ(res::FindDialogTemplate(0), nullptr);
}

TEST(MainDialogTemplate, TabOrderFollowsTheTableWithAnimateLogoLast)
{
    const DialogTemplate& dialog = res::MainDialogTemplate();
    const std::vector<int> expected = {1000, 1001, 1002, 1003, 2, 7, 8, 3, 5, 11, 9, 10, 1004};
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(dialog.controls[i].id, expected[i]) << "position " << i;
    EXPECT_EQ(dialog.controls.back().id, res::IDC_ANIMATE_LOGO);
}

TEST(MainDialogTemplate, SlotButtonsFormOneRadioGroup)
{
    const DialogTemplate& dialog = res::MainDialogTemplate();
    const ControlTemplate* startUp = Control(dialog, res::IDC_STARTUP);
    ASSERT_NE(startUp, nullptr);
    EXPECT_EQ(startUp->style & BS_TYPEMASK, BS_AUTORADIOBUTTON);
    EXPECT_TRUE(startUp->style & BS_PUSHLIKE);
    EXPECT_TRUE(startUp->style & WS_GROUP);
    EXPECT_FALSE(startUp->style & WS_TABSTOP);
    for (const int id : {res::IDC_PRESHUTDOWN, res::IDC_SHUTDOWN}) {
        const ControlTemplate* slot = Control(dialog, id);
        ASSERT_NE(slot, nullptr);
        EXPECT_EQ(slot->style & BS_TYPEMASK, BS_AUTORADIOBUTTON);
        EXPECT_FALSE(slot->style & WS_GROUP) << id;
    }
    // The control after the group starts a new one, ending the radio group.
    EXPECT_TRUE(Control(dialog, res::IDC_APPLY)->style & WS_GROUP);
}

TEST(MainDialogTemplate, ButtonStatesAndPreviewStyle)
{
    const DialogTemplate& dialog = res::MainDialogTemplate();
    EXPECT_TRUE(Control(dialog, res::IDC_APPLY)->style & WS_DISABLED);
    EXPECT_EQ(Control(dialog, res::IDC_BROWSE)->style & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    for (const ControlTemplate& control : dialog.controls) {
        if (control.cls == ControlClass::Button && (control.style & BS_TYPEMASK) != BS_GROUPBOX) {
            EXPECT_TRUE(control.style & BS_FLAT) << control.text;
        }
    }
    const ControlTemplate* preview = Control(dialog, res::IDC_PREVIEW);
    EXPECT_EQ(preview->style & SS_TYPEMASK, SS_BITMAP);
    EXPECT_TRUE(preview->style & SS_CENTERIMAGE);
    EXPECT_TRUE(preview->exStyle & WS_EX_TRANSPARENT);
    EXPECT_FALSE(dialog.style & DS_CENTER);
}

TEST(AnimDialogTemplate, SwatchFrameIsHiddenAndOnlyIt)
{
    const DialogTemplate& dialog = res::AnimDialogTemplate();
    for (const ControlTemplate& control : dialog.controls)
        EXPECT_EQ(control.hidden, control.id == res::IDC_ANIM_SWATCH_AREA) << control.id;
    EXPECT_TRUE(dialog.exStyle & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(dialog.style & DS_MODALFRAME);
    EXPECT_EQ(Control(dialog, res::IDC_ANIM_SAVE_AS)->style & BS_TYPEMASK, BS_DEFPUSHBUTTON);
}

TEST(AnimDialogTemplate, FaceButtonsAreBitmapButtonsWithoutTabStop)
{
    const DialogTemplate& dialog = res::AnimDialogTemplate();
    for (const int id : {1015, 1014, 1017, 1018, 1019, 1020, 1022, 1023, 1024}) {
        const ControlTemplate* button = Control(dialog, id);
        ASSERT_NE(button, nullptr) << id;
        EXPECT_TRUE(button->style & BS_BITMAP) << id;
        EXPECT_FALSE(button->style & WS_TABSTOP) << id;
    }
    for (const int id : {1009, 1010, 1011, 1012}) {
        const ControlTemplate* field = Control(dialog, id);
        EXPECT_EQ(field->cls, ControlClass::Edit);
        EXPECT_TRUE(field->style & ES_NUMBER) << id;
    }
}

TEST(PreviewDialogTemplate, CentredToolWindow)
{
    const DialogTemplate& dialog = res::PreviewDialogTemplate();
    EXPECT_TRUE(dialog.style & DS_CENTER);
    EXPECT_TRUE(dialog.exStyle & WS_EX_TOOLWINDOW);
}

TEST(AboutAndEditorPathTemplates, HaveNoTitleBar)
{
    for (const DialogTemplate* dialog : {&res::AboutDialogTemplate(), &res::EditorPathDialogTemplate()}) {
        EXPECT_EQ(dialog->style & WS_CAPTION, 0u) << dialog->id;
        EXPECT_TRUE(dialog->style & DS_MODALFRAME) << dialog->id;
    }
    EXPECT_EQ(Control(res::EditorPathDialogTemplate(), res::IDC_EDPATH_COMBO)->style & CBS_DROPDOWN, CBS_DROPDOWN);
    EXPECT_STREQ(res::AboutDialogTemplate().controls[1].text, "LUMIVANE 2.0");
}

}  // namespace
