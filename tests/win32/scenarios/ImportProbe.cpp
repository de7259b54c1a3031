#include "tests/win32/scenarios/ImportProbe.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <sstream>

namespace scenario {

namespace {

ImportRecord g_record;

enum Watched { kGetVersion, kGetProcAddress, kCreateFileA, kGetFileAttributesA, kFindFirstFileA, kFopen, kWatched };

struct Watch {
    const char* dll;
    const char* name;
    void* probe;
    void* original;
};

DWORD WINAPI ProbeGetVersion();
FARPROC WINAPI ProbeGetProcAddress(HMODULE module, LPCSTR name);
HANDLE WINAPI ProbeCreateFileA(LPCSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security, DWORD disposition,
                               DWORD flags, HANDLE templateFile);
DWORD WINAPI ProbeGetFileAttributesA(LPCSTR name);
HANDLE WINAPI ProbeFindFirstFileA(LPCSTR pattern, LPWIN32_FIND_DATAA found);
std::FILE* __cdecl ProbeFopen(const char* name, const char* mode);

Watch g_watches[kWatched] = {
    {"kernel32.dll", "GetVersion", reinterpret_cast<void*>(&ProbeGetVersion), nullptr},
    {"kernel32.dll", "GetProcAddress", reinterpret_cast<void*>(&ProbeGetProcAddress), nullptr},
    {"kernel32.dll", "CreateFileA", reinterpret_cast<void*>(&ProbeCreateFileA), nullptr},
    {"kernel32.dll", "GetFileAttributesA", reinterpret_cast<void*>(&ProbeGetFileAttributesA), nullptr},
    {"kernel32.dll", "FindFirstFileA", reinterpret_cast<void*>(&ProbeFindFirstFileA), nullptr},
    {"msvcrt.dll", "fopen", reinterpret_cast<void*>(&ProbeFopen), nullptr},
};

template <typename Function> Function Original(Watched watched)
{
    return reinterpret_cast<Function>(g_watches[watched].original);
}

void Count(Watched watched)
{
    ++g_record.calls[g_watches[watched].name];
}

DWORD WINAPI ProbeGetVersion()
{
    const DWORD version = Original<decltype(&::GetVersion)>(kGetVersion)();
    ++g_record.versionQueries;
    g_record.version = version;
    return version;
}

FARPROC WINAPI ProbeGetProcAddress(HMODULE module, LPCSTR name)
{
    // A name, not an ordinal.
    if (HIWORD(reinterpret_cast<ULONG_PTR>(name)) != 0 &&
        std::find(g_record.lookedUp.begin(), g_record.lookedUp.end(), name) == g_record.lookedUp.end())
        g_record.lookedUp.emplace_back(name);
    return Original<decltype(&::GetProcAddress)>(kGetProcAddress)(module, name);
}

HANDLE WINAPI ProbeCreateFileA(LPCSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security, DWORD disposition,
                               DWORD flags, HANDLE templateFile)
{
    Count(kCreateFileA);
    return Original<decltype(&::CreateFileA)>(kCreateFileA)(name, access, share, security, disposition, flags,
                                                             templateFile);
}

DWORD WINAPI ProbeGetFileAttributesA(LPCSTR name)
{
    Count(kGetFileAttributesA);
    return Original<decltype(&::GetFileAttributesA)>(kGetFileAttributesA)(name);
}

HANDLE WINAPI ProbeFindFirstFileA(LPCSTR pattern, LPWIN32_FIND_DATAA found)
{
    Count(kFindFirstFileA);
    return Original<decltype(&::FindFirstFileA)>(kFindFirstFileA)(pattern, found);
}

std::FILE* __cdecl ProbeFopen(const char* name, const char* mode)
{
    Count(kFopen);
    return Original<decltype(&std::fopen)>(kFopen)(name, mode);
}

bool Replace(void** slot, void* with, void** was)
{
    DWORD protection = 0;
    if (!::VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection))
        return false;
    if (was != nullptr)
        *was = *slot;
    *slot = with;
    ::VirtualProtect(slot, sizeof *slot, protection, &protection);
    return true;
}

}  // namespace

ImportProbe::ImportProbe(HMODULE module)
{
    g_record = ImportRecord{};
    auto* base = reinterpret_cast<BYTE*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (directory.VirtualAddress == 0)
        return;
    for (auto* import = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress); import->Name != 0;
         ++import) {
        const char* dll = reinterpret_cast<const char*>(base + import->Name);
        // The names stay in the lookup table; the loader overwrote the address table.
        const auto* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + import->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + import->FirstThunk);
        for (; import->OriginalFirstThunk != 0 && names->u1.AddressOfData != 0; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            for (Watch& watch : g_watches) {
                if (::lstrcmpiA(dll, watch.dll) != 0 || std::strcmp(byName->Name, watch.name) != 0)
                    continue;
                auto** slot = reinterpret_cast<void**>(&slots->u1.Function);
                if (Replace(slot, watch.probe, &watch.original))
                    m_patches.push_back(Patch{slot, watch.original});
            }
        }
    }
}

ImportProbe::~ImportProbe()
{
    for (const Patch& patch : m_patches)
        Replace(patch.slot, patch.original, nullptr);
}

bool ImportProbe::Complete() const
{
    return m_patches.size() == kWatched;
}

const ImportRecord& ImportProbe::Record() const
{
    return g_record;
}

bool IsWideName(const std::string& name)
{
    return (name.size() > 1 && name.back() == 'W') || name.rfind("_w", 0) == 0;
}

std::string Describe(const ImportRecord& record)
{
    std::ostringstream text;
    text << "GetVersion asked " << record.versionQueries << " times (0x" << std::hex << record.version << std::dec
         << "); looked up:";
    for (const std::string& name : record.lookedUp)
        text << ' ' << name;
    text << "; called:";
    for (const auto& [name, count] : record.calls)
        text << ' ' << name << " x" << count;
    return text.str();
}

}  // namespace scenario
