#include "host/AppletIcon.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

#include <map>

namespace host {

namespace {

// ICONDIR: reserved (2), type (2) = 1, count (2); then 16-byte entries:
//   0 width (0 = 256)  1 height  2 colour count  3 reserved
//   4 planes (2)  6 bit count (2)  8 bytes (4)  12 offset (4)
struct DirectoryEntry {
    int index;
    int size;
    int depth;
};

std::vector<DirectoryEntry> ReadDirectory(std::span<const std::uint8_t> ico)
{
    std::vector<DirectoryEntry> entries;
    if (ico.size() < 6 || ico[2] != 1 || ico[3] != 0)
        return entries;
    const int count = ico[4] | (ico[5] << 8);
    for (int i = 0; i < count; ++i) {
        const std::size_t at = 6 + static_cast<std::size_t>(i) * 16;
        if (at + 16 > ico.size())
            break;
        const int width = ico[at] == 0 ? 256 : ico[at];
        const int bitCount = ico[at + 6] | (ico[at + 7] << 8);
        const int colours = ico[at + 2];
        // Older writers leave the bit count 0 and give only the colour count.
        const int depth = bitCount != 0 ? bitCount : (colours == 16 ? 4 : colours == 2 ? 1 : 8);
        entries.push_back({i, width, depth});
    }
    return entries;
}

QImage ReadImage(std::span<const std::uint8_t> ico, int index)
{
    QByteArray bytes(reinterpret_cast<const char*>(ico.data()), static_cast<qsizetype>(ico.size()));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "ico");
    if (!reader.jumpToImage(index))
        return {};
    return reader.read();
}

// size -> index of the deepest image of that size
std::map<int, int> DeepestPerSize(std::span<const std::uint8_t> ico)
{
    std::map<int, int> chosen;
    std::map<int, int> depthOf;
    for (const DirectoryEntry& entry : ReadDirectory(ico)) {
        if (!depthOf.contains(entry.size) || entry.depth > depthOf[entry.size]) {
            depthOf[entry.size] = entry.depth;
            chosen[entry.size] = entry.index;
        }
    }
    return chosen;
}

}  // namespace

QIcon IconFromIco(std::span<const std::uint8_t> ico)
{
    QIcon icon;
    for (const auto& [size, index] : DeepestPerSize(ico)) {
        const QImage image = ReadImage(ico, index);
        if (!image.isNull())
            icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

QImage IcoImage(std::span<const std::uint8_t> ico, int size)
{
    const std::map<int, int> chosen = DeepestPerSize(ico);
    const auto found = chosen.find(size);
    return found != chosen.end() ? ReadImage(ico, found->second) : QImage();
}

}  // namespace host
