#include "platform/ui/CMenu.h"
#include "platform/qt/HwndWidget.h"
#include "platform/qt/PopupMenuHook.h"
#include "platform/ui/CWnd.h"
#include "platform/qt/DialogWindow.h"

#include <QAction>
#include <QMenu>
#include <QPointer>

#include <utility>

namespace platform {

namespace {

detail::PopupMenuChooser& Chooser()
{
    static detail::PopupMenuChooser chooser;
    return chooser;
}

bool Choosable(const std::vector<MenuItem>& items, UINT_PTR id)
{
    for (const MenuItem& item : items) {
        if (item.id == id && !(item.flags & (MF_GRAYED | MF_SEPARATOR))) {
            return true;
        }
    }
    return false;
}

UINT_PTR ShowMenu(const std::vector<MenuItem>& items, int x, int y, QWidget* owner)
{
    QMenu menu(owner);
    for (const MenuItem& item : items) {
        if (item.flags & MF_SEPARATOR) {
            menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(QString::fromStdString(item.text));
        action->setData(QVariant::fromValue<qulonglong>(item.id));
        action->setEnabled(!(item.flags & MF_GRAYED));
    }
    QAction* chosen = menu.exec(QPoint(x, y));
    return chosen != nullptr ? static_cast<UINT_PTR>(chosen->data().toULongLong()) : 0;
}

}  // namespace

namespace detail {

PopupMenuChooser SetPopupMenuChooser(PopupMenuChooser chooser)
{
    return std::exchange(Chooser(), std::move(chooser));
}

}  // namespace detail

BOOL CMenu::CreatePopupMenu()
{
    if (m_created) {
        return FALSE;
    }
    m_created = true;
    m_items.clear();
    return TRUE;
}

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR id, const std::string& text)
{
    if (!m_created) {
        return FALSE;
    }
    m_items.push_back(MenuItem{flags, (flags & MF_SEPARATOR) ? 0 : id, (flags & MF_SEPARATOR) ? std::string() : text});
    return TRUE;
}

int CMenu::GetMenuItemCount() const
{
    return m_created ? static_cast<int>(m_items.size()) : -1;
}

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner)
{
    if (!m_created || owner == nullptr || WidgetOf(owner) == nullptr) {
        return FALSE;
    }
    QPointer<QWidget> ownerWidget(WidgetOf(owner)->window());
    UINT_PTR chosen = Chooser() ? Chooser()(m_items) : ShowMenu(m_items, x, y, ownerWidget);
    if (!Choosable(m_items, chosen)) {
        chosen = 0;
    }
    if (flags & TPM_RETURNCMD) {
        return static_cast<BOOL>(chosen);
    }
    // The owner may have gone while the menu was open.
    auto* window = dynamic_cast<detail::DialogWindow*>(ownerWidget.data());
    if (chosen != 0 && window != nullptr) {
        window->NotifyCommand(static_cast<int>(chosen), 0);
    }
    return TRUE;
}

}  // namespace platform
