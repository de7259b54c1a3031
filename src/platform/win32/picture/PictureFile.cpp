// A picture file read whole through kernel32, then decoded from memory.

#include "platform/ui/PictureDecoder.h"

#include "platform/files/FileApi.h"
#include "platform/win32/files/WholeFile.h"
#include "platform/win32/picture/DecodeFailure.h"

#include <climits>

namespace platform {

DecodedPicture DecodePictureFile(const std::string& path, std::uint64_t maxPixels)
{
    using win32::DecodeFailure;
    const std::optional<std::string> hostPath = ResolveHostPath(path);
    if (!hostPath)
        return DecodeFailure(PictureError::Unreadable, "the file cannot be opened");
    // No picture the decoder takes is longer than INT_MAX bytes.
    const win32::WholeFile file = win32::ReadWholeFile(*hostPath, static_cast<std::uint64_t>(INT_MAX));
    switch (file.error) {
    case win32::WholeFileError::None: break;
    case win32::WholeFileError::NotFound:
    case win32::WholeFileError::CannotOpen:
        return DecodeFailure(PictureError::Unreadable, "the file cannot be opened");
    case win32::WholeFileError::NotAFile:
        return DecodeFailure(PictureError::Unreadable, "the file is not a regular file");
    case win32::WholeFileError::TooLarge:
        return DecodeFailure(PictureError::TooLarge, "the file is too large to be a picture Lumivane reads");
    case win32::WholeFileError::ReadFailed:
        return DecodeFailure(PictureError::Unreadable, "the file cannot be read");
    }
    return DecodePictureData(file.bytes.data(), file.bytes.size(), maxPixels);
}

}  // namespace platform
