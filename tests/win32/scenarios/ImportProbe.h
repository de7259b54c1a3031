#pragma once
// Watches what a loaded module asks of the system through its own import
// table, to tell which route it takes: the Windows version it was told
// (GetVersion), the functions it looked up by name (GetProcAddress: the
// wide ones it calls only on Windows NT) and how often it called the ANSI
// file functions. The import table is patched while the probe lives, so
// calls made before (the module's load) are not seen. One probe at a time.

#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace scenario {

struct ImportRecord {
    unsigned versionQueries = 0;
    DWORD version = 0;                        // GetVersion's last answer
    std::vector<std::string> lookedUp;        // names given to GetProcAddress, each once, in order
    std::map<std::string, unsigned> calls;    // ANSI file functions called
};

class ImportProbe {
public:
    explicit ImportProbe(HMODULE module);
    ~ImportProbe();
    ImportProbe(const ImportProbe&) = delete;
    ImportProbe& operator=(const ImportProbe&) = delete;

    // Whether every function the probe watches was found in the import
    // table (a module that imports it otherwise would slip past).
    bool Complete() const;
    const ImportRecord& Record() const;

private:
    struct Patch {
        void** slot;
        void* original;
    };
    std::vector<Patch> m_patches;
};

// Whether a function name is one of the wide-character calls (FooW, _wfoo).
bool IsWideName(const std::string& name);

// The record as one line, for the test's log.
std::string Describe(const ImportRecord& record);

}  // namespace scenario
