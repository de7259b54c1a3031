// The same decoder through a file, as the slots and the editor open
// pictures: the whole load, the logo test, the exact-layout test, the
// animation marker and the stretched preview.

#include "FuzzCheck.h"

#include "logo/BmpReader.h"
#include "logo/LogoFile.h"
#include "logo/Stretch.h"

#include <unistd.h>

#include <cstdint>
#include <string>

namespace {

// One unlinked scratch file per process, reached through its descriptor, so
// nothing is left behind however the run ends.
struct ScratchFile {
    int fd = -1;
    std::string path;
};

const ScratchFile& Scratch()
{
    static const ScratchFile scratch = [] {
        ScratchFile made;
        char pattern[] = "/tmp/lumivane-fuzz-dib-XXXXXX";
        made.fd = mkstemp(pattern);
        if (made.fd >= 0) {
            unlink(pattern);
            made.path = "/proc/self/fd/" + std::to_string(made.fd);
        }
        return made;
    }();
    return scratch;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const ScratchFile& scratch = Scratch();
    if (scratch.fd < 0 || ftruncate(scratch.fd, 0) != 0
        || pwrite(scratch.fd, data, size, 0) != static_cast<ssize_t>(size))
        return 0;
    const std::string& path = scratch.path;

    const logo::LoadResult loaded = logo::LoadBmpFile(path);
    const bool isLogo = logo::IsLogoFile(path);
    const bool exact = logo::HasExactLogoLayout(path);
    std::uint8_t count = 0;
    const bool animated = logo::ReadAnimationCount(path, count);
    FUZZ_CHECK(animated == (count != 0));
    FUZZ_CHECK(!exact || isLogo);
    // The logo test is a load: what it accepts always decodes.
    FUZZ_CHECK(!isLogo || loaded);
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
