#include "resources/VersionInfo.h"

#include <array>

namespace res {

namespace {

constexpr std::array kFields = {
    VersionField{"Comments", "$"},
    VersionField{"CompanyName", "$"},
    VersionField{"FileDescription", "Change your windows logos to anything you want!"},
    VersionField{"FileVersion", "2, 0, 0, 0"},
    VersionField{"InternalName", "lumva"},
    VersionField{"LegalTrademarks", "$"},
    VersionField{"OriginalFilename", "lumva.cpl"},
    VersionField{"PrivateBuild", "$"},
    VersionField{"ProductName", "lumva Control Panel Extension"},
    VersionField{"ProductVersion", "2.0"},
    VersionField{"SpecialBuild", "$"},
    // Fixed part: a dynamic library (VFT_DLL) for 32-bit Windows (VOS__WINDOWS32).
    VersionField{"FILEVERSION", "2.0.0.0"},
    VersionField{"PRODUCTVERSION", "2.0.0.0"},
    VersionField{"FILEOS", "VOS__WINDOWS32"},
    VersionField{"FILETYPE", "VFT_DLL"},
};

}  // namespace

std::span<const VersionField> VersionFields()
{
    return kFields;
}

std::string VersionResourceText()
{
    std::string text;
    for (const VersionField& field : kFields) {
        text.append(field.key);
        text.push_back('=');
        text.append(field.value);
        text.push_back('\n');
    }
    return text;
}

}  // namespace res
