// Every dialog template compiled into the module as a DIALOGEX, against the
// template data and against the template DialogTemplateBuilder makes in
// memory: the dialog manager must get the same dialog from both.

#include "DialogTemplateReader.h"
#include "ModuleResourceData.h"

#include "platform/win32/ui/DialogTemplateBuilder.h"
#include "resources/DialogTemplates.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using platform::ControlClass;
using platform::ControlTemplate;
using platform::DialogTemplate;
using win32test::Dialog;
using win32test::DialogItem;
using win32test::NameOrOrdinal;

std::u16string ExpectedClass(ControlClass cls)
{
    switch (cls) {
    case ControlClass::Button: return u"BUTTON";
    case ControlClass::Static: return u"STATIC";
    case ControlClass::Edit: return u"EDIT";
    case ControlClass::ComboBox: return u"COMBOBOX";
    }
    return u"?";
}

std::optional<Dialog> CompiledDialog(int id)
{
    return win32test::ReadDialogTemplate(win32test::ResourceBytes(reinterpret_cast<LPCSTR>(RT_DIALOG), id));
}

std::optional<Dialog> BuiltDialog(const DialogTemplate& dialog)
{
    const std::vector<WORD> words = platform::win32::BuildDialogTemplate(dialog);
    return win32test::ReadDialogTemplate(
        {reinterpret_cast<const std::uint8_t*>(words.data()), words.size() * sizeof(WORD)});
}

class CompiledDialogTest : public testing::TestWithParam<const DialogTemplate*> {};

TEST_P(CompiledDialogTest, AgreesWithTheTemplateBuiltInMemory)
{
    const DialogTemplate& source = *GetParam();
    const std::optional<Dialog> compiled = CompiledDialog(source.id);
    const std::optional<Dialog> built = BuiltDialog(source);
    ASSERT_TRUE(compiled.has_value()) << "no readable DIALOGEX " << source.id;
    ASSERT_TRUE(built.has_value());

    EXPECT_EQ(compiled->style, built->style);
    EXPECT_EQ(compiled->exStyle, built->exStyle);
    EXPECT_EQ(compiled->helpId, built->helpId);
    EXPECT_EQ(compiled->x, built->x);
    EXPECT_EQ(compiled->y, built->y);
    EXPECT_EQ(compiled->cx, built->cx);
    EXPECT_EQ(compiled->cy, built->cy);
    EXPECT_EQ(compiled->menu, built->menu);
    EXPECT_EQ(compiled->windowClass, built->windowClass);
    EXPECT_EQ(compiled->caption, built->caption);
    ASSERT_EQ(compiled->font.has_value(), built->font.has_value());
    if (compiled->font) {
        EXPECT_EQ(compiled->font->pointSize, built->font->pointSize);
        EXPECT_EQ(compiled->font->weight, built->font->weight);
        EXPECT_EQ(compiled->font->italic, built->font->italic);
        EXPECT_EQ(compiled->font->charset, built->font->charset);
        EXPECT_EQ(compiled->font->face, built->font->face);
    }
    ASSERT_EQ(compiled->items.size(), built->items.size());
    for (std::size_t i = 0; i < compiled->items.size(); ++i) {
        const DialogItem& a = compiled->items[i];
        const DialogItem& b = built->items[i];
        SCOPED_TRACE("control " + std::to_string(i) + ", id " + std::to_string(source.controls[i].id));
        EXPECT_EQ(a.id, b.id);
        // A class by name and the same class by atom are one class.
        EXPECT_EQ(win32test::PredefinedClassName(a.windowClass), win32test::PredefinedClassName(b.windowClass));
        EXPECT_EQ(a.text, b.text);
        EXPECT_EQ(a.style, b.style);
        EXPECT_EQ(a.exStyle, b.exStyle);
        EXPECT_EQ(a.helpId, b.helpId);
        EXPECT_EQ(a.x, b.x);
        EXPECT_EQ(a.y, b.y);
        EXPECT_EQ(a.cx, b.cx);
        EXPECT_EQ(a.cy, b.cy);
        EXPECT_EQ(a.extraBytes, b.extraBytes);
    }
}

