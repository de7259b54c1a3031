// The Shell Link reader: the target of well-formed shortcuts in their
// variants, and a specific error for each way a file can be bad.

#include "common/ShellLinkBytes.h"
#include "editor/ShellLinkReader.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace {

using testing_support::ShellLinkBytes;
using testing_support::ShellLinkSpec;

ShellLinkResult Read(const std::vector<std::uint8_t>& bytes)
{
    return ReadShellLinkTarget(bytes.data(), bytes.size());
}

struct TargetCase {
    const char* name;
    ShellLinkSpec link;
    ShellLinkTargetKind kind;
    const char* path;
};

void PrintTo(const TargetCase& c, std::ostream* os)
{
    *os << c.name;
}

class ShellLinkTargets : public ::testing::TestWithParam<TargetCase> {};

TEST_P(ShellLinkTargets, AreFound)
{
    const ShellLinkResult result = Read(ShellLinkBytes::Build(GetParam().link));
    ASSERT_TRUE(result.target.has_value()) << result.error.reason;
    EXPECT_EQ(result.target->kind, GetParam().kind);
    EXPECT_EQ(result.target->path, GetParam().path);
}

ShellLinkSpec Local(const char* base, const char* suffix = "")
{
    ShellLinkSpec link;
    link.localBase = base;
    link.suffix = suffix;
    return link;
}

ShellLinkSpec With(ShellLinkSpec link, const std::function<void(ShellLinkSpec&)>& change)
{
    change(link);
    return link;
}

const auto kLocal = ShellLinkTargetKind::LocalPath;
const auto kRelative = ShellLinkTargetKind::RelativePath;

INSTANTIATE_TEST_SUITE_P(
    Variants, ShellLinkTargets,
    ::testing::Values(
        TargetCase{"LocalBasePath", Local("C:\\WINDOWS\\PBRUSH.EXE"), kLocal, "C:\\WINDOWS\\PBRUSH.EXE"},
        TargetCase{"BaseAndSuffix", Local("C:\\PROGRA~1\\", "PAINT\\PAINT.EXE"), kLocal, "C:\\PROGRA~1\\PAINT\\PAINT.EXE"},
        TargetCase{"SuffixAfterBaseWithoutSeparator", Local("D:\\TOOLS", "EDIT.EXE"), kLocal, "D:\\TOOLS\\EDIT.EXE"},
        TargetCase{"AfterAnItemIdList", With(Local("C:\\X.EXE"), [](ShellLinkSpec& s) { s.idList = true; }), kLocal,
                   "C:\\X.EXE"},
        TargetCase{"UnicodeLinkInfo", With(Local("C:\\Paint\\mspaint.exe"), [](ShellLinkSpec& s) { s.unicodeLinkInfo = true; }),
                   kLocal, "C:\\Paint\\mspaint.exe"},
        TargetCase{"AnsiBytesAsLatin1", Local("C:\\CAF\xE9\\X.EXE"), kLocal, "C:\\CAF\xC3\xA9\\X.EXE"},
        TargetCase{"LocalPathBeforeRelativePath",
                   With(Local("C:\\A.EXE"), [](ShellLinkSpec& s) { s.relative = "..\\B.EXE"; }), kLocal, "C:\\A.EXE"},
        TargetCase{"RelativePathAfterAName",
                   With({},
                        [](ShellLinkSpec& s) {
                            s.name = "Paint";
                            s.relative = "..\\Paint\\paint.exe";
                        }),
                   kRelative, "..\\Paint\\paint.exe"},
        TargetCase{"RelativePathInAnsi",
                   With({},
                        [](ShellLinkSpec& s) {
                            s.relative = "tools\\edit.exe";
                            s.unicodeStrings = false;
                        }), kRelative,
                   "tools\\edit.exe"},
        TargetCase{"ForceNoLinkInfoFallsBackToTheRelativePath",
                   With(Local("C:\\IGNORED.EXE"),
                        [](ShellLinkSpec& s) {
                            s.forceNoLinkInfo = true;
                            s.relative = "kept.exe";
                        }),
                   kRelative, "kept.exe"},
        TargetCase{"EmptyLocalPathFallsBackToTheRelativePath",
                   With(Local(""), [](ShellLinkSpec& s) { s.relative = "edit.exe"; }), kRelative, "edit.exe"}),
    [](const ::testing::TestParamInfo<TargetCase>& info) { return std::string(info.param.name); });

// A valid link with LinkInfo, then one change that breaks it.
struct BadCase {
    const char* name;
    std::function<void(std::vector<std::uint8_t>&)> breakIt;
    ShellLinkErrorKind kind;
    const char* reason;
};

void PrintTo(const BadCase& c, std::ostream* os)
{
    *os << c.name;
}

constexpr std::size_t kLinkInfoAt = 76;  // no item id list in the base link

class ShellLinkErrors : public ::testing::TestWithParam<BadCase> {};

TEST_P(ShellLinkErrors, AreReportedWithTheirReason)
{
    std::vector<std::uint8_t> bytes = ShellLinkBytes::Build(
        With(Local("C:\\WINDOWS\\PBRUSH.EXE"), [](ShellLinkSpec& s) { s.relative = "pbrush.exe"; }));
    GetParam().breakIt(bytes);
    const ShellLinkResult result = Read(bytes);
    EXPECT_FALSE(result.target.has_value());
    EXPECT_EQ(result.error.kind, GetParam().kind);
    EXPECT_EQ(result.error.reason, GetParam().reason);
}

const auto kTruncated = ShellLinkErrorKind::Truncated;
const auto kMalformed = ShellLinkErrorKind::Malformed;

