#include "host/ModuleInfoReport.h"

#include "host/ModuleFileInfo.h"

#include <algorithm>
#include <iomanip>
#include <map>

namespace host {

namespace {

// Plain words for the fixed part's symbolic values.
const std::map<std::string, std::string, std::less<>> kFixedMeanings = {
    {"VFT_DLL", "dynamic library"},     {"VFT_APP", "application"},
    {"VOS__WINDOWS32", "32-bit Windows"}, {"VOS_NT_WINDOWS32", "32-bit Windows NT"},
};

void PrintField(std::ostream& out, const std::string& key, const std::string& value)
{
    out << std::left << std::setw(18) << (key + ":") << value;
    if (const auto meaning = kFixedMeanings.find(value); meaning != kFixedMeanings.end())
        out << " (" << meaning->second << ")";
    out << '\n';
}

}  // namespace

int PrintModuleInfo(const std::string& modulePath, std::ostream& out, std::ostream& err)
{
    std::string error;
    const std::optional<ModuleFileInfo> info = ModuleFileInfo::Read(modulePath, error);
    if (!info) {
        err << "lumivane: " << error << '\n';
        return 1;
    }
    out << "Module:           " << modulePath << '\n';
    PrintField(out, "Name", info->String(kDefaultNameId).value_or("(none)"));
    PrintField(out, "Description", info->String(kDefaultInfoId).value_or("(none)"));

    const auto fields = info->VersionFields();
    if (fields.empty()) {
        err << "lumivane: " << modulePath << " carries no version information\n";
        return 1;
    }
    auto printKnown = [&](const std::vector<std::string>& keys) {
        for (const std::string& key : keys) {
            const auto field = std::find_if(fields.begin(), fields.end(), [&](const auto& f) { return f.first == key; });
            if (field != fields.end())
                PrintField(out, key, field->second);
        }
    };
    printKnown(kVersionStringKeys);
    // Fields beyond the standard table are still shown, after it.
    for (const auto& [key, value] : fields) {
        const bool known = std::find(kVersionStringKeys.begin(), kVersionStringKeys.end(), key) != kVersionStringKeys.end() ||
                           std::find(kVersionFixedKeys.begin(), kVersionFixedKeys.end(), key) != kVersionFixedKeys.end();
        if (!known)
            PrintField(out, key, value);
    }
    printKnown(kVersionFixedKeys);
    return 0;
}

}  // namespace host
