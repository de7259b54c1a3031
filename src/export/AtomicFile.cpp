#include "export/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>

namespace exporting {

namespace {

std::filesystem::path TemporaryBeside(const std::filesystem::path& target)
{
    static std::mt19937_64 generator{std::random_device{}()};
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%016llx.tmp", static_cast<unsigned long long>(generator()));
    std::filesystem::path temporary = target;
    temporary += suffix;
    return temporary;
}

}  // namespace

ExportResult WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes)
{
    if (path.empty())
        return ExportResult::Failed("no file name given");
    const std::filesystem::path target(path);
    std::error_code error;
    if (std::filesystem::is_directory(target, error))
        return ExportResult::Failed(path + " is a folder");
    const std::filesystem::path temporary = TemporaryBeside(target);
    // "x": never reuse a file that happens to carry the temporary's name.
    // string(): fopen takes a narrow name, and Windows paths are wide.
    std::FILE* out = std::fopen(temporary.string().c_str(), "wbx");
    if (!out)
        return ExportResult::Failed(std::string("cannot create a file there: ") + std::strerror(errno));
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    const bool flushed = std::fflush(out) == 0;
    const int writeError = errno;
    const bool closed = std::fclose(out) == 0;
    if (written && flushed && closed) {
        std::filesystem::rename(temporary, target, error);
        if (!error)
            return ExportResult::Done();
        std::filesystem::remove(temporary, error);
        return ExportResult::Failed("cannot replace " + path);
    }
    std::filesystem::remove(temporary, error);
    return ExportResult::Failed(std::string("writing failed: ") + std::strerror(writeError));
}

}  // namespace exporting
