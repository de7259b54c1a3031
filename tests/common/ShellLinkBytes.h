#pragma once
// Shell Link (.lnk) files for tests, laid out field by field: a header, an
// optional item id list, an optional LinkInfo with a local base path and a
// suffix, an optional name and relative path.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace testing_support {

struct ShellLinkSpec {
    bool idList = false;                     // a small LinkTargetIDList first
    std::optional<std::string> localBase;    // LinkInfo with VolumeIDAndLocalBasePath
    std::string suffix;                      // its CommonPathSuffix
    bool unicodeLinkInfo = false;            // LinkInfo strings as UTF-16 (header 36)
    bool forceNoLinkInfo = false;
    std::optional<std::string> name;         // NAME_STRING
    std::optional<std::string> relative;     // RELATIVE_PATH
    bool unicodeStrings = true;              // IsUnicode for StringData
};

class ShellLinkBytes {
public:
    static std::vector<std::uint8_t> Build(const ShellLinkSpec& link)
    {
        std::vector<std::uint8_t> out;
        std::uint32_t flags = 0;
        if (link.idList)
            flags |= 0x1;
        if (link.localBase)
            flags |= 0x2;
        if (link.name)
            flags |= 0x4;
        if (link.relative)
            flags |= 0x8;
        if (link.unicodeStrings)
            flags |= 0x80;
        if (link.forceNoLinkInfo)
            flags |= 0x100;

        U32(out, 76);  // HeaderSize
        for (const std::uint8_t b : {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00,
                                     0x00, 0x46})
            out.push_back(b);  // LinkCLSID
        U32(out, flags);       // LinkFlags
        U32(out, 0x20);        // FileAttributes: archive
        out.resize(76, 0);     // times, size, icon, show command, hot key, reserved

        if (link.idList) {
            U16(out, 6);  // IDListSize
            U16(out, 4);  // one item of 4 bytes
            U16(out, 0xABCD);
            U16(out, 0);  // TerminalID
        }
        if (link.localBase)
            LinkInfo(out, link);
        for (const auto& text : {link.name, link.relative}) {
            if (!text)
                continue;
            U16(out, static_cast<std::uint16_t>(text->size()));  // CountCharacters
            for (const char c : *text) {
                out.push_back(static_cast<std::uint8_t>(c));
                if (link.unicodeStrings)
                    out.push_back(0);
            }
        }
        U32(out, 0);  // TerminalBlock of ExtraData
        return out;
    }

    static void U16(std::vector<std::uint8_t>& out, std::uint16_t v)
    {
        out.push_back(static_cast<std::uint8_t>(v));
        out.push_back(static_cast<std::uint8_t>(v >> 8));
    }
    static void U32(std::vector<std::uint8_t>& out, std::uint32_t v)
    {
        U16(out, static_cast<std::uint16_t>(v));
        U16(out, static_cast<std::uint16_t>(v >> 16));
    }
    static void PutU32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            out[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
    }

private:
    static void LinkInfo(std::vector<std::uint8_t>& out, const ShellLinkSpec& link)
    {
        const std::uint32_t headerSize = link.unicodeLinkInfo ? 36 : 28;
        std::vector<std::uint8_t> body;
        // VolumeID: size, drive type fixed (3), serial, label offset, empty label.
        const std::uint32_t volumeOffset = headerSize;
        U32(body, 17);
        U32(body, 3);
        U32(body, 0x12345678);
        U32(body, 16);
        body.push_back(0);
        const std::uint32_t baseOffset = headerSize + static_cast<std::uint32_t>(body.size());
        for (const char c : *link.localBase) {
            body.push_back(static_cast<std::uint8_t>(c));
            if (link.unicodeLinkInfo)
                body.push_back(0);
        }
        body.push_back(0);
        if (link.unicodeLinkInfo)
            body.push_back(0);
        const std::uint32_t suffixOffset = headerSize + static_cast<std::uint32_t>(body.size());
        for (const char c : link.suffix) {
            body.push_back(static_cast<std::uint8_t>(c));
            if (link.unicodeLinkInfo)
                body.push_back(0);
        }
        body.push_back(0);
        if (link.unicodeLinkInfo)
            body.push_back(0);

        U32(out, headerSize + static_cast<std::uint32_t>(body.size()));  // LinkInfoSize
        U32(out, headerSize);                                            // LinkInfoHeaderSize
        U32(out, 0x1);                                                   // VolumeIDAndLocalBasePath
        U32(out, volumeOffset);                                          // VolumeIDOffset
        U32(out, link.unicodeLinkInfo ? 0 : baseOffset);                 // LocalBasePathOffset
        U32(out, 0);                                                     // CommonNetworkRelativeLinkOffset
        U32(out, link.unicodeLinkInfo ? 0 : suffixOffset);               // CommonPathSuffixOffset
        if (link.unicodeLinkInfo) {
            U32(out, baseOffset);    // LocalBasePathOffsetUnicode
            U32(out, suffixOffset);  // CommonPathSuffixOffsetUnicode
        }
        out.insert(out.end(), body.begin(), body.end());
    }
};

}  // namespace testing_support
