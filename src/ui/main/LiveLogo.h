#pragma once
// A logo as a view borrows it: pointers to the picture, the colour table in
// effect and the animation count, read again at every frame, so a view of
// the editor's picture follows the editor's working table as it changes.

#include "logo/Picture.h"

#include <cstdint>

struct LiveLogo {
    const logo::LogoImage* picture = nullptr;
    const logo::ColorTable* table = nullptr;
    const std::uint8_t* count = nullptr;

    bool IsComplete() const { return picture != nullptr && table != nullptr && count != nullptr; }
};
