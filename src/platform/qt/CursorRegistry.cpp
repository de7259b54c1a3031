#include "platform/qt/CursorRegistry.h"

#include <QBitmap>
#include <QImage>

#include <algorithm>

namespace platform {

CursorRegistry& CursorRegistry::Instance()
{
    static CursorRegistry registry;
    return registry;
}

HCURSOR CursorRegistry::Add(std::unique_ptr<Entry> entry)
{
    m_entries.push_back(std::move(entry));
    return reinterpret_cast<HCURSOR>(m_entries.back().get());
}

CursorRegistry::Entry* CursorRegistry::Find(HCURSOR cursor) const
{
    const auto* wanted = reinterpret_cast<const Entry*>(cursor);
    for (const auto& entry : m_entries) {
        if (entry.get() == wanted)
            return entry.get();
    }
    return nullptr;
}

bool CursorRegistry::Owns(HCURSOR cursor) const
{
    return cursor != nullptr && Find(cursor) != nullptr;
}

HCURSOR CursorRegistry::Standard(int id)
{
    if (id != IDC_ARROW && id != IDC_WAIT)
        return nullptr;
    for (const auto& entry : m_entries) {
        if (entry->standard && entry->id == id)
            return reinterpret_cast<HCURSOR>(entry.get());
    }
    auto entry = std::make_unique<Entry>();
    entry->id = id;
    entry->standard = true;
    entry->shape = id == IDC_WAIT ? Qt::WaitCursor : Qt::ArrowCursor;
    return Add(std::move(entry));
}

HCURSOR CursorRegistry::FromResource(int id, std::span<const std::uint8_t> fileBytes)
{
    for (const auto& entry : m_entries) {
        if (!entry->standard && entry->id == id &&
            std::equal(entry->source.begin(), entry->source.end(), fileBytes.begin(), fileBytes.end()))
            return reinterpret_cast<HCURSOR>(entry.get());
    }
    auto image = DecodeCursorFile(fileBytes);
    if (!image)
        return nullptr;
    auto entry = std::make_unique<Entry>();
    entry->id = id;
    entry->image = std::move(*image);
    entry->source.assign(fileBytes.begin(), fileBytes.end());
    return Add(std::move(entry));
}

std::optional<CursorInfo> CursorRegistry::Describe(HCURSOR cursor) const
{
    const Entry* entry = cursor ? Find(cursor) : nullptr;
    if (!entry)
        return std::nullopt;
    return CursorInfo{entry->id, entry->standard, entry->image.width, entry->image.height, entry->image.hotX,
                      entry->image.hotY};
}

QCursor CursorRegistry::QtCursor(HCURSOR cursor)
{
    Entry* entry = cursor ? Find(cursor) : nullptr;
    if (!entry)
        return QCursor(Qt::ArrowCursor);
    if (!entry->cursor)
        entry->cursor = entry->standard ? QCursor(entry->shape) : MakeQtCursor(entry->image);
    return *entry->cursor;
}

QCursor MakeQtCursor(const CursorImage& image)
{
    // Qt's rule: bitmap 1 + mask 1 black, bitmap 0 + mask 1 white,
    // bitmap 0 + mask 0 transparent, bitmap 1 + mask 0 inverts the screen.
    QImage bits(image.width, image.height, QImage::Format_Mono);
    QImage mask(image.width, image.height, QImage::Format_Mono);
    for (QImage* plane : {&bits, &mask}) {
        plane->setColorCount(2);
        plane->setColor(0, qRgb(255, 255, 255));
        plane->setColor(1, qRgb(0, 0, 0));
        plane->fill(0);
    }
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const CursorPixel pixel = image.At(x, y);
            if (pixel == CursorPixel::Black || pixel == CursorPixel::Inverted)
                bits.setPixel(x, y, 1);
            if (pixel == CursorPixel::Black || pixel == CursorPixel::White)
                mask.setPixel(x, y, 1);
        }
    }
    return QCursor(QBitmap::fromImage(bits), QBitmap::fromImage(mask), image.hotX, image.hotY);
}

}  // namespace platform
