#include "slots/BootOptionsFile.h"

#include "platform/files/FileApi.h"
#include "platform/files/ScratchFile.h"

#include <fstream>

namespace {

constexpr const char* kBootOptionsName = "MSDOS.SYS";

BootOptionsFile ReadAt(const std::string& path)
{
    BootOptionsFile file;
    file.path = path;
    file.attributes = platform::GetFileAttributesA(path);
    if (file.attributes == INVALID_FILE_ATTRIBUTES)
        return file;
    file.state = BootOptionsFile::State::Unreadable;
    const std::optional<std::string> hostPath = platform::ResolveHostPath(path);
    if (!hostPath) {
        file.problem = "cannot be read";
        return file;
    }
    file.options = platform::ReadBootOptions(*hostPath, file.problem);
    if (file.options)
        file.state = BootOptionsFile::State::Read;
    return file;
}

bool WriteHostFile(const std::string& hostPath, const std::string& bytes)
{
    std::ofstream out(hostPath, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !out.fail();
}

}  // namespace

BootOptionsFile ReadBootOptionsFile(const SystemLocations& locations)
{
    const std::string inBootRoot = locations.bootRoot + kBootOptionsName;
    BootOptionsFile file = ReadAt(inBootRoot);
    const std::string driveC = std::string("C:\\") + kBootOptionsName;
    if (file.state == BootOptionsFile::State::Missing && locations.bootRoot != "C:\\") {
        BootOptionsFile onC = ReadAt(driveC);
        if (onC.state != BootOptionsFile::State::Missing)
            return onC;
    }
    return file;
}

BootLogoChange SetBootLogo(const BootOptionsFile& file, bool on)
{
    if (file.state != BootOptionsFile::State::Read || file.options->Kind() != platform::BootOptionsKind::Text)
        return BootLogoChange::Refused;
    const std::string changed = file.options->WithLogo(on);
    if (changed == file.options->Bytes())
        return BootLogoChange::Unchanged;

    const platform::ScratchFile scratch(kBootOptionsName);
    if (!scratch.IsReady() || !WriteHostFile(scratch.Path(), changed))
        return BootLogoChange::Failed;
    // A read-only target refuses the copy; the copy carries the scratch
    // file's plain attributes. Both ways the file's own come back after.
    platform::SetFileAttributesA(file.path, FILE_ATTRIBUTE_NORMAL);
    const bool copied = platform::CopyFileA(scratch.Path(), file.path, FALSE) != FALSE;
    platform::SetFileAttributesA(file.path, file.attributes);
    if (!copied)
        return BootLogoChange::Failed;
    return platform::GetFileAttributesA(file.path) == file.attributes ? BootLogoChange::Changed
                                                                      : BootLogoChange::ChangedAttributesLost;
}
