#include "layering/IncludeLayers.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <regex>
#include <set>

namespace layering {

namespace {

// Longest prefix wins: "applet/SettingsStore" before "applet/".
const std::vector<std::pair<std::string, std::string>>& Prefixes()
{
    static const std::vector<std::pair<std::string, std::string>> prefixes = {
        {"logo/", "logo"},
        {"convert/", "convert"},
        {"export/", "export"},
        {"platform/files/", "platform/files"},
        {"platform/settings/", "platform/settings"},
        {"platform/launch/", "platform/launch"},
        {"platform/modres/", "platform/modres"},
        {"platform/ui/", "platform/ui"},
        {"platform/qt/", "platform/qt"},
        {"platform/win32/", "platform/win32"},
        {"platform/testing/", "platform/testing"},
        // The hooks that reach into the Qt implementation live beside it.
        {"platform/qt/testing/", "platform/testing"},
        {"platform/WinTypes.h", "platform types"},
        {"platform/HexDigit.h", "platform types"},
        {"resources/art/", "resources/art"},
        {"resources/compiler/", "resources/compiler"},
        {"resources/", "resources"},
        {"slots/", "slots"},
        {"applet/SettingsStore.", "applet settings store"},
        {"applet/", "applet entry"},
        {"editor/", "editor"},
        {"ui/anim/", "ui/anim"},
        {"ui/main/", "ui/main"},
        {"host/", "host"},
        {"tools/", "tools"},
    };
    return prefixes;
}

const std::set<std::string> kPlatformServices = {"platform/files", "platform/settings", "platform/launch",
                                                 "platform/modres"};

std::set<std::string> With(std::set<std::string> base, std::initializer_list<std::string> more)
{
    base.insert(more.begin(), more.end());
    return base;
}

const std::map<std::string, std::set<std::string>>& Table()
{
    // Every layer may use the Windows base types.
    static const std::set<std::string> types = {"platform types"};
    static const std::set<std::string> platformAll =
        With(With(types, {"platform/ui", "logo"}), {"platform/files", "platform/settings", "platform/launch",
                                                    "platform/modres"});
    static const std::map<std::string, std::set<std::string>> table = {
        {"logo", {}},
        {"platform types", {}},
        {"convert", With(types, {"logo"})},
        {"export", With(types, {"logo"})},
        {"platform/files", With(types, {"logo"})},
        // The profile store and program launch stand on the file system's
        // host-file primitives (atomic replace, folder lookup).
        {"platform/settings", With(types, {"logo", "platform/files"})},
        {"platform/launch", With(types, {"logo", "platform/files"})},
        {"platform/modres", With(types, {"logo"})},
        {"platform/ui", With(types, {"platform/files", "platform/settings", "platform/modres", "logo"})},
        {"platform/qt", platformAll},
        {"platform/win32", platformAll},
        {"platform/testing", With(platformAll, {"platform/qt", "platform/win32"})},
        {"resources", With(types, {"platform/ui", "logo"})},
        {"resources/art", With(types, {"resources", "platform/ui", "logo"})},
        {"resources/compiler", With(types, {"resources", "resources/art", "platform/ui", "platform/modres", "logo"})},
        {"slots", With(types, {"platform/files", "logo"})},
        {"applet settings store", With(types, {"platform/settings"})},
        {"editor", With(types, {"platform/ui", "platform/files", "platform/launch", "resources", "slots",
                                "applet settings store", "logo"})},
        {"ui/anim", With(types, {"platform/ui", "resources", "logo", "export", "applet settings store"})},
        {"ui/main", With(types, {"ui/anim", "editor", "slots", "convert", "export", "platform/ui", "resources", "logo",
                                 "applet settings store"})},
        {"applet entry", With(types, {"ui/main", "platform/ui", "resources"})},
        // The desktop icon's renderer, a build tool beside the host, draws
        // from the icon's own art.
        {"host", With(platformAll, {"platform/qt", "resources", "resources/art", "logo"})},
        {"tools", With(types, {"logo", "convert", "export", "slots", "platform/files", "platform/settings",
                               "platform/modres", "resources"})},
    };
    return table;
}

// Single headers a layer may use beyond its row: the command-line tool
// decodes pictures through the Qt picture decoder, and nothing else of the
// dialog framework.
bool IsListedException(const std::string& layer, const std::string& include)
{
    return layer == "tools" && include == "platform/ui/PictureDecoder.h";
}

bool IsSourceFile(const std::filesystem::path& path)
{
    const std::string ext = path.extension().string();
    return ext == ".h" || ext == ".cpp";
}

}  // namespace

std::string LayerOf(const std::string& pathUnderSrc)
{
    std::string best;
    std::size_t bestLength = 0;
    for (const auto& [prefix, layer] : Prefixes()) {
        if (pathUnderSrc.starts_with(prefix) && prefix.size() > bestLength) {
            best = layer;
            bestLength = prefix.size();
        }
    }
    return best;
}

bool MayInclude(const std::string& from, const std::string& to)
{
    if (from == to)
        return true;
    const auto row = Table().find(from);
    return row != Table().end() && row->second.contains(to);
}

bool MayIncludeQt(const std::string& pathUnderSrc)
{
    return pathUnderSrc.starts_with("platform/qt/") || pathUnderSrc.starts_with("host/");
}

std::vector<Violation> CheckTree(const std::filesystem::path& srcRoot)
{
    static const std::regex quoted(R"re(^\s*#\s*include\s*"([^"]+)")re");
    static const std::regex angled(R"(^\s*#\s*include\s*<(Q[A-Za-z0-9_/]*|qt[a-z]*/[^>]*)>)");
    std::vector<Violation> violations;
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(srcRoot)) {
        if (entry.is_regular_file() && IsSourceFile(entry.path()))
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    for (const std::filesystem::path& path : files) {
        const std::string file = std::filesystem::relative(path, srcRoot).generic_string();
        const std::string layer = LayerOf(file);
        if (layer.empty()) {
            violations.push_back({file, 0, "", "no layer claims this file"});
            continue;
        }
        std::ifstream in(path);
        std::string text;
        int lineNumber = 0;
        while (std::getline(in, text)) {
            ++lineNumber;
            std::smatch match;
            if (std::regex_search(text, match, quoted)) {
                const std::string include = match[1];
                const std::string target = LayerOf(include);
                if (target.empty())
                    violations.push_back({file, lineNumber, include, "not a path from src/ that a layer claims"});
                else if (!MayInclude(layer, target) && !IsListedException(layer, include))
                    violations.push_back({file, lineNumber, include, layer + " may not include " + target});
            } else if (std::regex_search(text, match, angled) && !MayIncludeQt(file)) {
                violations.push_back({file, lineNumber, match[1], layer + " may not include Qt"});
            }
        }
    }
    return violations;
}

}  // namespace layering
