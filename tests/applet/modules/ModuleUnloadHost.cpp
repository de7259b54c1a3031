// Loads a module and then either unloads it or exits with it still loaded:
//   module_unload_host MODULE dlclose|exit
// Exit status 0 when the module loaded (and unloaded, with dlclose). After
// dlclose it appends "unloaded" to the file named by ATTACH_PROBE_LOG, so
// what the module logged can be told from what happened at exit.

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc != 3 || (std::strcmp(argv[2], "dlclose") != 0 && std::strcmp(argv[2], "exit") != 0)) {
        std::fprintf(stderr, "usage: module_unload_host MODULE dlclose|exit\n");
        return 2;
    }
    void* module = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) {
        std::fprintf(stderr, "%s\n", dlerror());
        return 1;
    }
    if (std::strcmp(argv[2], "dlclose") == 0 && dlclose(module) != 0) {
        std::fprintf(stderr, "%s\n", dlerror());
        return 1;
    }
    if (const char* log = std::getenv("ATTACH_PROBE_LOG"); log != nullptr && std::strcmp(argv[2], "dlclose") == 0) {
        if (std::FILE* file = std::fopen(log, "a")) {
            std::fprintf(file, "unloaded\n");
            std::fclose(file);
        }
    }
    return 0;
}
