#include "resources/compiler/ResourceSet.h"

#include "resources/compiler/BmpWriter.h"
#include "resources/compiler/IconWriter.h"
#include "logo/BmpReader.h"
#include "resources/ResourceIds.h"
#include "resources/StringTable.h"
#include "resources/VersionInfo.h"
#include "resources/art/AppletIcon.h"
#include "resources/art/ButtonFaces.h"
#include "resources/art/Cursors.h"
#include "resources/art/Placeholder.h"

#include <set>
#include <stdexcept>
#include <string>
#include <utility>

namespace res::rc {

namespace {

using platform::ResourceEntry;
using platform::ResourceType;

std::uint16_t ToId(int id)
{
    if (id < 0 || id > 0xFFFF)
        throw std::out_of_range("resource id " + std::to_string(id) + " does not fit 16 bits");
    return static_cast<std::uint16_t>(id);
}

std::vector<std::uint8_t> Bytes(std::string_view text)
{
    return {text.begin(), text.end()};
}

// A bitmap goes in only if our own reader gets back what was drawn.
ResourceEntry BitmapEntry(int id, const logo::Picture& picture)
{
    std::vector<std::uint8_t> file = EncodeBmp(picture);
    const logo::LoadResult decoded = logo::DecodeBmp(file);
    if (!decoded.picture || decoded.picture->width != picture.width || decoded.picture->height != picture.height
        || decoded.picture->bitsPerPixel != picture.bitsPerPixel || decoded.picture->pixels != picture.pixels)
        throw std::logic_error("bitmap " + std::to_string(id) + " does not read back: " + decoded.error.reason);
    return {ResourceType::Bitmap, ToId(id), std::move(file)};
}

}  // namespace

std::vector<ResourceEntry> BuildResourceEntries()
{
    std::vector<ResourceEntry> entries;
    for (const StringResource& string : StringTable())
        entries.push_back({ResourceType::String, ToId(static_cast<int>(string.id)), Bytes(string.text)});
    entries.push_back({ResourceType::Version, ToId(IDV_VERSION_INFO), Bytes(VersionResourceText())});

    entries.push_back(BitmapEntry(IDB_PREVIEW_UNAVAILABLE, art::RenderPlaceholder()));
    for (const art::ButtonFace& face : art::RenderButtonFaces())
        entries.push_back(BitmapEntry(face.bitmapId, face.picture));
    for (const art::CursorResource& cursor : art::CursorArts())
        entries.push_back({ResourceType::Cursor, ToId(cursor.cursorId), EncodeCursor(cursor.art)});
    entries.push_back({ResourceType::Icon, ToId(IDI_APPLET), EncodeIcon(art::RenderAppletIcon())});

    std::set<std::pair<ResourceType, std::uint16_t>> seen;
    for (const ResourceEntry& entry : entries) {
        if (!seen.emplace(entry.type, entry.id).second)
            throw std::logic_error("resource " + std::to_string(entry.id) + " is defined twice");
    }
    return entries;
}

}  // namespace res::rc
