#include "ui/main/ExportAnimation.h"

#include "export/AnimationFrames.h"
#include "export/GifExport.h"
#include "export/PngExport.h"
#include "export/WebpExport.h"
#include "platform/ui/ResourceLoading.h"
#include "platform/ui/PictureFiles.h"
#include "platform/ui/Cursors.h"
#include "platform/ui/Prompts.h"
#include "platform/ui/CWnd.h"
#include "resources/ResourceIds.h"

#include <array>
#include <filesystem>
#include <optional>
#include <string>

namespace {

// The file types in the order of the filter.
enum class ExportType { Gif = 0, Webp = 1, Png = 2 };
constexpr std::array<const char*, 3> kExtensions = {".gif", ".webp", ".png"};

// A name typed without an extension gets the chosen type's.
std::string WithExtension(const std::string& path, ExportType type)
{
    if (std::filesystem::path(path).has_extension())
        return path;
    return path + kExtensions[static_cast<std::size_t>(type)];
}

exporting::ExportResult Write(const std::string& path, ExportType type, const logo::LogoImage& picture,
                              const logo::ColorTable& table, std::uint8_t count)
{
    const exporting::AnimationFrames frames = exporting::BuildAnimationFrames(picture, table, count, false);
    if (frames.tables.empty())
        return exporting::ExportResult::Failed(platform::LoadStringA(res::IDS_EXPORT_NOT_A_LOGO));
    switch (type) {
    case ExportType::Webp: return exporting::ExportWebp(path, frames);
    case ExportType::Png: return exporting::ExportPng(path, exporting::FrameImage(frames, 0));
    case ExportType::Gif: break;
    }
    return exporting::ExportGif(path, frames);
}

}  // namespace

ExportOutcome ExportAnimation(platform::CWnd& owner, const logo::LogoImage& picture, const logo::ColorTable& table,
                              std::uint8_t count)
{
    platform::FileDialogRequest request;
    request.mode = platform::FileDialogMode::Save;
    request.owner = owner.GetSafeHwnd();
    request.title = platform::LoadStringA(res::IDS_EXPORT_TITLE);
    request.filter = platform::LoadStringA(res::IDS_EXPORT_FILTER);
    request.filterIndex = 0;
    request.flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOREADONLYRETURN;
    const platform::FileDialogAnswer answer = platform::CurrentPrompts().FileDialog(request);
    if (!answer.ok)
        return ExportOutcome::Cancelled;

    const ExportType type = answer.filterIndex >= 0 && answer.filterIndex < static_cast<int>(kExtensions.size())
        ? static_cast<ExportType>(answer.filterIndex)
        : ExportType::Gif;
    const std::optional<std::string> hostPath = platform::HostPathOf(answer.path);
    platform::BeginWaitCursor();
    const exporting::ExportResult result = hostPath
        ? Write(WithExtension(*hostPath, type), type, picture, table, count)
        : exporting::ExportResult::Failed(platform::LoadStringA(res::IDS_EXPORT_NO_FOLDER));
    platform::EndWaitCursor();
    if (result)
        return ExportOutcome::Written;
    platform::MessageBoxA(owner.GetSafeHwnd(), platform::LoadStringA(res::IDS_EXPORT_FAILED) + result.reason,
                          platform::LoadStringA(res::IDS_CAPTION_ERROR), MB_OK | MB_ICONHAND);
    return ExportOutcome::Failed;
}
