#pragma once
// What Default Logo stores as the selected slot's pending source.

#include "slots/LogoSlot.h"
#include "slots/SystemLocations.h"

#include <string>

// "Default" for StartUp, the product's default picture for the others. The
// file is not checked here: showing the slot reports one that cannot load.
std::string DefaultLogoPending(LogoSlot slot, const SystemLocations& locations);
