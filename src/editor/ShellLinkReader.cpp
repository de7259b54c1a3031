#include "editor/ShellLinkReader.h"

#include <array>
#include <span>

// Shell Link file, little-endian throughout:
//
//   ShellLinkHeader (76 bytes)
//     0  HeaderSize        u32   76
//     4  LinkCLSID         16    00021401-0000-0000-C000-000000000046
//    20  LinkFlags         u32   bits below
//    24  .. 75             attributes, times, size, icon, show command, hot key
//   LinkTargetIDList       when HasLinkTargetIDList: u16 size, then that many bytes
//   LinkInfo               when HasLinkInfo
//     0  LinkInfoSize                   u32   the whole structure
//     4  LinkInfoHeaderSize             u32   28, or >= 36 with the Unicode offsets
//     8  LinkInfoFlags                  u32   bit 0: VolumeIDAndLocalBasePath
//    12  VolumeIDOffset                 u32
//    16  LocalBasePathOffset            u32   NUL-terminated, system code page
//    20  CommonNetworkRelativeLinkOffset u32
//    24  CommonPathSuffixOffset         u32   NUL-terminated, system code page
//    28  LocalBasePathOffsetUnicode     u32   (header >= 36) UTF-16LE, NUL-terminated
//    32  CommonPathSuffixOffsetUnicode  u32   (header >= 36)
//   StringData             in this order, each present when its flag is set:
//                          NAME_STRING, RELATIVE_PATH, ... as u16 character count,
//                          then the characters (2 bytes each with IsUnicode)

namespace {

constexpr std::size_t kHeaderSize = 76;
constexpr std::array<std::uint8_t, 16> kLinkClsid = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                                     0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

constexpr std::uint32_t kHasLinkTargetIdList = 0x1;
constexpr std::uint32_t kHasLinkInfo = 0x2;
constexpr std::uint32_t kHasName = 0x4;
constexpr std::uint32_t kHasRelativePath = 0x8;
constexpr std::uint32_t kIsUnicode = 0x80;
constexpr std::uint32_t kForceNoLinkInfo = 0x100;

constexpr std::uint32_t kVolumeIdAndLocalBasePath = 0x1;
constexpr std::uint32_t kLinkInfoMinHeaderSize = 28;
constexpr std::uint32_t kLinkInfoUnicodeHeaderSize = 36;

using Bytes = std::span<const std::uint8_t>;

std::uint16_t U16(Bytes bytes, std::size_t at)
{
    const std::uint16_t low = bytes[at];
    const std::uint16_t high = bytes[at + 1];
    return static_cast<std::uint16_t>(low | (high << 8));
}

std::uint32_t U32(Bytes bytes, std::size_t at)
{
    const std::uint32_t low = U16(bytes, at);
    const std::uint32_t high = U16(bytes, at + 2);
    return low | (high << 16);
}

void AppendUtf8(std::string& out, std::uint32_t codePoint)
{
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (codePoint >> 18));
        out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

// The code page of the system that wrote the link is not recorded; Latin-1
// gives every byte a character and keeps ASCII paths exact.
std::string FromAnsi(Bytes text)
{
    std::string out;
    for (const std::uint8_t byte : text)
        AppendUtf8(out, byte);
    return out;
}

// UTF-16LE of an even number of bytes; a lone surrogate becomes U+FFFD.
std::string FromUtf16(Bytes text)
{
    constexpr std::uint32_t kReplacement = 0xFFFD;
    std::string out;
    for (std::size_t at = 0; at + 1 < text.size(); at += 2) {
        const std::uint32_t unit = U16(text, at);
        if (unit >= 0xD800 && unit <= 0xDBFF && at + 3 < text.size()) {
            const std::uint32_t next = U16(text, at + 2);
            if (next >= 0xDC00 && next <= 0xDFFF) {
                AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00));
                at += 2;
                continue;
            }
        }
        AppendUtf8(out, unit >= 0xD800 && unit <= 0xDFFF ? kReplacement : unit);
    }
    return out;
}

ShellLinkResult Fail(ShellLinkErrorKind kind, std::string reason)
{
    return ShellLinkResult{std::nullopt, ShellLinkError{kind, std::move(reason)}};
}

// A NUL-terminated string at offset inside the LinkInfo structure.
std::optional<std::string> TerminatedString(Bytes info, std::uint32_t offset, bool wide)
{
    if (offset >= info.size())
        return std::nullopt;
    const std::size_t unit = wide ? 2 : 1;
    for (std::size_t end = offset; end + unit <= info.size(); end += unit) {
        const bool terminator = wide ? U16(info, end) == 0 : info[end] == 0;
        if (terminator) {
            const Bytes text = info.subspan(offset, end - offset);
            return wide ? FromUtf16(text) : FromAnsi(text);
        }
    }
    return std::nullopt;
}

struct LocalPathResult {
    std::optional<std::string> path;  // nullopt: the link has no local path
    std::string error;                // set when the structure is bad
};