INSTANTIATE_TEST_SUITE_P(
    Guards, ShellLinkErrors,
    ::testing::Values(
        BadCase{"Empty", [](auto& b) { b.clear(); }, kTruncated, "Shell link header is cut short"},
        BadCase{"HeaderCut", [](auto& b) { b.resize(75); }, kTruncated, "Shell link header is cut short"},
        BadCase{"HeaderSize", [](auto& b) { b[0] = 77; }, kMalformed, "Shell link header size is not 76"},
        BadCase{"ClassId", [](auto& b) { b[19] = 0x47; }, kMalformed, "not a Shell link: wrong class identifier"},
        BadCase{"IdListPastTheEnd",
                [](auto& b) {
                    b[20] |= 0x1;  // HasLinkTargetIDList over what is LinkInfo
                    b[kLinkInfoAt] = 0xFF;
                    b[kLinkInfoAt + 1] = 0xFF;
                },
                kTruncated, "LinkTargetIDList runs past the end of the file"},
        BadCase{"LinkInfoSizeCut", [](auto& b) { b.resize(kLinkInfoAt + 3); }, kTruncated, "LinkInfo size is cut short"},
        BadCase{"LinkInfoPastTheEnd", [](auto& b) { ShellLinkBytes::PutU32(b, kLinkInfoAt, 0x10000); }, kTruncated,
                "LinkInfo runs past the end of the file"},
        BadCase{"LinkInfoSmallerThanItsHeader", [](auto& b) { ShellLinkBytes::PutU32(b, kLinkInfoAt, 27); }, kMalformed,
                "LinkInfo is smaller than its header"},
        BadCase{"LinkInfoHeaderTooLarge", [](auto& b) { ShellLinkBytes::PutU32(b, kLinkInfoAt + 4, 0x1000); },
                kMalformed, "LinkInfo header size does not fit its structure"},
        BadCase{"LinkInfoHeaderTooSmall", [](auto& b) { ShellLinkBytes::PutU32(b, kLinkInfoAt + 4, 27); }, kMalformed,
                "LinkInfo header size does not fit its structure"},
        BadCase{"BasePathOffsetIntoTheHeader", [](auto& b) { ShellLinkBytes::PutU32(b, kLinkInfoAt + 16, 8); },
                kMalformed, "LinkInfo string offset points into its header"},
        BadCase{"BasePathOffsetPastTheStructure",
                [](auto& b) { ShellLinkBytes::PutU32(b, kLinkInfoAt + 16, 0x7FFFFFFF); }, kMalformed,
                "LinkInfo path is not terminated inside its structure"},
        BadCase{"SuffixNotTerminated",
                [](auto& b) {
                    // The suffix is empty: its terminator is LinkInfo's last byte.
                    const std::uint32_t size = b[kLinkInfoAt] | (b[kLinkInfoAt + 1] << 8);
                    b[kLinkInfoAt + size - 1] = 'X';
                },
                kMalformed, "LinkInfo path is not terminated inside its structure"},
        BadCase{"RelativePathPastTheEnd",
                [](auto& b) {
                    b[20] &= static_cast<std::uint8_t>(~0x2);  // no LinkInfo: the relative path counts
                    b.erase(b.begin() + kLinkInfoAt, b.end());
                    ShellLinkBytes::U16(b, 40);  // 40 characters announced
                    b.push_back('p');
                },
                kTruncated, "StringData runs past the end of the file"},
        BadCase{"RelativePathCountCut",
                [](auto& b) {
                    b[20] &= static_cast<std::uint8_t>(~0x2);
                    b.erase(b.begin() + kLinkInfoAt + 1, b.end());
                },
                kTruncated, "StringData count is cut short"},
        BadCase{"NoTarget",
                [](auto& b) {
                    b[20] &= static_cast<std::uint8_t>(~(0x2 | 0x8));  // neither LinkInfo nor relative path
                },
                ShellLinkErrorKind::NoTarget, "Shell link names no local path and no relative path"}),
    [](const ::testing::TestParamInfo<BadCase>& info) { return std::string(info.param.name); });

TEST(ShellLinkReader, EveryCutOfAValidLinkIsRefusedOrReadsTheSameTarget)
{
    const std::vector<std::uint8_t> whole = ShellLinkBytes::Build(With(Local("C:\\PROGRA~1\\", "PAINT\\PAINT.EXE"), [](ShellLinkSpec& s) {
        s.idList = true;
        s.unicodeLinkInfo = true;
        s.name = "Paint";
        s.relative = "PAINT\\PAINT.EXE";
    }));
    for (std::size_t size = 0; size < whole.size(); ++size) {
        const ShellLinkResult result = ReadShellLinkTarget(whole.data(), size);
        if (result.target)
            EXPECT_EQ(result.target->path, "C:\\PROGRA~1\\PAINT\\PAINT.EXE") << size;
        else
            EXPECT_FALSE(result.error.reason.empty()) << size;
    }
}

TEST(ShellLinkReader, NoBytesAtAllIsTruncated)
{
    EXPECT_EQ(ReadShellLinkTarget(nullptr, 0).error.kind, ShellLinkErrorKind::Truncated);
}

TEST(ShellLinkReader, RelativePathHoldingANulIsMalformed)
{
    for (const bool unicode : {true, false}) {
        const ShellLinkResult result = Read(ShellLinkBytes::Build(With({}, [unicode](ShellLinkSpec& s) {
            s.relative = std::string("..\\a\0b.exe", 10);
            s.unicodeStrings = unicode;
        })));
        EXPECT_FALSE(result.target.has_value()) << (unicode ? "UTF-16" : "ANSI");
        EXPECT_EQ(result.error.kind, ShellLinkErrorKind::Malformed);
    }
}

}  // namespace
