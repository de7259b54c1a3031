#include "ui/anim/AnimateLogo.h"

#include "logo/BmpReader.h"
#include "logo/LogoFile.h"
#include "platform/ui/PictureFiles.h"
#include "platform/ui/ResourceLoading.h"
#include "platform/ui/Prompts.h"
#include "platform/ui/CWnd.h"
#include "resources/ResourceIds.h"
#include "ui/anim/CAnimDlg.h"
#include "ui/anim/PaletteLoan.h"

#include <memory>
#include <optional>

AnimateLogoOutcome RunAnimationEditor(platform::CWnd& mainDialog, CAnimDlg& editor, const std::string& path,
                                      std::uint8_t& animatedColorCount)
{
    std::unique_ptr<logo::Picture> picture;
    if (logo::LoadResult loaded = platform::LoadPictureFile(path))
        picture = std::make_unique<logo::Picture>(std::move(*loaded.picture));
    // The file may have changed since the slot was shown; the editor only
    // ever works on a logo. A file that is gone keeps the count of the
    // picture still in the preview, so its cycling resumes.
    if (!picture) {
        platform::MessageBoxA(mainDialog.GetSafeHwnd(), platform::LoadStringA(res::IDS_CANNOT_DISPLAY),
                              platform::LoadStringA(res::IDS_CAPTION_ERROR), MB_OK | MB_ICONHAND);
        return AnimateLogoOutcome::CannotLoad;
    }
    animatedColorCount = 0;
    platform::ReadPictureAnimationCount(path, animatedColorCount);
    if (!logo::IsLogoImage(*picture)) {
        platform::MessageBoxA(mainDialog.GetSafeHwnd(), platform::LoadStringA(res::IDS_NOT_A_LOGO),
                              platform::LoadStringA(res::IDS_CAPTION_ERROR), MB_OK | MB_ICONEXCLAMATION);
        return AnimateLogoOutcome::NotALogo;
    }

    mainDialog.ShowWindow(SW_SHOWMINNOACTIVE);
    editor.m_animCount = animatedColorCount;
    {
        // The editor works on the picture while it runs, and no longer.
        const PaletteLoan loan(editor.State(), *picture);
        editor.DoModal();
    }
    picture.reset();
    mainDialog.ShowWindow(SW_SHOWNORMAL);
    return AnimateLogoOutcome::EditorRan;
}
