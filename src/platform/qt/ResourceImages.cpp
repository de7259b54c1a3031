#include "platform/qt/ResourceImages.h"
#include "platform/modres/ModuleResources.h"
#include "platform/qt/IconDecoder.h"

#include <cstdlib>
#include <cstring>

namespace platform::detail {

std::optional<int> ResourceIdFromText(const char* text)
{
    if (text == nullptr) {
        return std::nullopt;
    }
    const char* digits = text[0] == '#' ? text + 1 : text;
    if (*digits == '\0' || std::strlen(digits) > 5) {
        return std::nullopt;
    }
    int value = 0;
    for (const char* p = digits; *p != '\0'; ++p) {
        if (*p < '0' || *p > '9') {
            return std::nullopt;
        }
        value = value * 10 + (*p - '0');
    }
    if (value > 0xFFFF) {
        return std::nullopt;
    }
    return value;
}

QIcon LoadIconResource(int id)
{
    QIcon icon;
    for (const QImage& image : DecodeIcoImages(FindResourceData(ResourceType::Icon, id))) {
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

QPixmap LoadIconPixmap(int id, int side)
{
    const QImage* best = nullptr;
    const std::vector<QImage> images = DecodeIcoImages(FindResourceData(ResourceType::Icon, id));
    for (const QImage& image : images) {
        if (best == nullptr || std::abs(image.width() - side) < std::abs(best->width() - side) ||
            (image.width() == best->width() && image.depth() >= best->depth())) {
            best = &image;
        }
    }
    return best != nullptr ? QPixmap::fromImage(*best) : QPixmap();
}

}  // namespace platform::detail
