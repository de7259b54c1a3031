#pragma once
// MSDOS.SYS as Windows 95, 98 and Me keep it in the root of the boot drive:
// a text file of [Paths] and [Options] sections with key=value lines,
// comment lines starting with ';' (among them the ";xxx" padding that keeps
// the file at least 1024 bytes long, which other programs check), usually
// CRLF line ends. The MSDOS.SYS of MS-DOS itself is the DOS kernel, a binary
// file; it is told apart and never read as options.
//
// Sections and keys are matched without regard to case; blanks around a key
// and its value do not count. Standard C++ only.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Larger than any MSDOS.SYS: the DOS kernel is about 40 KB, Windows's text
// file about 1.7 KB.
inline constexpr std::size_t kBootOptionsMaxBytes = 64 * 1024;
inline constexpr std::size_t kBootOptionsPaddedSize = 1024;

enum class BootOptionsKind { Text, DosBinary };

class BootOptions {
public:
    // Never fails: bytes are either Windows's text options or a DOS binary.
    static BootOptions Parse(std::string bytes);

    BootOptionsKind Kind() const { return kind_; }
    const std::string& Bytes() const { return bytes_; }

    // The value of the first KEY= line in [SECTION]; nullopt when there is
    // none (always for a DOS binary).
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;

    // Windows reads "0" as off; an absent option keeps its default (on for
    // Logo and BootGUI), and so does any other value.
    bool IsOff(std::string_view section, std::string_view key) const;

    // The file with the start-up logo turned on or off: every Logo= line of
    // [Options] gets the value 1 or 0 in place; without one, off adds
    // "Logo=0" after the last option of [Options] (appending the section
    // when the file has none) and on needs no line at all. Every other byte
    // stays as it was, line ends included, and the file never becomes shorter
    // than 1024 bytes where it was not. A DOS binary is returned unchanged.
    std::string WithLogo(bool on) const;

private:
    struct Line {
        std::size_t begin = 0;       // first byte of the line
        std::size_t end = 0;         // end of its text, before "\r\n" or "\n"
        std::size_t next = 0;        // first byte of the following line
        std::string section;         // lower case, of the section it is in
        bool isHeader = false;
        bool isComment = false;
        std::string key;             // lower case; empty unless a key=value line
        std::size_t valueBegin = 0;  // the value without surrounding blanks
        std::size_t valueEnd = 0;
    };

    // The file's own line end (CRLF unless it uses bare LF).
    std::string LineEnd() const;
    // What completes the last line of text before something is added after it.
    std::string BreakAfter(std::string_view text) const;

    std::string bytes_;
    BootOptionsKind kind_ = BootOptionsKind::Text;
    std::vector<Line> lines_;
};

// Reads at most kBootOptionsMaxBytes of a host file. nullopt with a reason
// when it cannot be read; a longer file is read only when its first bytes
// show the DOS binary (longer text is no MSDOS.SYS and refused).
std::optional<BootOptions> ReadBootOptions(const std::string& hostPath, std::string& error);

}  // namespace platform
