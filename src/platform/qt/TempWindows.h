#pragma once
// Framework objects for windows that are neither dialogs nor their
// controls (FromHandle on a foreign window): kept until the window goes or
// the framework ends.

class QWidget;

namespace platform {
class CWnd;
}

namespace platform::detail {

CWnd* TemporaryWrapper(QWidget* widget);
void ClearTemporaryWrappers();

}  // namespace platform::detail
