// lumva.cpl exports CPlApplet and nothing else: no platform, Qt or standard
// library symbol may leak from the static libraries linked into it. And it
// carries its module name.

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> DefinedDynamicSymbols(const std::string& file, bool& ran)
{
    const std::string command = std::string(LUMIVANE_NM) + " -D --defined-only '" + file + "' 2>/dev/null";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::vector<std::string> names;
    ran = pipe != nullptr;
    if (!ran)
        return names;
    char line[4096];
    while (std::fgets(line, sizeof line, pipe.get()) != nullptr) {
        // "0000000000012340 T CPlApplet": the name is the last field.
        std::istringstream fields(line);
        std::string field;
        std::string last;
        while (fields >> field)
            last = field;
        if (!last.empty())
            names.push_back(last);
    }
    return names;
}

TEST(ModuleExports, CPlAppletIsTheOnlyDefinedDynamicSymbol)
{
    bool ran = false;
    const std::vector<std::string> names = DefinedDynamicSymbols(LUMVA_CPL_PATH, ran);
    ASSERT_TRUE(ran) << "could not run " << LUMIVANE_NM;
    ASSERT_FALSE(names.empty()) << "nm listed nothing for " << LUMVA_CPL_PATH;
    std::vector<std::string> others;
    for (const std::string& name : names) {
        if (name != "CPlApplet")
            others.push_back(name);
    }
    EXPECT_EQ(names.size() - others.size(), 1u);
    EXPECT_TRUE(others.empty()) << "also exported: " << others.front() << " and " << others.size() - 1 << " more";
}

// The lines of a command's standard output.
std::vector<std::string> OutputLines(const std::string& command, bool& ran)
{
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::vector<std::string> lines;
    ran = pipe != nullptr;
    if (!ran)
        return lines;
    char line[4096];
    while (std::fgets(line, sizeof line, pipe.get()) != nullptr)
        lines.emplace_back(line);
    return lines;
}

TEST(ModuleExports, ModuleNameIsLumvaCpl)
{
    bool ran = false;
    const std::vector<std::string> lines =
        OutputLines(std::string(LUMIVANE_READELF) + " -d '" + LUMVA_CPL_PATH + "' 2>/dev/null", ran);
    ASSERT_TRUE(ran) << "could not run " << LUMIVANE_READELF;
    ASSERT_FALSE(lines.empty()) << "readelf listed nothing for " << LUMVA_CPL_PATH;
    std::vector<std::string> sonames;
    for (const std::string& line : lines) {
        // " 0x000000000000000e (SONAME)  Library soname: [lumva.cpl]"
        if (line.find("(SONAME)") == std::string::npos)
            continue;
        const auto open = line.find('[');
        const auto close = line.rfind(']');
        if (open != std::string::npos && close != std::string::npos && close > open)
            sonames.push_back(line.substr(open + 1, close - open - 1));
    }
    ASSERT_EQ(sonames.size(), 1u);
    EXPECT_EQ(sonames[0], "lumva.cpl");
}

}  // namespace
