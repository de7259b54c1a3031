#include "tools/LogoGallery.h"

#include "logo/BmpReader.h"
#include "logo/LogoFile.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace tools {

namespace {

namespace fs = std::filesystem;

std::string Folded(const std::string& text)
{
    std::string folded = text;
    std::transform(folded.begin(), folded.end(), folded.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return folded;
}

// Why a file is no logo, in the words of lumva-logo info.
std::string NotALogo(const std::string& path)
{
    const logo::HeaderResult read = logo::ReadBmpFileHeader(path);
    if (!read)
        return "not a logo (" + read.error.reason + ")";
    return "not a logo (" + std::to_string(read.header->width) + " x " + std::to_string(read.header->height) +
           " at " + std::to_string(read.header->bitsPerPixel) + " bits, not 320 x 400 at 8)";
}

}  // namespace

bool ComesBefore(const std::string& a, const std::string& b)
{
    const std::string foldedA = Folded(a);
    const std::string foldedB = Folded(b);
    return foldedA != foldedB ? foldedA < foldedB : a < b;
}

LogoGallery ReadLogoGallery(const std::string& folder, std::string& error)
{
    LogoGallery gallery;
    std::error_code code;
    gallery.folder = fs::absolute(folder, code).lexically_normal().string();
    std::vector<std::string> names;
    for (fs::directory_iterator it(gallery.folder, code), end; !code && it != end; it.increment(code))
        names.push_back(it->path().filename().string());
    if (code) {
        error = "the gallery '" + folder + "' cannot be listed: " + code.message();
        return gallery;
    }
    std::sort(names.begin(), names.end(), ComesBefore);
    for (const std::string& name : names) {
        const std::string path = (fs::path(gallery.folder) / name).string();
        if (!fs::is_regular_file(path, code))
            gallery.skipped.push_back(name + ": not a file");
        else if (!logo::IsLogoFile(path))
            gallery.skipped.push_back(name + ": " + NotALogo(path));
        else
            gallery.logos.push_back(name);
    }
    return gallery;
}

const std::string& NextLogo(const std::vector<std::string>& logos, const std::string& last)
{
    if (last.empty())
        return logos.front();
    const auto after = std::upper_bound(logos.begin(), logos.end(), last, ComesBefore);
    return after == logos.end() ? logos.front() : *after;
}

const std::string& RandomLogo(const std::vector<std::string>& logos, const std::string& last, std::mt19937& random)
{
    std::vector<const std::string*> others;
    for (const std::string& name : logos) {
        if (name != last)
            others.push_back(&name);
    }
    if (others.empty())
        return logos.front();
    std::uniform_int_distribution<std::size_t> pick(0, others.size() - 1);
    return *others[pick(random)];
}

}  // namespace tools
