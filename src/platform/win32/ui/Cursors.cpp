#include "platform/ui/Cursors.h"

#include "platform/ui/ProgramCursor.h"
#include "platform/win32/module/ModuleInstance.h"
#include "platform/win32/ui/CursorControl.h"

#include <map>

namespace platform {
namespace {

struct LoadedCursors {
    // Every cursor this layer made, with what it is; module cursors by id too.
    std::map<HCURSOR, CursorInfo> known;
    std::map<int, HCURSOR> byResource;
};

LoadedCursors& Loaded()
{
    static LoadedCursors state;
    return state;
}

HCURSOR Standard(int id)
{
    LoadedCursors& state = Loaded();
    const auto cached = state.byResource.find(-id);
    if (cached != state.byResource.end())
        return cached->second;
    HCURSOR cursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(id));
    if (cursor == nullptr)
        return nullptr;
    CursorInfo info;
    info.resourceId = id;
    info.standard = true;
    state.known[cursor] = info;
    state.byResource[-id] = cursor;
    return cursor;
}

// Size and hot spot of a cursor. Windows hands a monochrome cursor back as
// one mask holding the AND image above the XOR image; Wine hands every
// cursor back with a colour image beside a mask of the cursor's own size.
std::optional<CursorInfo> Inspect(HCURSOR cursor, int id)
{
    ICONINFO icon{};
    if (!::GetIconInfo(cursor, &icon))
        return std::nullopt;
    std::optional<CursorInfo> info;
    BITMAP mask{};
    if (icon.hbmMask != nullptr && ::GetObjectA(icon.hbmMask, sizeof mask, &mask) == sizeof mask) {
        const int height = icon.hbmColor == nullptr ? mask.bmHeight / 2 : mask.bmHeight;
        info = CursorInfo{id, false, mask.bmWidth, height, static_cast<int>(icon.xHotspot),
                          static_cast<int>(icon.yHotspot)};
    }
    if (icon.hbmMask != nullptr)
        ::DeleteObject(icon.hbmMask);
    if (icon.hbmColor != nullptr)
        ::DeleteObject(icon.hbmColor);
    return info;
}

}  // namespace

// Puts the cursor in effect on screen now; the windows' WM_SETCURSOR keeps
// it there (ApplyProgramCursor).
void detail::ShowProgramCursor()
{
    const HCURSOR wanted = ProgramCursorOnScreen();
    ::SetCursor(wanted != nullptr ? wanted : Standard(IDC_ARROW));
}

bool detail::OwnsCursor(HCURSOR cursor)
{
    return Loaded().known.count(cursor) != 0;
}

HCURSOR detail::StandardCursor(int id)
{
    return Standard(id);
}

HCURSOR LoadCursorA(int resourceId)
{
    if (resourceId == IDC_ARROW || resourceId == IDC_WAIT)
        return Standard(resourceId);
    if (resourceId <= 0 || resourceId > 0xFFFF)
        return nullptr;
    LoadedCursors& state = Loaded();
    const auto cached = state.byResource.find(resourceId);
    if (cached != state.byResource.end())
        return cached->second;
    // Loaded shared: the system keeps one handle per resource for the life of the module.
    HANDLE image = ::LoadImageA(win32::ModuleInstance(), MAKEINTRESOURCEA(resourceId), IMAGE_CURSOR, 0, 0,
                                LR_DEFAULTCOLOR | LR_SHARED);
    HCURSOR cursor = static_cast<HCURSOR>(image);
    if (cursor == nullptr)
        return nullptr;
    const std::optional<CursorInfo> info = Inspect(cursor, resourceId);
    if (!info)
        return nullptr;
    state.known[cursor] = *info;
    state.byResource[resourceId] = cursor;
    return cursor;
}

std::optional<CursorInfo> DescribeCursor(HCURSOR cursor)
{
    const auto& known = Loaded().known;
    const auto found = known.find(cursor);
    if (cursor == nullptr || found == known.end())
        return std::nullopt;
    return found->second;
}

namespace win32 {

bool ApplyProgramCursor()
{
    const HCURSOR wanted = detail::ProgramCursorOnScreen();
    if (wanted == nullptr)
        return false;
    ::SetCursor(wanted);
    return true;
}

}  // namespace win32
}  // namespace platform
