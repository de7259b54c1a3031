#include "slots/SlotFiles.h"

namespace {

constexpr const char* kDefaultFolder = "program files\\plus!\\themes\\lumivane\\default\\";

}  // namespace

bool IsDefaultMarker(const std::string& pending)
{
    return pending == kDefaultMarker;
}

std::string SystemFile(LogoSlot slot, const SystemLocations& locations)
{
    switch (slot) {
    case LogoSlot::StartUp:
        return locations.bootRoot + "logo.sys";
    case LogoSlot::PreShutDown:
        return locations.windowsDir + "logow.sys";
    case LogoSlot::ShutDown:
        return locations.windowsDir + "logos.sys";
    }
    return {};
}

std::string ApplyTarget(LogoSlot slot, const SystemLocations& locations)
{
    switch (slot) {
    case LogoSlot::StartUp:
        return locations.bootRoot + "Logo.sys";
    case LogoSlot::PreShutDown:
        return locations.windowsDir + "Logow.sys";
    case LogoSlot::ShutDown:
        return locations.windowsDir + "Logos.sys";
    }
    return {};
}

std::string DefaultSource(LogoSlot slot, const SystemLocations& locations)
{
    switch (slot) {
    case LogoSlot::StartUp:
        return std::string(kDefaultMarker);
    case LogoSlot::PreShutDown:
        return locations.bootRoot + kDefaultFolder + "prshtdwn.dat";
    case LogoSlot::ShutDown:
        return locations.bootRoot + kDefaultFolder + "shtdwn.dat";
    }
    return {};
}

std::string EffectiveFile(LogoSlot slot, const std::string& pending, const SystemLocations& locations)
{
    return pending.empty() ? SystemFile(slot, locations) : pending;
}

std::string HelpFile(const SystemLocations& locations)
{
    return locations.windowsDir + "help\\lumva.hlp";
}

std::string DefaultLogoEditor(const SystemLocations& locations)
{
    return locations.windowsDir + "pbrush.exe";
}

std::string NewLogoTemplate(const SystemLocations& locations)
{
    return locations.systemDir + "New.tpl";
}
