// The same decoder through a file, as the slots and the editor open
// pictures: the whole load, the logo test, the exact-layout test, the
// animation marker and the stretched preview.

#include "FuzzCheck.h"

#include "logo/BmpReader.h"
#include "logo/LogoFile.h"
#include "logo/Stretch.h"

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void RemoveScratchFile();

// One file per process, rewritten for every input and removed at exit.
const std::string& ScratchFile()
{
    static const std::string path = [] {
        std::atexit(RemoveScratchFile);
        return "/tmp/lumivane-fuzz-dib-" + std::to_string(getpid()) + ".bmp";
    }();
    return path;
}

void RemoveScratchFile()
{
    std::remove(ScratchFile().c_str());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string& path = ScratchFile();
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr)
        return 0;
    const bool written = std::fwrite(data, 1, size, out) == size;
    if (std::fclose(out) != 0 || !written)
        return 0;

    const logo::LoadResult loaded = logo::LoadBmpFile(path);
    const bool isLogo = logo::IsLogoFile(path);
    const bool exact = logo::HasExactLogoLayout(path);
    std::uint8_t count = 0;
    const bool animated = logo::ReadAnimationCount(path, count);
    FUZZ_CHECK(animated == (count != 0));
    FUZZ_CHECK(!exact || isLogo);
    if (loaded) {
        const logo::Picture& picture = *loaded.picture;
        FUZZ_CHECK(isLogo == (picture.width == 320 && picture.height == 400 && picture.bitsPerPixel == 8));
        FUZZ_CHECK(!exact || logo::IsLogoImage(picture));
        // The main preview's scaled load.
        const logo::LoadResult scaled = logo::LoadBmpFileScaled(path, 480, 390);
        FUZZ_CHECK(scaled);
        FUZZ_CHECK(scaled.picture->width == 480 && scaled.picture->height == 390);
    }
    return 0;
}
