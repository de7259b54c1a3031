#pragma once
// The registry behind platform::testing's modal hooks and modal timeout.

#include <functional>

namespace platform {
class CDialog;
}

namespace platform::detail {

using ModalHook = std::function<void(CDialog&)>;

int AddModalHook(int templateId, ModalHook hook);
void RemoveModalHook(int token);
int ModalHookCalls(int token);
// The newest hook for a template id (counting the call), or an empty function.
ModalHook TakeModalHook(int templateId);

void SetModalTimeoutMs(int ms);
int ModalTimeoutMs();

}  // namespace platform::detail
