// lumivane_rc: renders the applet's drawings and tables into the resource
// blob and writes the C++ file that embeds it in the module.
//
//   lumivane_rc --output FILE.cpp   write the generated source
//   lumivane_rc --dump FOLDER       write each bitmap, cursor and icon as a
//                                   .bmp/.cur/.ico file, and the version text
//   lumivane_rc --rc-script FOLDER  write FOLDER/lumva.rc for windres and the
//                                   .bmp/.cur/.ico files it names (Win32 build)
// The options may be given together.

#include "resources/compiler/BlobSource.h"
#include "resources/compiler/RcScript.h"
#include "resources/compiler/ResourceSet.h"
#include "platform/modres/ResourceBlob.h"
#include "resources/DialogTemplates.h"
#include "resources/ResourceIds.h"
#include "resources/VersionInfo.h"

#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

namespace {

bool WriteFile(const std::filesystem::path& path, const void* data, std::size_t size)
{
    // Written beside the target and renamed, so an interrupted build never
    // leaves a half file that looks up to date.
    const std::filesystem::path temporary = path.string() + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
        if (!out)
            return false;
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    return !error;
}

const char* Extension(platform::ResourceType type)
{
    switch (type) {
    case platform::ResourceType::Bitmap: return ".bmp";
    case platform::ResourceType::Cursor: return ".cur";
    case platform::ResourceType::Icon: return ".ico";
    case platform::ResourceType::Version: return ".txt";
    default: return nullptr;
    }
}

bool Dump(const std::vector<platform::ResourceEntry>& entries, const std::filesystem::path& folder)
{
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    for (const platform::ResourceEntry& entry : entries) {
        const char* extension = Extension(entry.type);
        if (extension == nullptr)
            continue;
        const std::string prefix = entry.type == platform::ResourceType::Version ? "version" : "res";
        const std::filesystem::path path = folder / (prefix + std::to_string(entry.id) + extension);
        if (!WriteFile(path, entry.data.data(), entry.data.size())) {
            std::cerr << "lumivane_rc: cannot write " << path << '\n';
            return false;
        }
    }
    return true;
}

// The files first and the script last, so a script that is up to date
// never names a file that is not.
bool WriteRcScript(const std::vector<platform::ResourceEntry>& entries, const std::filesystem::path& folder)
{
    const res::rc::RcScript script =
        res::rc::BuildRcScript(entries, res::AllDialogTemplates(), res::IDV_VERSION_INFO, res::VersionFields());
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    for (const res::rc::RcFile& file : script.files) {
        if (!WriteFile(folder / file.name, file.bytes.data(), file.bytes.size())) {
            std::cerr << "lumivane_rc: cannot write " << folder / file.name << '\n';
            return false;
        }
    }
    const std::filesystem::path path = folder / "lumva.rc";
    if (!WriteFile(path, script.text.data(), script.text.size())) {
        std::cerr << "lumivane_rc: cannot write " << path << '\n';
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string output;
    std::string dumpFolder;
    std::string rcFolder;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--output" && i + 1 < argc) {
            output = argv[++i];
        } else if (option == "--dump" && i + 1 < argc) {
            dumpFolder = argv[++i];
        } else if (option == "--rc-script" && i + 1 < argc) {
            rcFolder = argv[++i];
        } else {
            std::cerr << "usage: lumivane_rc [--output FILE.cpp] [--dump FOLDER] [--rc-script FOLDER]\n";
            return 2;
        }
    }
    try {
        const std::vector<platform::ResourceEntry> entries = res::rc::BuildResourceEntries();
        if (!dumpFolder.empty() && !Dump(entries, dumpFolder))
            return 1;
        if (!rcFolder.empty() && !WriteRcScript(entries, rcFolder))
            return 1;
        if (!output.empty()) {
            const std::vector<std::uint8_t> blob = platform::PackResources(entries);
            const std::string source = res::rc::BlobSourceText(blob);
            if (!WriteFile(output, source.data(), source.size())) {
                std::cerr << "lumivane_rc: cannot write " << output << '\n';
                return 1;
            }
        }
    } catch (const std::exception& error) {
        std::cerr << "lumivane_rc: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
