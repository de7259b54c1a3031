#pragma once
// The registry behind platform::testing's modal hooks and modal timeout. It
// watches the application's windows from outside: when a dialog window
// shows for a modal run, the newest hook for its template id runs inside
// that run. The framework itself knows nothing of it.

#include <functional>

namespace platform {
class CDialog;
}

namespace platform::detail {

using ModalHook = std::function<void(CDialog&)>;

int AddModalHook(int templateId, ModalHook hook);
void RemoveModalHook(int token);
int ModalHookCalls(int token);

void SetModalTimeoutMs(int ms);

}  // namespace platform::detail
