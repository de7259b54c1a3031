// The help file's Markdown as the viewer's edit control shows it: no markup
// left, paragraphs as single lines for the control to wrap, lists, tables
// and code kept readable.

#include "platform/win32/ui/HelpPlainText.h"

#include <gtest/gtest.h>

namespace {

using platform::win32::HelpPlainText;
using platform::win32::InlinePlainText;

struct InlineCase {
    const char* name;
    const char* markdown;
    const char* shown;
};

class Win32HelpInline : public testing::TestWithParam<InlineCase> {};

TEST_P(Win32HelpInline, DropsTheMarkup)
{
    EXPECT_EQ(InlinePlainText(GetParam().markdown), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Markup, Win32HelpInline,
    testing::Values(
        InlineCase{"Bold", "**Apply** writes", "Apply writes"},
        InlineCase{"ItalicBothWays", "*one* and _two_", "one and two"},
        InlineCase{"StrongEmphasis", "***all***", "all"},
        InlineCase{"Strikethrough", "~~gone~~ here", "gone here"},
        InlineCase{"UnderscoreInsideAWord", "snake_case_name", "snake_case_name"},
        InlineCase{"LoneStarsStay", "2 * 3 = 6", "2 * 3 = 6"},
        InlineCase{"CodeSpanKeepsItsStars", "`**x**` and `` a`b ``", "**x** and a`b"},
        InlineCase{"UnclosedCodeSpan", "a `b", "a `b"},
        InlineCase{"Escapes", "\\*not bold\\* C:\\WINDOWS", "*not bold* C:\\WINDOWS"},
        InlineCase{"WebLinkShowsItsAddress", "see [the site](https://example.org \"t\")",
                   "see the site (https://example.org)"},
        InlineCase{"MailLinkShowsTheAddress", "[write](mailto:a@example.org)", "write (a@example.org)"},
        InlineCase{"OtherLinkShowsItsLabel", "[Browse](#browse) it", "Browse it"},
        InlineCase{"LabelKeepsItsMarkupDropped", "[**bold** label](other.md)", "bold label"},
        InlineCase{"Image", "![a logo](logo.png)", "a logo"},
        InlineCase{"ReferenceLink", "[text][ref]", "text"},
        InlineCase{"Autolink", "<https://example.org/x>", "https://example.org/x"},
        InlineCase{"Tag", "a<br>b</b>", "ab"},
        InlineCase{"NotATag", "1 < 2 > 0", "1 < 2 > 0"},
        InlineCase{"References", "&amp; &lt;b&gt; &#65;&#x42; &bogus;", "& <b> AB &bogus;"},
        InlineCase{"ReferenceOutOfRange", "&#99999999;", "&#99999999;"},
        InlineCase{"UnclosedBracket", "[not a link", "[not a link"}),
    [](const testing::TestParamInfo<InlineCase>& info) { return std::string(info.param.name); });

TEST(Win32HelpBlocks, ParagraphsBecomeOneLineEach)
{
    EXPECT_EQ(HelpPlainText("First line\nsecond line.\n\nNext one."), "First line second line.\n\nNext one.\n");
}

TEST(Win32HelpBlocks, HardBreaksStay)
{
    EXPECT_EQ(HelpPlainText("one  \ntwo\\\nthree"), "one\ntwo\nthree\n");
}

TEST(Win32HelpBlocks, HeadingsStandAlone)
{
    EXPECT_EQ(HelpPlainText("# Lumivane Help\nText\n## Part two ##\nMore"),
              "Lumivane Help\n\nText\nPart two\n\nMore\n");
    EXPECT_EQ(HelpPlainText("Title\n=====\nBody"), "Title\n\nBody\n");
    EXPECT_EQ(HelpPlainText("#hashtag"), "#hashtag\n");
}

TEST(Win32HelpBlocks, ListsKeepTheirMarkersAndJoinContinuations)
{
    EXPECT_EQ(HelpPlainText("- **one**\n* two\n  continued\n\n1. first\n2) second"),
              "- one\n- two continued\n\n1. first\n2. second\n");
    EXPECT_EQ(HelpPlainText("- outer\n  - inner"), "- outer\n  - inner\n");
}

TEST(Win32HelpBlocks, TablesShowTheirCellsApartByTabs)
{
    EXPECT_EQ(HelpPlainText("| Button | What it does |\n|---|:---:|\n| **Apply** | writes \\| saves |"),
              "Button\tWhat it does\nApply\twrites | saves\n");
}

TEST(Win32HelpBlocks, CodeKeepsItsMarkupAndIndent)
{
    EXPECT_EQ(HelpPlainText("```\n**raw** <b>\n```\nafter"), "    **raw** <b>\n\nafter\n");
    EXPECT_EQ(HelpPlainText("    indented *code*"), "    indented *code*\n");
}

TEST(Win32HelpBlocks, QuotesRulesAndLineEnds)
{
    EXPECT_EQ(HelpPlainText("> quoted\n> text"), "    quoted text\n");
    EXPECT_EQ(HelpPlainText("above\n\n***\n\nbelow"), "above\n\n----------\n\nbelow\n");
    EXPECT_EQ(HelpPlainText("\xEF\xBB\xBFone\r\ntwo\r\n"), "one two\n");
    EXPECT_EQ(HelpPlainText(""), "");
    EXPECT_EQ(HelpPlainText("```\nnever closed"), "    never closed\n");
}

}  // namespace
