#pragma once
// The two file dialogs of the main dialog, as requests to the platform's
// prompts: Browse's "Select Logo..." and Save Logo to File's "Save Logo As...".

#include "platform/ui/PromptTypes.h"

#include <string>

// Open dialog: "Bitmap Files" (*.bmp;*.sys), then "All Pictures" (every format
// Convert Picture reads, and the logo files), no default extension, the file
// and its folder must exist, read-only box hidden. initialDirectory is the
// last accepted logo's full path, as stored.
platform::FileDialogRequest BrowseLogoRequest(HWND owner, const std::string& initialDirectory);

// Save dialog: "Bitmap Files (*.bmp)", ".bmp" appended to a bare name, asks
// before replacing, no read-only file or write-protected folder; no initial
// name or folder.
platform::FileDialogRequest SaveLogoRequest(HWND owner);
