#pragma once
// Images from the module's resources for the toolkit: icons (.ico bytes)
// and the "#1000" resource references of template texts.

#include <QIcon>
#include <QPixmap>

#include <optional>

namespace platform::detail {

// "#1000" or "1000" -> 1000; nullopt for anything else.
std::optional<int> ResourceIdFromText(const char* text);

// Every image of the icon group; a null icon when absent or unreadable.
QIcon LoadIconResource(int id);
// The image of the icon group closest to side x side pixels (the larger
// and deeper one on a tie); a null pixmap when none.
QPixmap LoadIconPixmap(int id, int side);

}  // namespace platform::detail