TEST_P(CompiledDialogTest, CarriesTheTemplateData)
{
    const DialogTemplate& source = *GetParam();
    const std::optional<Dialog> compiled = CompiledDialog(source.id);
    ASSERT_TRUE(compiled.has_value()) << "no readable DIALOGEX " << source.id;

    EXPECT_EQ(compiled->style, source.style | DS_SETFONT);
    EXPECT_EQ(compiled->exStyle, source.exStyle);
    EXPECT_EQ(compiled->caption, win32test::Utf16(source.caption));
    ASSERT_TRUE(compiled->font.has_value());
    EXPECT_EQ(compiled->font->pointSize, 8);
    EXPECT_EQ(compiled->font->face, u"MS Sans Serif");
    ASSERT_EQ(compiled->items.size(), source.controls.size());
    for (std::size_t i = 0; i < source.controls.size(); ++i) {
        const ControlTemplate& control = source.controls[i];
        const DialogItem& item = compiled->items[i];
        SCOPED_TRACE("control " + std::to_string(i) + ", id " + std::to_string(control.id));
        EXPECT_EQ(item.id, static_cast<std::uint32_t>(control.id));
        EXPECT_EQ(win32test::PredefinedClassName(item.windowClass), ExpectedClass(control.cls));
        EXPECT_EQ(item.style & ~static_cast<DWORD>(WS_CHILD | WS_VISIBLE),
                  control.style & ~static_cast<DWORD>(WS_CHILD | WS_VISIBLE));
        EXPECT_NE(item.style & WS_CHILD, 0u);
        EXPECT_EQ((item.style & WS_VISIBLE) != 0, !control.hidden);
        EXPECT_EQ(item.exStyle, control.exStyle);
        EXPECT_EQ(item.x, control.x);
        EXPECT_EQ(item.y, control.y);
        EXPECT_EQ(item.cx, control.cx);
        EXPECT_EQ(item.cy, control.cy);
        const std::string text = control.text == nullptr ? "" : control.text;
        if (text.size() > 1 && text[0] == '#') {
            EXPECT_TRUE(item.text.isOrdinal);
            EXPECT_EQ(item.text.ordinal, std::stoi(text.substr(1)));
        } else {
            EXPECT_FALSE(item.text.isOrdinal);
            EXPECT_EQ(item.text.name, win32test::Utf16(text));
        }
    }
}

// An icon or bitmap static names a picture that the module has.
TEST_P(CompiledDialogTest, PictureStaticsNameResourcesOfTheModule)
{
    const std::optional<Dialog> compiled = CompiledDialog(GetParam()->id);
    ASSERT_TRUE(compiled.has_value());
    for (const DialogItem& item : compiled->items) {
        if (!item.text.isOrdinal)
            continue;
        const DWORD kind = item.style & 0x1F;  // SS_TYPEMASK
        ASSERT_TRUE(kind == SS_ICON || kind == SS_BITMAP) << "ordinal text on control " << item.id;
        const LPCSTR type = kind == SS_ICON ? reinterpret_cast<LPCSTR>(RT_GROUP_ICON)
                                            : reinterpret_cast<LPCSTR>(RT_BITMAP);
        EXPECT_FALSE(win32test::ResourceBytes(type, item.text.ordinal).empty()) << "picture " << item.text.ordinal;
    }
}

INSTANTIATE_TEST_SUITE_P(Templates, CompiledDialogTest, testing::ValuesIn(res::AllDialogTemplates()),
                         [](const testing::TestParamInfo<const DialogTemplate*>& info) {
                             return "Dialog" + std::to_string(info.param->id);
                         });

}  // namespace
