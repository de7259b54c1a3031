#include "platform/files/ScratchFile.h"

#include "platform/files/PrivateFolder.h"

#include <filesystem>

namespace platform {

ScratchFile::ScratchFile(const std::string& name)
{
    folder_ = MakePrivateFolder(TemporaryRoot(), "lumivane-scratch");
    if (!folder_.empty())
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
