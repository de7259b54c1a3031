#include "slots/DefaultLogo.h"

#include "slots/SlotFiles.h"

std::string DefaultLogoPending(LogoSlot slot, const SystemLocations& locations)
{
    return DefaultSource(slot, locations);
}
