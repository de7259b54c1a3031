#include "ui/main/ChosenPicture.h"

#include "platform/ui/Cursors.h"
#include "platform/ui/PictureDecoder.h"
#include "ui/main/CConvertPictureDlg.h"

#include <array>
#include <filesystem>
#include <fstream>

namespace {

// A BMP is judged by the logo test alone, whatever else could read it.
bool StartsAsBmp(const std::string& hostPath)
{
    std::ifstream file(hostPath, std::ios::binary);
    std::array<char, 2> magic{};
    return file.read(magic.data(), magic.size()) && magic[0] == 'B' && magic[1] == 'M';
}

}  // namespace

PictureOutcome ConvertChosenPicture(platform::CWnd& owner, const std::string& hostPath)
{
    // Reading a FIFO would wait for a writer that never comes.
    std::error_code error;
    if (!std::filesystem::is_regular_file(hostPath, error) || StartsAsBmp(hostPath))
        return {};
    platform::BeginWaitCursor();
    platform::DecodedPicture decoded = platform::DecodePictureFile(hostPath);
    platform::EndWaitCursor();
    if (!decoded)
        return {};
    CConvertPictureDlg dialog(std::move(*decoded.picture), hostPath, &owner);
    if (dialog.DoModal() != IDOK)
        return {PictureChoice::Cancelled, {}};
    return {PictureChoice::Converted, dialog.LogoPath()};
}
