#pragma once
// Pictures in files named by Windows paths, as the dialogs load and save
// them (what LoadImage with LR_LOADFROMFILE and a file write are on
// Windows): the path goes through the drive table, the bytes through the
// DIB decoder and the logo writer. A path that maps nowhere reads as a
// missing file.

#include "logo/BmpReader.h"
#include "logo/Picture.h"

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

logo::LoadResult LoadPictureFile(const std::string& path);
// Decoded and stretched to width x height, nearest neighbour on indices.
logo::LoadResult LoadPictureFileScaled(const std::string& path, std::int32_t width, std::int32_t height);

// The file passes the logo test: it loads as 320 x 400 at 8 bits.
bool IsLogoPictureFile(const std::string& path);
// The cycling count of a logo file (byte 50); false when unreadable.
bool ReadPictureAnimationCount(const std::string& path, std::uint8_t& count);

// Writes a logo file in the fixed layout, replacing the target atomically.
bool WriteLogoPictureFile(const std::string& path, const logo::LogoImage& picture, const logo::ColorTable& table,
                          bool animated, std::uint8_t count);

// The host file behind a Windows path, for code outside the framework that
// opens files itself (the exporters, the logo check); nullopt when the path
// maps nowhere. On Windows it is the path itself.
std::optional<std::string> HostPathOf(const std::string& path);

// Something (a file or a folder) exists at the path.
bool PictureFileExists(const std::string& path);

}  // namespace platform
