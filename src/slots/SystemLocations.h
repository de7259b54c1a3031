#pragma once
// The three directories every applet path starts with. Each ends in a
// backslash, so a path is always the directory followed directly by a
// relative name.

#include <string>

struct SystemLocations {
    std::string windowsDir;  // e.g. C:\WINDOWS\   .
    std::string bootRoot;    // first three characters of windowsDir, e.g. C:\   .
    std::string systemDir;   // e.g. C:\WINDOWS\SYSTEM\   .
};

// Asks the system for its Windows and system directories (255-character
// buffers) and normalises them. A query that fails yields an empty
// directory, from which no path maps onto a drive.
SystemLocations DetermineLocations();

// Trailing white space goes, then a backslash is appended unless the
// directory already ends in one; an empty directory stays empty.
SystemLocations NormaliseLocations(const std::string& windowsDir, const std::string& systemDir);
