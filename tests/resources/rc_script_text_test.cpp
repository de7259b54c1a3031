// The resource script's text: code page 1252 conversion, windres string
// literals, and the DIALOGEX and VERSIONINFO statements where windres would
// otherwise change what the template data says.

#include "resources/compiler/Cp1252.h"
#include "resources/compiler/RcDialogStatement.h"
#include "resources/compiler/RcQuoting.h"
#include "resources/compiler/RcVersionStatement.h"

#include <gtest/gtest.h>

#include <array>
#include <stdexcept>
#include <string>

namespace {

using platform::ControlClass;
using platform::ControlTemplate;
using platform::DialogTemplate;

struct ConversionCase {
    const char* name;
    const char* utf8;
    const char* cp1252;
};

class Cp1252Conversion : public testing::TestWithParam<ConversionCase> {};

TEST_P(Cp1252Conversion, GivesTheCodePageBytes)
{
    EXPECT_EQ(res::rc::Utf8ToCp1252(GetParam().utf8), GetParam().cp1252);
}

INSTANTIATE_TEST_SUITE_P(
    Text, Cp1252Conversion,
    testing::Values(ConversionCase{"Ascii", "Save Logo As...", "Save Logo As..."},
                    ConversionCase{"LatinOne", "caf\xC3\xA9 \xC2\xA9", "caf\xE9 \xA9"},
                    ConversionCase{"EuroSign", "\xE2\x82\xAC", "\x80"},
                    ConversionCase{"Ellipsis", "\xE2\x80\xA6", "\x85"},
                    ConversionCase{"CurlyQuotes", "\xE2\x80\x9Cx\xE2\x80\x9D", "\x93x\x94"},
                    ConversionCase{"ZCaron", "\xC5\xBD", "\x8E"},
                    ConversionCase{"Empty", "", ""}),
    [](const testing::TestParamInfo<ConversionCase>& info) { return std::string(info.param.name); });

struct RefusalCase {
    const char* name;
    const char* utf8;
    const char* reason;  // part of the message
};

class Cp1252Refusal : public testing::TestWithParam<RefusalCase> {};

TEST_P(Cp1252Refusal, NamesWhatIsWrong)
{
    try {
        res::rc::Utf8ToCp1252(GetParam().utf8);
        FAIL() << "accepted";
    } catch (const std::invalid_argument& error) {
        EXPECT_NE(std::string(error.what()).find(GetParam().reason), std::string::npos) << error.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Text, Cp1252Refusal,
    testing::Values(RefusalCase{"GreekLetter", "\xCE\x94", "U+0394"},
                    RefusalCase{"Emoji", "\xF0\x9F\x98\x80", "U+1F600"},
                    // U+0081 is one of the five bytes 1252 leaves undefined.
                    RefusalCase{"UndefinedC1Control", "\xC2\x81", "U+0081"},
                    RefusalCase{"LoneContinuation", "a\x80", "malformed UTF-8 at byte 1"},
                    RefusalCase{"TruncatedSequence", "\xE2\x82", "malformed UTF-8 at byte 0"},
                    RefusalCase{"Overlong", "\xC0\xAF", "malformed"},
                    RefusalCase{"Surrogate", "\xED\xA0\x80", "malformed"}),
    [](const testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.name); });

struct QuotingCase {
    const char* name;
    const char* utf8;
    const char* literal;
};

class RcQuoting : public testing::TestWithParam<QuotingCase> {};

TEST_P(RcQuoting, WritesWhatWindresReadsBack)
{
    EXPECT_EQ(res::rc::RcQuoted(GetParam().utf8), GetParam().literal);
}

INSTANTIATE_TEST_SUITE_P(
    Literals, RcQuoting,
    testing::Values(QuotingCase{"Plain", "&Close", "\"&Close\""},
                    QuotingCase{"QuoteDoubled", "an 'Animated Logo' \"x\"", "\"an 'Animated Logo' \"\"x\"\"\""},
                    QuotingCase{"Backslash", "C:\\WINDOWS", "\"C:\\\\WINDOWS\""},
                    QuotingCase{"LineFeedAndTab", "a\nb\tc\r", "\"a\\nb\\tc\\r\""},
                    // Three octal digits, so the following digit stays text.
                    QuotingCase{"ControlThenDigit", "\x01" "7", "\"\\0017\""},
                    QuotingCase{"Delete", "\x7F", "\"\\177\""},
                    QuotingCase{"HighByteRaw", "\xC3\xA9t\xC3\xA9", "\"\xE9t\xE9\""}),
    [](const testing::TestParamInfo<QuotingCase>& info) { return std::string(info.param.name); });

TEST(RcQuoting, RefusesTextOutsideTheCodePage)
{
    EXPECT_THROW(res::rc::RcQuoted("\xE2\x86\x92"), std::invalid_argument);
}

constexpr std::array kControls = {
    ControlTemplate{-1, ControlClass::Static, "#1000", 10, 5, 20, 20, SS_ICON, 0},
    ControlTemplate{1016, ControlClass::Static, "", 0, 0, 217, 52, SS_BLACKFRAME, 0, true},
    ControlTemplate{7, ControlClass::ComboBox, "Say \"hi\"", 1, 2, 3, 4, CBS_DROPDOWN | WS_TABSTOP, WS_EX_CLIENTEDGE},
};

std::string Statement(const char* caption, DWORD style, const char* font = "MS Sans Serif")
{
    const DialogTemplate dialog{42, caption, 1, 2, 100, 50, style, WS_EX_TOOLWINDOW, font, 8, kControls};
    return res::rc::DialogexStatement(dialog);
}

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

TEST(DialogexStatement, WritesTheHeaderAsTheTemplateHasIt)
{
    const std::string text = Statement("Title", WS_POPUP | WS_CAPTION | DS_SETFONT);
    EXPECT_TRUE(Contains(text, "42 DIALOGEX 1, 2, 100, 50\n")) << text;
    EXPECT_TRUE(Contains(text, "STYLE 0x80C00040\n")) << text;
    EXPECT_TRUE(Contains(text, "EXSTYLE 0x00000080\n")) << text;
    EXPECT_TRUE(Contains(text, "CAPTION \"Title\"\n")) << text;
    EXPECT_TRUE(Contains(text, "FONT 8, \"MS Sans Serif\", 400, 0, 0\n")) << text;
}

TEST(DialogexStatement, TakesBackTheBitsWindresWouldAdd)
{
    // A caption makes windres set WS_CAPTION; a template without it keeps it clear.
    const std::string captioned = Statement("Title", WS_POPUP | DS_SETFONT);
    EXPECT_TRUE(Contains(captioned, "STYLE 0x80000040 | NOT 0x00C00000\n")) << captioned;
    // A hidden control is a child without WS_VISIBLE.
    EXPECT_TRUE(Contains(captioned, "0x40000007 | NOT 0x10000000, 0, 0, 217, 52")) << captioned;
}

TEST(DialogexStatement, LeavesOutAnEmptyCaptionAndAMissingFont)
{
    const std::string text = Statement("", WS_POPUP | DS_SETFONT, "");
    EXPECT_FALSE(Contains(text, "CAPTION")) << text;
    EXPECT_FALSE(Contains(text, "FONT")) << text;
    EXPECT_TRUE(Contains(text, "STYLE 0x80000000\n")) << text;
}

TEST(DialogexStatement, WritesControlsWithClassTextIdAndStyles)
{
    const std::string text = Statement("Title", WS_POPUP | WS_CAPTION);
    EXPECT_TRUE(Contains(text, "CONTROL 1000, -1, \"STATIC\", 0x50000003, 10, 5, 20, 20, 0x00000000\n")) << text;
    EXPECT_TRUE(Contains(text, "CONTROL \"Say \"\"hi\"\"\", 7, \"COMBOBOX\", 0x50010002, 1, 2, 3, 4, 0x00000200\n"))
        << text;
}

TEST(DialogexStatement, RefusesACaptionOutsideTheCodePageNamingTheDialog)
{
    try {
        Statement("\xE2\x86\x92", WS_POPUP);
        FAIL() << "accepted";
    } catch (const std::invalid_argument& error) {
        EXPECT_TRUE(Contains(error.what(), "dialog 42")) << error.what();
        EXPECT_TRUE(Contains(error.what(), "U+2192")) << error.what();
    }
}

TEST(VersionInfoStatement, WritesTheFixedPartAsNumbers)
{
    const std::array fields = {
        res::VersionField{"ProductName", "P \"q\""},  res::VersionField{"FILEVERSION", "2.10.0.65535"},
        res::VersionField{"PRODUCTVERSION", "2.0.0.0"}, res::VersionField{"FILEOS", "VOS__WINDOWS32"},
        res::VersionField{"FILETYPE", "VFT_DLL"},
    };
    const std::string text = res::rc::VersionInfoStatement(1, fields);
    EXPECT_TRUE(Contains(text, "FILEVERSION 2, 10, 0, 65535\n")) << text;
    EXPECT_TRUE(Contains(text, "FILEOS 0x4 ")) << text;
    EXPECT_TRUE(Contains(text, "FILETYPE 0x2 ")) << text;
    EXPECT_TRUE(Contains(text, "VALUE \"ProductName\", \"P \"\"q\"\"\"\n")) << text;
    EXPECT_FALSE(Contains(text, "VALUE \"FILEOS\"")) << text;
}

TEST(VersionInfoStatement, RefusesUnreadableFixedFields)
{
    const auto statement = [](std::string_view version, std::string_view os) {
        const std::array fields = {
            res::VersionField{"FILEVERSION", version}, res::VersionField{"PRODUCTVERSION", "1.0.0.0"},
            res::VersionField{"FILEOS", os}, res::VersionField{"FILETYPE", "VFT_APP"},
        };
        return res::rc::VersionInfoStatement(1, fields);
    };
    EXPECT_NO_THROW(statement("1.2.3.4", "VOS__WINDOWS32"));
    EXPECT_THROW(statement("1.2.3", "VOS__WINDOWS32"), std::invalid_argument);
    EXPECT_THROW(statement("1.2.3.4.5", "VOS__WINDOWS32"), std::invalid_argument);
    EXPECT_THROW(statement("1.2.3.70000", "VOS__WINDOWS32"), std::invalid_argument);
    EXPECT_THROW(statement("1..3.4", "VOS__WINDOWS32"), std::invalid_argument);
    EXPECT_THROW(statement("1.2.3.4", "VOS_OS2"), std::invalid_argument);
    const std::array missing = {res::VersionField{"FILEVERSION", "1.0.0.0"}};
    EXPECT_THROW(res::rc::VersionInfoStatement(1, missing), std::invalid_argument);
}

}  // namespace
