#pragma once
// What the main dialog does with a file the user chose (Browse) or dropped
// that is not already a logo: a BMP stays refused as it always was, any
// other picture goes through Convert Picture.

#include "platform/ui/CWnd.h"

#include <string>

enum class PictureChoice {
    NotAPicture,  // a BMP that is no logo, or nothing we can decode
    Cancelled,    // Convert Picture closed with Cancel
    Converted,    // logoPath names the logo made
};

struct PictureOutcome {
    PictureChoice choice = PictureChoice::NotAPicture;
    std::string logoPath;
};

// hostPath names a file that failed the logo test.
PictureOutcome ConvertChosenPicture(platform::CWnd& owner, const std::string& hostPath);
