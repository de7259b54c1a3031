#include "slots/ApplyLogos.h"

#include "slots/InstallLogo.h"
#include "slots/SlotFiles.h"

#include "platform/files/FileApi.h"

#include <array>

namespace {

void SetAllAttributes(const SystemLocations& locations, DWORD attributes)
{
    // Results ignored: a missing file simply has no attributes to change.
    for (LogoSlot slot : kAllLogoSlots)
        platform::SetFileAttributesA(ApplyTarget(slot, locations), attributes);
}

bool RemoveFile(const std::string& path)
{
    return platform::DeleteFileA(path) != FALSE
        || platform::GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES;
}

bool ApplySlot(LogoSlot slot, const std::string& source, const SystemLocations& locations)
{
    const std::string target = ApplyTarget(slot, locations);
    if (slot == LogoSlot::StartUp && IsDefaultMarker(source))
        return RemoveFile(target);
    if (source.empty())
        return true;
    return InstallLogo(source, target);
}

}  // namespace

ApplyOutcome ApplyPendingSources(PendingSources& pending, const SystemLocations& locations)
{
    // One batch: a drive inside a disk image gets all of it at once.
    platform::FileChangeBatch batch;
    SetAllAttributes(locations, FILE_ATTRIBUTE_NORMAL);
    std::array<bool, kLogoSlotCount> applied{};
    for (LogoSlot slot : kAllLogoSlots)
        applied[SlotIndex(slot)] = ApplySlot(slot, PendingFor(pending, slot), locations);
    SetAllAttributes(locations, FILE_ATTRIBUTE_HIDDEN);
    if (!batch.Finish()) {
        // Nothing the calls reported reached the disk.
        for (LogoSlot slot : kAllLogoSlots)
            applied[SlotIndex(slot)] = applied[SlotIndex(slot)] && PendingFor(pending, slot).empty();
    }

    ApplyOutcome outcome;
    for (LogoSlot slot : kAllLogoSlots) {
        std::string& source = PendingFor(pending, slot);
        if (!applied[SlotIndex(slot)])
            outcome.failedTargets.push_back(ApplyTarget(slot, locations));
        else if (!(slot == LogoSlot::StartUp && IsDefaultMarker(source)))
            source.clear();
    }
    return outcome;
}
