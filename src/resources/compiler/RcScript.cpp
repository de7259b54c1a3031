#include "resources/compiler/RcScript.h"

#include "resources/compiler/RcDialogStatement.h"
#include "resources/compiler/RcQuoting.h"
#include "resources/compiler/RcVersionStatement.h"

#include <stdexcept>
#include <string_view>

namespace res::rc {

namespace {

using platform::ResourceEntry;
using platform::ResourceType;

struct FileKind {
    ResourceType type;
    const char* keyword;
    const char* prefix;
    const char* extension;
};

constexpr FileKind kFileKinds[] = {
    {ResourceType::Bitmap, "BITMAP", "bitmap", ".bmp"},
    {ResourceType::Cursor, "CURSOR", "cursor", ".cur"},
    {ResourceType::Icon, "ICON", "icon", ".ico"},
};

std::string StringTableStatement(std::span<const ResourceEntry> entries)
{
    std::string text = "STRINGTABLE\nBEGIN\n";
    for (const ResourceEntry& entry : entries) {
        if (entry.type != ResourceType::String)
            continue;
        const std::string_view utf8(reinterpret_cast<const char*>(entry.data.data()), entry.data.size());
        try {
            text += "    " + std::to_string(entry.id) + ", " + RcQuoted(utf8) + "\n";
        } catch (const std::invalid_argument& error) {
            throw std::invalid_argument("string " + std::to_string(entry.id) + ": " + error.what());
        }
    }
    text += "END\n";
    return text;
}

// One statement per file resource of the kind, and the file itself.
void AddFileResources(const FileKind& kind, std::span<const ResourceEntry> entries, RcScript& script)
{
    for (const ResourceEntry& entry : entries) {
        if (entry.type != kind.type)
            continue;
        RcFile file{std::string(kind.prefix) + std::to_string(entry.id) + kind.extension, entry.data};
        script.text += std::to_string(entry.id) + " " + kind.keyword + " " + RcQuoted(file.name) + "\n";
        script.files.push_back(std::move(file));
    }
}

}  // namespace

RcScript BuildRcScript(std::span<const ResourceEntry> entries,
                       std::span<const platform::DialogTemplate* const> dialogs, int versionId,
                       std::span<const VersionField> versionFields)
{
    RcScript script;
    script.text =
        "// The resources of lumva.cpl, written by lumivane_rc from the same data as\n"
        "// the module's resource blob. Do not edit: the build writes it anew.\n"
        "#pragma code_page(1252)\n"
        "LANGUAGE 0x09, 0x01  // English (United States)\n\n";
    script.text += StringTableStatement(entries) + "\n";
    for (const FileKind& kind : kFileKinds) {
        AddFileResources(kind, entries, script);
        script.text += "\n";
    }
    for (const platform::DialogTemplate* dialog : dialogs)
        script.text += DialogexStatement(*dialog) + "\n";
    script.text += VersionInfoStatement(versionId, versionFields);
    return script;
}

}  // namespace res::rc
