#pragma once
// Owner of every cursor handle: decoded cursor resources and the standard
// cursors, each kept for the life of the process (handles never dangle), with
// its Qt cursor made on first use.

#include "platform/ui/CursorFile.h"
#include "platform/ui/Cursors.h"

#include <QCursor>

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace platform {

class CursorRegistry {
public:
    static CursorRegistry& Instance();

    HCURSOR Standard(int id);  // IDC_ARROW or IDC_WAIT, nullptr otherwise
    // Reuses the handle of an earlier load of the same id and bytes.
    HCURSOR FromResource(int id, std::span<const std::uint8_t> fileBytes);

    bool Owns(HCURSOR cursor) const;
    std::optional<CursorInfo> Describe(HCURSOR cursor) const;
    // Needs the GUI application; a default arrow for a handle it does not own.
    QCursor QtCursor(HCURSOR cursor);

private:
    struct Entry {
        int id = 0;
        bool standard = false;
        Qt::CursorShape shape = Qt::ArrowCursor;
        CursorImage image;
        std::vector<std::uint8_t> source;
        std::optional<QCursor> cursor;
    };

    Entry* Find(HCURSOR cursor) const;
    HCURSOR Add(std::unique_ptr<Entry> entry);

    std::vector<std::unique_ptr<Entry>> m_entries;
};

// The Qt cursor of a decoded image: bitmap and mask with the hot spot.
QCursor MakeQtCursor(const CursorImage& image);

}  // namespace platform
