// lumva.cpl exports CPlApplet and nothing else: no platform, Qt or standard
// library symbol may leak from the static libraries linked into it.

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

}  // namespace
