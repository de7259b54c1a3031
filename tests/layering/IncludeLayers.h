#pragma once
// The layering of the source tree: which folder's files may include which
// other folder's headers. An include may go down the table, never up or
// sideways unless the table lists it.

#include <filesystem>
#include <string>
#include <vector>

namespace layering {

// The layer a path under src/ belongs to ("platform/ui", "ui/main",
// "applet settings store", ...); empty when no layer claims it.
std::string LayerOf(const std::string& pathUnderSrc);

// Whether code of layer `from` may include a header of layer `to`.
bool MayInclude(const std::string& from, const std::string& to);
// Whether a file under src/ may include the toolkit (Qt) directly: only
// the Qt implementation (its test hooks included) and the host may.
bool MayIncludeQt(const std::string& pathUnderSrc);

struct Violation {
    std::string file;     // under src/
    int line = 0;
    std::string include;  // as written
    std::string reason;
};

// Every include under srcRoot that crosses the table, and every source file
// that no layer claims.
std::vector<Violation> CheckTree(const std::filesystem::path& srcRoot);

}  // namespace layering
