#pragma once
// Where the GUI tests draw, chosen before the application object exists.
// The copies of the tests on a real display (".xvfb", ".wayland") name the
// state folder of their display kind in LUMIVANE_TEST_DISPLAY_DIR: its ctest
// fixture started displays there, each with a folder of its own ("0", "1",
// ...) whose "environment" file holds the NAME=VALUE lines that reach it (a
// bare "NAME=" removes NAME, so a Wayland test never sees an X display). ctest
// gives each test one of them (CTEST_RESOURCE_GROUP_0 names the kind,
// CTEST_RESOURCE_GROUP_0_<KIND> holds "id:N,slots:1"); run without the
// resource file, a test waits for the first display, so two tests never
// share one. Everything else runs offscreen, so a machine without a display
// can run the tests (and list them).

#include <fcntl.h>
#include <sys/file.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>

namespace testing_support {

// The display ctest allocated, if it did.
inline std::optional<std::string> AllocatedDisplayId()
{
    const char* kind = std::getenv("CTEST_RESOURCE_GROUP_0");
    if (kind == nullptr)
        return std::nullopt;
    std::string variable = "CTEST_RESOURCE_GROUP_0_";
    for (const char* c = kind; *c != '\0'; ++c)
        variable += static_cast<char>(std::toupper(static_cast<unsigned char>(*c)));
    const char* allocation = std::getenv(variable.c_str());
    if (allocation == nullptr)
        return std::nullopt;
    const std::string text = allocation;
    const std::string::size_type start = text.find("id:");
    if (start == std::string::npos)
        return std::nullopt;
    return text.substr(start + 3, text.find(',', start) - start - 3);
}

// Holds the first display until the process ends (the lock goes with it).
inline bool WaitForFirstDisplay(const std::string& folder)
{
    const std::string lock = folder + "/lock";
    const int fd = ::open(lock.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0 || ::flock(fd, LOCK_EX) != 0) {
        std::fprintf(stderr, "cannot lock %s\n", lock.c_str());
        return false;
    }
    return true;
}

// False (with a message) when a display is named but is not there.
inline bool ChooseTestDisplay()
{
    if (const char* dir = std::getenv("LUMIVANE_TEST_DISPLAY_DIR"); dir != nullptr && *dir != '\0') {
        const std::optional<std::string> allocated = AllocatedDisplayId();
        const std::string folder = std::string(dir) + "/" + allocated.value_or("0");
        if (!allocated && !WaitForFirstDisplay(folder))
            return false;
        const std::string file = folder + "/environment";
        std::ifstream in(file);
        int assigned = 0;
        for (std::string line; std::getline(in, line);) {
            const std::string::size_type equals = line.find('=');
            if (equals == std::string::npos || equals == 0)
                continue;
            const std::string name = line.substr(0, equals);
            if (equals + 1 == line.size()) {
                unsetenv(name.c_str());
                continue;
            }
            setenv(name.c_str(), line.substr(equals + 1).c_str(), 1);
            ++assigned;
        }
        if (assigned == 0) {
            std::fprintf(stderr, "no display in %s: is its fixture (<kind>.start) running?\n", file.c_str());
            return false;
        }
        return true;
    }
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    return true;
}

}  // namespace testing_support
