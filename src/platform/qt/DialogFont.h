#pragma once
// The font of a dialog: a sans font at the template's point size, sized in
// pixels for 96 dpi so layouts come out the same on every display.

#include "platform/ui/DialogTemplate.h"

#include <QFont>
#include <QStringList>

namespace platform::detail {

QFont DialogFont(const DialogTemplate& tpl);

}  // namespace platform::detail