LocalPathResult ReadLocalPath(Bytes info)
{
    const std::uint32_t headerSize = U32(info, 4);
    if (headerSize < kLinkInfoMinHeaderSize || headerSize > info.size())
        return {std::nullopt, "LinkInfo header size does not fit its structure"};
    const std::uint32_t flags = U32(info, 8);
    if ((flags & kVolumeIdAndLocalBasePath) == 0)
        return {};
    // Strings lie after the header; an offset into the header is no string.
    const bool wide = headerSize >= kLinkInfoUnicodeHeaderSize && U32(info, 28) != 0;
    const std::uint32_t baseOffset = wide ? U32(info, 28) : U32(info, 16);
    const std::uint32_t suffixOffset = wide ? U32(info, 32) : U32(info, 24);
    if (baseOffset < headerSize || suffixOffset < headerSize)
        return {std::nullopt, "LinkInfo string offset points into its header"};
    const std::optional<std::string> base = TerminatedString(info, baseOffset, wide);
    const std::optional<std::string> suffix = TerminatedString(info, suffixOffset, wide);
    if (!base || !suffix)
        return {std::nullopt, "LinkInfo path is not terminated inside its structure"};
    std::string path = *base;
    if (!suffix->empty() && !path.empty() && path.back() != '\\')
        path += '\\';
    path += *suffix;
    return {std::move(path), {}};
}

}  // namespace

ShellLinkResult ReadShellLinkTarget(const std::uint8_t* data, std::size_t size)
{
    const Bytes bytes(data, data == nullptr ? 0 : size);
    if (bytes.size() < kHeaderSize)
        return Fail(ShellLinkErrorKind::Truncated, "Shell link header is cut short");
    if (U32(bytes, 0) != kHeaderSize)
        return Fail(ShellLinkErrorKind::Malformed, "Shell link header size is not 76");
    for (std::size_t i = 0; i < kLinkClsid.size(); ++i) {
        if (bytes[4 + i] != kLinkClsid[i])
            return Fail(ShellLinkErrorKind::Malformed, "not a Shell link: wrong class identifier");
    }
    const std::uint32_t flags = U32(bytes, 20);
    std::size_t at = kHeaderSize;

    if ((flags & kHasLinkTargetIdList) != 0) {
        if (bytes.size() - at < 2)
            return Fail(ShellLinkErrorKind::Truncated, "LinkTargetIDList size is cut short");
        const std::size_t idListSize = U16(bytes, at);
        at += 2;
        if (idListSize > bytes.size() - at)
            return Fail(ShellLinkErrorKind::Truncated, "LinkTargetIDList runs past the end of the file");
        at += idListSize;
    }

    std::optional<std::string> localPath;
    if ((flags & kHasLinkInfo) != 0) {
        if (bytes.size() - at < 4)
            return Fail(ShellLinkErrorKind::Truncated, "LinkInfo size is cut short");
        const std::uint32_t infoSize = U32(bytes, at);
        if (infoSize < kLinkInfoMinHeaderSize)
            return Fail(ShellLinkErrorKind::Malformed, "LinkInfo is smaller than its header");
        if (infoSize > bytes.size() - at)
            return Fail(ShellLinkErrorKind::Truncated, "LinkInfo runs past the end of the file");
        // ForceNoLinkInfo: the structure is there but is not to be used.
        if ((flags & kForceNoLinkInfo) == 0) {
            LocalPathResult local = ReadLocalPath(bytes.subspan(at, infoSize));
            if (!local.error.empty())
                return Fail(ShellLinkErrorKind::Malformed, std::move(local.error));
            localPath = std::move(local.path);
        }
        at += infoSize;
    }

    if (localPath && !localPath->empty())
        return ShellLinkResult{ShellLinkTarget{ShellLinkTargetKind::LocalPath, std::move(*localPath)}, {}};

    const std::size_t unit = (flags & kIsUnicode) != 0 ? 2 : 1;
    std::optional<std::string> relativePath;
    for (const std::uint32_t stringFlag : {kHasName, kHasRelativePath}) {
        if ((flags & stringFlag) == 0)
            continue;
        if (bytes.size() - at < 2)
            return Fail(ShellLinkErrorKind::Truncated, "StringData count is cut short");
        const std::size_t length = std::size_t{U16(bytes, at)} * unit;
        at += 2;
        if (length > bytes.size() - at)
            return Fail(ShellLinkErrorKind::Truncated, "StringData runs past the end of the file");
        const Bytes text = bytes.subspan(at, length);
        at += length;
        if (stringFlag == kHasRelativePath)
            relativePath = unit == 2 ? FromUtf16(text) : FromAnsi(text);
    }
    // Counted strings may hold a NUL, which no file name can.
    if (relativePath && relativePath->find('\0') != std::string::npos)
        return Fail(ShellLinkErrorKind::Malformed, "Shell link's relative path holds a NUL character");
    if (relativePath && !relativePath->empty())
        return ShellLinkResult{ShellLinkTarget{ShellLinkTargetKind::RelativePath, std::move(*relativePath)}, {}};
    return Fail(ShellLinkErrorKind::NoTarget, "Shell link names no local path and no relative path");
}
