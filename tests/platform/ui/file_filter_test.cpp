// The Windows filter text, its Qt form and the default extension rule.

#include "platform/ui/FileFilter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using platform::FileFilter;

namespace {

struct ParseCase {
    const char* name;
    std::string text;
    std::vector<FileFilter> expected;
};

void PrintTo(const ParseCase& c, std::ostream* os)
{
    *os << c.name;
}

class ParseWindowsFilterTest : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseWindowsFilterTest, GivesTheListedFilters)
{
    const auto filters = platform::ParseWindowsFilter(GetParam().text);
    ASSERT_EQ(filters.size(), GetParam().expected.size());
    for (std::size_t i = 0; i < filters.size(); ++i) {
        EXPECT_EQ(filters[i].description, GetParam().expected[i].description) << i;
        EXPECT_EQ(filters[i].patterns, GetParam().expected[i].patterns) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseWindowsFilterTest,
    testing::Values(
        ParseCase{"EditorProgramsTwoEntries",
                  "Executable Files (*.exe)|*.exe|ShortCut to executable file (*.lnk)|*.lnk||",
                  {{"Executable Files (*.exe)", {"*.exe"}}, {"ShortCut to executable file (*.lnk)", {"*.lnk"}}}},
        ParseCase{"SeveralGlobsInOnePattern", "Bitmap Files|*.bmp;*.sys||", {{"Bitmap Files", {"*.bmp", "*.sys"}}}},
        ParseCase{"SamePatternTwoTypes", "Static Logo|*.bmp|Animated Logo|*.bmp||",
                  {{"Static Logo", {"*.bmp"}}, {"Animated Logo", {"*.bmp"}}}},
        ParseCase{"NoTerminator", "Bitmap Files (*.bmp)|*.bmp", {{"Bitmap Files (*.bmp)", {"*.bmp"}}}},
        ParseCase{"BlanksAroundGlobsAndEmptyGlobs", "Pics| *.bmp ;; *.sys ;|", {{"Pics", {"*.bmp", "*.sys"}}}},
        ParseCase{"StopsAtTheFirstTerminator", "A|*.a||B|*.b||", {{"A", {"*.a"}}}},
        ParseCase{"EmptyPatternEndsTheList", "A||B|*.b||", {}},
        ParseCase{"PatternWithoutGlobsIsDropped", "A| ; |B|*.b||", {{"B", {"*.b"}}}},
        ParseCase{"DescriptionWithoutPattern", "Lonely", {}},
        ParseCase{"EmptyText", "", {}},
        ParseCase{"OnlyTerminator", "||", {}}),
    [](const testing::TestParamInfo<ParseCase>& info) { return std::string(info.param.name); });

struct QtFilterCase {
    const char* name;
    FileFilter filter;
    std::string expected;
};

void PrintTo(const QtFilterCase& c, std::ostream* os)
{
    *os << c.name;
}

class QtNameFilterTest : public testing::TestWithParam<QtFilterCase> {};

TEST_P(QtNameFilterTest, Formats)
{
    EXPECT_EQ(platform::QtNameFilter(GetParam().filter), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Filters, QtNameFilterTest,
    testing::Values(QtFilterCase{"PlainDescription", {"Static Logo", {"*.bmp"}}, "Static Logo (*.bmp)"},
                    QtFilterCase{"GlobsJoinedWithBlanks", {"Bitmap Files", {"*.bmp", "*.sys"}},
                                 "Bitmap Files (*.bmp *.sys)"},
                    QtFilterCase{"OwnPatternsKeptOnce", {"Executable Files (*.exe)", {"*.exe"}},
                                 "Executable Files (*.exe)"},
                    QtFilterCase{"OwnSemicolonListRewritten", {"Bitmaps (*.bmp;*.sys)", {"*.bmp", "*.sys"}},
                                 "Bitmaps (*.bmp *.sys)"},
                    QtFilterCase{"OtherParenthesesKept", {"Pictures (old)", {"*.bmp"}}, "Pictures (old) (*.bmp)"}),
    [](const testing::TestParamInfo<QtFilterCase>& info) { return std::string(info.param.name); });

TEST(NormalizeDefaultExtension, AcceptsTheWindowsSpellings)
{
    EXPECT_EQ(platform::NormalizeDefaultExtension("bmp"), "bmp");
    EXPECT_EQ(platform::NormalizeDefaultExtension(".bmp"), "bmp");
    EXPECT_EQ(platform::NormalizeDefaultExtension("*.exe"), "exe");
    EXPECT_EQ(platform::NormalizeDefaultExtension(" .txt "), "txt");
}

TEST(NormalizeDefaultExtension, WildcardsAndEmptyMeanNone)
{
    EXPECT_EQ(platform::NormalizeDefaultExtension(""), "");
    EXPECT_EQ(platform::NormalizeDefaultExtension("*"), "");
    EXPECT_EQ(platform::NormalizeDefaultExtension("*.*"), "");
    EXPECT_EQ(platform::NormalizeDefaultExtension("."), "");
    EXPECT_EQ(platform::NormalizeDefaultExtension("b/mp"), "");
}

}  // namespace
