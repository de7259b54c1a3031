#include "platform/ui/detail/ModalHooks.h"

#include <algorithm>
#include <vector>

namespace platform::detail {

namespace {

struct HookEntry {
    int token;
    int templateId;
    ModalHook hook;
    int calls = 0;
};

std::vector<HookEntry>& Hooks()
{
    static std::vector<HookEntry> hooks;
    return hooks;
}

int g_nextToken = 1;
int g_timeoutMs = 0;

}  // namespace

int AddModalHook(int templateId, ModalHook hook)
{
    Hooks().push_back(HookEntry{g_nextToken, templateId, std::move(hook)});
    return g_nextToken++;
}

void RemoveModalHook(int token)
{
    std::erase_if(Hooks(), [token](const HookEntry& e) { return e.token == token; });
}

int ModalHookCalls(int token)
{
    for (const HookEntry& e : Hooks()) {
        if (e.token == token) {
            return e.calls;
        }
    }
    return 0;
}

ModalHook TakeModalHook(int templateId)
{
    auto& hooks = Hooks();
    for (auto it = hooks.rbegin(); it != hooks.rend(); ++it) {
        if (it->templateId == templateId) {
            ++it->calls;
            return it->hook;
        }
    }
    return {};
}

void SetModalTimeoutMs(int ms)
{
    g_timeoutMs = std::max(ms, 0);
}

int ModalTimeoutMs()
{
    return g_timeoutMs;
}

}  // namespace platform::detail
