// The detach comes before the module's static objects are destroyed, both
// when the module is unloaded and when the process exits with it loaded.
// Each case runs in a process of its own, which loads the module and then
// unloads it or simply exits.

#include "common/TestFiles.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct UnloadRun {
    int exitStatus = -1;
    std::vector<std::string> events;  // what the module logged, in order
};

UnloadRun RunUnloadHost(const std::string& module, const std::string& how)
{
    testing_support::TempDir folder;
    const std::string log = folder.File("events.log");
    const std::string command = "ATTACH_PROBE_LOG='" + log + "' '" + MODULE_UNLOAD_HOST + "' '" + module + "' " + how;
    UnloadRun run;
    const int status = std::system(command.c_str());
    run.exitStatus = status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream in(log);
    for (std::string line; std::getline(in, line);)
        run.events.push_back(line);
    return run;
}

class AttachOrder : public ::testing::TestWithParam<const char*> {};

TEST_P(AttachOrder, ExitInstanceRunsBeforeTheStaticObjectsAreDestroyed)
{
    const std::string how = GetParam();
    const UnloadRun run = RunUnloadHost(ATTACH_ORDER_PROBE, how);
    ASSERT_EQ(run.exitStatus, 0);
    std::vector<std::string> expected = {"ExitInstance", "~dialog", "~app"};
    if (how == "dlclose")
        expected.push_back("unloaded");
    EXPECT_EQ(run.events, expected);
}

TEST_P(AttachOrder, TheRealModuleLeavesCleanly)
{
    EXPECT_EQ(RunUnloadHost(LUMVA_CPL_PATH, GetParam()).exitStatus, 0);
}

INSTANTIATE_TEST_SUITE_P(Unload, AttachOrder, ::testing::Values("dlclose", "exit"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             return std::string(info.param) == "exit" ? "ProcessExit" : "Dlclose";
                         });

}  // namespace
