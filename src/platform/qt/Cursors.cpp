#include "platform/ui/Cursors.h"

#include "platform/modres/ModuleResources.h"
#include "platform/qt/CursorRegistry.h"
#include "platform/ui/ProgramCursor.h"

#include <QGuiApplication>

namespace platform {
namespace {

bool g_overridePushed = false;  // one entry of Qt's override stack is ours

}  // namespace

// Puts the cursor in effect on screen through one entry of the application's
// override cursor stack, which wins over every widget's own cursor.
void detail::ShowProgramCursor()
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return;
    const HCURSOR wanted = ProgramCursorOnScreen();
    if (!wanted) {
        if (g_overridePushed)
            QGuiApplication::restoreOverrideCursor();
        g_overridePushed = false;
        return;
    }
    const QCursor cursor = CursorRegistry::Instance().QtCursor(wanted);
    if (g_overridePushed)
        QGuiApplication::changeOverrideCursor(cursor);
    else
        QGuiApplication::setOverrideCursor(cursor);
    g_overridePushed = true;
}

bool detail::OwnsCursor(HCURSOR cursor)
{
    return CursorRegistry::Instance().Owns(cursor);
}

HCURSOR detail::StandardCursor(int id)
{
    return CursorRegistry::Instance().Standard(id);
}

HCURSOR LoadCursorA(int resourceId)
{
    if (resourceId == IDC_ARROW || resourceId == IDC_WAIT)
        return CursorRegistry::Instance().Standard(resourceId);
    const auto bytes = FindResourceData(ResourceType::Cursor, resourceId);
    if (bytes.empty())
        return nullptr;
    return CursorRegistry::Instance().FromResource(resourceId, bytes);
}

std::optional<CursorInfo> DescribeCursor(HCURSOR cursor)
{
    return CursorRegistry::Instance().Describe(cursor);
}

}  // namespace platform
