#include "platform/ui/Cursors.h"

#include "platform/modres/ModuleResources.h"
#include "platform/qt/CursorRegistry.h"
#include "platform/ui/CursorSuspension.h"

#include <QGuiApplication>

namespace platform {
namespace {

struct CursorState {
    HCURSOR current = nullptr;
    int waitDepth = 0;
    int suspendDepth = 0;
    bool overridePushed = false;  // one entry of Qt's override stack is ours
};

CursorState& State()
{
    static CursorState state;
    return state;
}

HCURSOR Effective()
{
    const CursorState& state = State();
    if (state.waitDepth > 0)
        return CursorRegistry::Instance().Standard(IDC_WAIT);
    return state.current;
}

// Puts the cursor in effect on screen through one entry of the application's
// override cursor stack, which wins over every widget's own cursor.
void Apply()
{
    CursorState& state = State();
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return;
    const HCURSOR wanted = state.suspendDepth > 0 ? nullptr : Effective();
    if (!wanted) {
        if (state.overridePushed)
            QGuiApplication::restoreOverrideCursor();
        state.overridePushed = false;
        return;
    }
    const QCursor cursor = CursorRegistry::Instance().QtCursor(wanted);
    if (state.overridePushed)
        QGuiApplication::changeOverrideCursor(cursor);
    else
        QGuiApplication::setOverrideCursor(cursor);
    state.overridePushed = true;
}

}  // namespace

HCURSOR LoadCursorA(int resourceId)
{
    if (resourceId == IDC_ARROW || resourceId == IDC_WAIT)
        return CursorRegistry::Instance().Standard(resourceId);
    const auto bytes = FindResourceData(ResourceType::Cursor, resourceId);
    if (bytes.empty())
        return nullptr;
    return CursorRegistry::Instance().FromResource(resourceId, bytes);
}

HCURSOR SetCursor(HCURSOR cursor)
{
    CursorState& state = State();
    const HCURSOR previous = state.current;
    state.current = CursorRegistry::Instance().Owns(cursor) ? cursor : nullptr;
    if (state.current != previous)
        Apply();
    return previous;
}

HCURSOR GetCursor()
{
    return State().current;
}

void BeginWaitCursor()
{
    if (++State().waitDepth == 1)
        Apply();
}

void EndWaitCursor()
{
    CursorState& state = State();
    if (state.waitDepth == 0)
        return;
    if (--state.waitDepth == 0)
        Apply();
}

HCURSOR ShownCursor()
{
    return Effective();
}

std::optional<CursorInfo> DescribeCursor(HCURSOR cursor)
{
    return CursorRegistry::Instance().Describe(cursor);
}

void SuspendProgramCursor()
{
    if (++State().suspendDepth == 1)
        Apply();
}

void ResumeProgramCursor()
{
    CursorState& state = State();
    if (state.suspendDepth > 0 && --state.suspendDepth == 0)
        Apply();
}

}  // namespace platform
