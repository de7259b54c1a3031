// lumivane_rc: renders the applet's drawings and tables into the resource
// blob and writes the C++ file that embeds it in the module.
//
//   lumivane_rc --output FILE.cpp   write the generated source
//   lumivane_rc --dump FOLDER       write each bitmap, cursor and icon as a
//                                   .bmp/.cur/.ico file, and the version text
// Both options may be given together.

#include "resources/compiler/BlobSource.h"
#include "resources/compiler/ResourceSet.h"
#include "platform/modres/ResourceBlob.h"

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

}  // namespace

int main(int argc, char** argv)
{
    std::string output;
    std::string dumpFolder;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if ((option == "--output" || option == "--dump") && i + 1 < argc) {
            (option == "--output" ? output : dumpFolder) = argv[++i];
        } else {
            std::cerr << "usage: lumivane_rc [--output FILE.cpp] [--dump FOLDER]\n";
            return 2;
        }
    }
    try {
        const std::vector<platform::ResourceEntry> entries = res::rc::BuildResourceEntries();
        if (!dumpFolder.empty() && !Dump(entries, dumpFolder))
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
