#pragma once
// Where the main dialog's preview pictures come from: a file loaded as the
// platform's bitmap loader does it for the preview (stretched to the preview
// area, nearest neighbour, indexed pictures staying indexed), and the
// "Preview Unavailable" placeholder at its own size.

#include "logo/Picture.h"

#include <cstdint>
#include <memory>
#include <string>

// Loads path (a Windows or host path) stretched to exactly width x height.
// Any bitmap the reader decodes is shown: no size or depth test here.
// nullptr for a missing, unreadable or undecodable file.
std::unique_ptr<logo::Picture> LoadPreviewPicture(const std::string& path, std::int32_t width, std::int32_t height);

// IDB_PREVIEW_UNAVAILABLE from the module's resources; nullptr when the module has none.
std::unique_ptr<logo::Picture> LoadPlaceholderPicture();

// The animated-colour count of a logo file (0: static, missing or unreadable).
std::uint8_t ReadFileAnimationCount(const std::string& path);

// True when a file of that name exists (in any spelling of its name).
bool FileExists(const std::string& path);
