#include "ui/main/LogoViews.h"

#include "logo/BmpReader.h"
#include "logo/LogoCheck.h"
#include "logo/LogoFile.h"
#include "platform/ui/PictureFiles.h"
#include "ui/main/CBootScreenWnd.h"
#include "ui/main/ExportAnimation.h"

#include <algorithm>

std::optional<LoadedLogo> LoadLogoForView(const std::string& path, bool cycles)
{
    const std::optional<std::string> hostPath = platform::HostPathOf(path);
    if (!hostPath)
        return std::nullopt;
    logo::LoadResult loaded = logo::LoadLogoFile(*hostPath);
    if (!loaded)
        return std::nullopt;
    LoadedLogo result;
    result.picture = std::move(*loaded.picture);
    std::copy_n(result.picture.colorTable.begin(), result.table.size(), result.table.begin());
    if (cycles)
        logo::ReadAnimationCount(*hostPath, result.count);
    result.hostPath = *hostPath;
    return result;
}

void ShowBootScreen(platform::CWnd& owner, const LoadedLogo& logo, const BootSentence& boot)
{
    CBootScreenWnd window(LiveLogo{&logo.picture, &logo.table, &logo.count}, logo::CheckLogoFile(logo.hostPath),
                          boot, &owner);
    window.DoModal();
}

void EditorViewCommands::OpenBootScreen(platform::CWnd& from)
{
    if (m_editor.m_picture == nullptr || !logo::IsLogoImage(*m_editor.m_picture))
        return;
    const std::vector<std::uint8_t> bytes =
        logo::EncodeLogoFile(*m_editor.m_picture, m_editor.m_colorTable, true, m_editor.m_animCount);
    CBootScreenWnd window(LiveLogo{m_editor.m_picture, &m_editor.m_colorTable, &m_editor.m_animCount},
                          logo::CheckLogoBytes(bytes), {}, &from);
    window.DoModal();
}

void EditorViewCommands::ExportAnimation(platform::CWnd& from)
{
    if (m_editor.m_picture != nullptr)
        ::ExportAnimation(from, *m_editor.m_picture, m_editor.m_colorTable, m_editor.m_animCount);
}
