#pragma once
// Where Convert Picture keeps the logos it makes: the user's data folder,
// $XDG_DATA_HOME/lumivane/pictures/, one file per conversion named after the
// source picture. A file already there is never replaced: the new logo takes
// the next free name ("sunset.bmp", "sunset (2).bmp", ...).

#include "logo/Picture.h"

#include <cstdint>
#include <optional>
#include <string>

// The folder, created when missing.
std::string ConvertedPicturesFolder();

// Writes the logo (animated with count when animated) and returns its host
// path; nothing when the folder or the file cannot be written, in which case
// no file is left behind.
std::optional<std::string> StoreConvertedLogo(const std::string& sourcePath, const logo::LogoImage& picture,
                                              bool animated, std::uint8_t count);
