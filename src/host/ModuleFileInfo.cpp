#include "host/ModuleFileInfo.h"

#include "platform/modres/ModuleFile.h"
#include "platform/modres/ResourceBlob.h"

#include <filesystem>

namespace host {

const std::vector<std::string> kVersionStringKeys = {
    "FileDescription", "FileVersion", "ProductVersion", "InternalName",    "OriginalFilename", "ProductName",
    "Comments",        "CompanyName", "LegalTrademarks", "PrivateBuild", "SpecialBuild",
};
const std::vector<std::string> kVersionFixedKeys = {"FILEVERSION", "PRODUCTVERSION", "FILEOS", "FILETYPE"};

std::optional<ModuleFileInfo> ModuleFileInfo::Read(const std::string& modulePath, std::string& error)
{
    std::error_code code;
    if (!std::filesystem::is_regular_file(modulePath, code)) {
        error = "cannot read " + modulePath + ": " +
                (std::filesystem::exists(modulePath, code) ? "not a file" : "no such file");
        return std::nullopt;
    }
    std::optional<std::vector<std::uint8_t>> section = platform::ReadModuleResourceSection(modulePath);
    if (!section || !platform::ResourceBlob(*section).IsValid()) {
        error = modulePath + " carries no resource section";
        return std::nullopt;
    }
    return ModuleFileInfo(std::move(*section));
}

std::optional<std::string> ModuleFileInfo::String(int id) const
{
    if (id < 0 || id > 0xFFFF)
        return std::nullopt;
    return platform::ResourceBlob(m_section).FindString(static_cast<std::uint16_t>(id));
}

std::vector<std::uint8_t> ModuleFileInfo::Icon(int id) const
{
    if (id < 0 || id > 0xFFFF)
        return {};
    const auto bytes = platform::ResourceBlob(m_section).Find(platform::ResourceType::Icon, static_cast<std::uint16_t>(id));
    return {bytes.begin(), bytes.end()};
}

std::vector<std::pair<std::string, std::string>> ModuleFileInfo::VersionFields() const
{
    const auto bytes = platform::ResourceBlob(m_section).Find(platform::ResourceType::Version, kVersionResourceId);
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    std::vector<std::pair<std::string, std::string>> fields;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = text.substr(start, end - start);
        if (const std::size_t equals = line.find('='); equals != std::string_view::npos && equals > 0)
            fields.emplace_back(std::string(line.substr(0, equals)), std::string(line.substr(equals + 1)));
        start = end + 1;
    }
    return fields;
}

}  // namespace host
