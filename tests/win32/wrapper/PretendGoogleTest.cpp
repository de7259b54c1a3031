// Plays a GoogleTest program for the check of scripts/wine-test.sh: it
// lists two tests, and its last argument says what a run prints: "whole"
// the summary of both, "short" that of one, "silent" nothing at all (nor a
// list), as a program that never started.
#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    const char* mode = argc > 1 ? argv[argc - 1] : "";
    if (std::strcmp(mode, "silent") == 0)
        return 0;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--gtest_list_tests") == 0) {
            std::puts("Pretend.\n  First\n  Second");
            return 0;
        }
    }
    const int ran = std::strcmp(mode, "whole") == 0 ? 2 : 1;
    std::printf("[==========] %d tests from 1 test suite ran. (0 ms total)\n[  PASSED  ] %d tests.\n", ran, ran);
    return 0;
}
