#pragma once
// A folder of logos to rotate through: the files that pass the logo test, in
// name order, and the rest named once with the reason they are left out.

#include <random>
#include <string>
#include <vector>

namespace tools {

struct LogoGallery {
    std::string folder;                // absolute
    std::vector<std::string> logos;    // file names, in name order
    std::vector<std::string> skipped;  // "NAME: reason", in name order
};

// Name order: letters compared without regard to case, then byte by byte.
bool ComesBefore(const std::string& a, const std::string& b);

// The folder's files sorted into logos and the rest; error is set (and the
// gallery empty) when the folder cannot be listed.
LogoGallery ReadLogoGallery(const std::string& folder, std::string& error);

// The first logo after `last` in name order, wrapping round; the first one
// when last is empty or sorts after every logo. logos must not be empty.
const std::string& NextLogo(const std::vector<std::string>& logos, const std::string& last);

// Any logo but `last`, evenly; last itself only when it is the only one.
const std::string& RandomLogo(const std::vector<std::string>& logos, const std::string& last, std::mt19937& random);

}  // namespace tools
