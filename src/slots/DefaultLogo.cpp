#include "DefaultLogo.h"

#include "SlotFiles.h"

std::string DefaultLogoPending(LogoSlot slot, const SystemLocations& locations)
{
    return DefaultSource(slot, locations);
}
