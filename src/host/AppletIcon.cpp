#include "host/AppletIcon.h"

#include "logo/IconDirectory.h"
#include "platform/qt/IconDecoder.h"

#include <map>

namespace host {

namespace {

int Depth(const logo::IconEntry& entry)
{
    // Older writers leave the bit count 0 and give only the colour count.
    if (entry.bitCountOrHotY != 0)
        return entry.bitCountOrHotY;
    return entry.colorCount == 16 ? 4 : entry.colorCount == 2 ? 1 : 8;
}

// size -> the deepest entry of that size
std::map<int, logo::IconEntry> DeepestPerSize(std::span<const std::uint8_t> ico)
{
    std::map<int, logo::IconEntry> chosen;
    for (const logo::IconEntry& entry : logo::ReadIconDirectory(ico, logo::IconFileType::Icon)) {
        const auto found = chosen.find(entry.width);
        if (found == chosen.end() || Depth(entry) > Depth(found->second))
            chosen[entry.width] = entry;
    }
    return chosen;
}

}  // namespace

QIcon IconFromIco(std::span<const std::uint8_t> ico)
{
    QIcon icon;
    for (const auto& [size, entry] : DeepestPerSize(ico)) {
        const QImage image = platform::detail::DecodeIcoEntry(ico, entry);
        if (!image.isNull())
            icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

QImage IcoImage(std::span<const std::uint8_t> ico, int size)
{
    const std::map<int, logo::IconEntry> chosen = DeepestPerSize(ico);
    const auto found = chosen.find(size);
    return found != chosen.end() ? platform::detail::DecodeIcoEntry(ico, found->second) : QImage();
}

}  // namespace host
