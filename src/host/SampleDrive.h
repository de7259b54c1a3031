#pragma once
// The sample drive: a small Windows drive tree Lumivane manages when it is
// not pointed at a real installation. Created once, never overwritten: what
// the user applies to it afterwards is theirs.

#include <filesystem>
#include <string>

namespace host {

// $XDG_DATA_HOME/lumivane/drive_c (~/.local/share when unset).
std::filesystem::path DefaultSampleDriveRoot();

// Creates the drive at root when nothing is there yet; an existing folder is
// left exactly as it is. The tree is built beside root and renamed into
// place, so an interrupted first run leaves no half drive (and the next run
// clears what it left beside root). False with a reason when it cannot be
// created.
bool EnsureSampleDrive(const std::filesystem::path& root, std::string& error);

}  // namespace host
