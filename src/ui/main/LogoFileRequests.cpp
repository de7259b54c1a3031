#include "ui/main/LogoFileRequests.h"

#include "platform/ui/ResourceLoading.h"
#include "resources/ResourceIds.h"

platform::FileDialogRequest BrowseLogoRequest(HWND owner, const std::string& initialDirectory)
{
    platform::FileDialogRequest request;
    request.mode = platform::FileDialogMode::Open;
    request.owner = owner;
    request.title = platform::LoadStringA(res::IDS_BROWSE_TITLE);
    // "Bitmap Files" stays the first entry, the one selected; "All Pictures"
    // follows it, each entry's pair ending in one bar.
    std::string bitmaps = platform::LoadStringA(res::IDS_BROWSE_FILTER);
    if (bitmaps.size() >= 2 && bitmaps.ends_with("||"))
        bitmaps.pop_back();
    request.filter = bitmaps + platform::LoadStringA(res::IDS_BROWSE_PICTURES_FILTER);
    request.initialDirectory = initialDirectory;
    request.flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    return request;
}

platform::FileDialogRequest SaveLogoRequest(HWND owner)
{
    platform::FileDialogRequest request;
    request.mode = platform::FileDialogMode::Save;
    request.owner = owner;
    request.title = platform::LoadStringA(res::IDS_SAVE_LOGO_TITLE);
    request.filter = platform::LoadStringA(res::IDS_SAVE_LOGO_FILTER);
    request.defaultExtension = ".bmp";
    request.flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOREADONLYRETURN;
    return request;
}
