#pragma once
// The help file's Markdown as plain text for a plain edit control: markup
// dropped, paragraphs joined into single lines (the control wraps them to
// its width), headings on lines of their own, list items keeping their
// markers and numbers, table cells apart by tabs, code as written, and web
// and mail links followed by their address in brackets, since the control
// cannot follow them.

#include <string>
#include <string_view>

namespace platform::win32 {

// Lines end with '\n'; the text stays UTF-8.
std::string HelpPlainText(std::string_view markdown);

// The text inside one block, markup dropped (emphasis, code spans, links,
// escapes, character references).
std::string InlinePlainText(std::string_view text);

}  // namespace platform::win32
