#include "ScratchFile.h"

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>

namespace platform {

ScratchFile::ScratchFile(const std::string& name)
{
    const char* temporary = std::getenv("TMPDIR");
    std::string pattern = std::string(temporary != nullptr && temporary[0] == '/' ? temporary : "/tmp") +
                          "/lumivane-scratch-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr)
        return;
    folder_ = pattern;
    path_ = folder_ + "/" + name;
}

ScratchFile::~ScratchFile()
{
    if (!folder_.empty()) {
        std::error_code error;
        std::filesystem::remove_all(folder_, error);
    }
}

}  // namespace platform
