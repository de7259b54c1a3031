#include "platform/ui/CWnd.h"
#include "platform/qt/HwndWidget.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CDC.h"
#include "platform/ui/CDialog.h"
#include "platform/qt/ActivationKeeper.h"
#include "platform/qt/DialogWindow.h"
#include "platform/qt/EditWidget.h"
#include "platform/qt/FramePlacement.h"
#include "platform/qt/GroupBoxWidget.h"
#include "platform/qt/InputBlocker.h"
#include "platform/qt/LabelWidget.h"
#include "platform/qt/ResourceImages.h"
#include "platform/qt/StaticBase.h"
#include "platform/qt/TempWindows.h"
#include "platform/qt/TextConvert.h"
#include "platform/qt/WaylandStacking.h"
#include "platform/qt/WindowFace.h"
#include "platform/qt/WindowStacking.h"
#include "platform/qt/WindowSystem.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QWidget>

namespace platform {

using detail::DialogWindow;

struct CWnd::Impl {
    QPointer<QWidget> widget;
    std::unique_ptr<CDC> dc;
};

namespace {

// The client area of a widget in its own coordinates (edges, a drawn frame
// and caption left out).
QRect ClientRectOf(const QWidget* w)
{
    if (const auto* window = dynamic_cast<const DialogWindow*>(w))
        return window->ClientArea();
    const detail::WindowFace* face = detail::FaceOf(w);
    return face != nullptr ? face->ClientArea() : w->rect();
}

QPoint ToQPoint(const POINT& p)
{
    return QPoint(p.x, p.y);
}

}  // namespace

CWnd::CWnd() : m_impl(std::make_unique<Impl>()) {}

CWnd::~CWnd() = default;

BOOL CWnd::Attach(HWND hwnd)
{
    m_impl->dc.reset();
    m_impl->widget = WidgetFromHwnd(hwnd);
    return hwnd != nullptr ? TRUE : FALSE;
}

HWND CWnd::Detach()
{
    const HWND hwnd = GetSafeHwnd();
    m_impl->dc.reset();
    m_impl->widget = nullptr;
    return hwnd;
}

HWND CWnd::GetSafeHwnd() const
{
    return HwndFromWidget(m_impl->widget.data());
}

CWnd* CWnd::FromHandle(HWND hwnd)
{
    auto* widget = reinterpret_cast<QWidget*>(hwnd);
    if (widget == nullptr) {
        return nullptr;
    }
    if (auto* window = dynamic_cast<DialogWindow*>(widget); window != nullptr && window->Dialog() != nullptr) {
        return window->Dialog();
    }
    if (DialogWindow* window = detail::WindowContaining(widget)) {
        if (detail::ControlRecord* record = window->FindControl(widget); record != nullptr && record->widget == widget) {
            return record->wrapper.get();
        }
    }
    return detail::TemporaryWrapper(widget);
}

BOOL CWnd::IsWindow() const
{
    return WidgetOf(this) != nullptr ? TRUE : FALSE;
}

CWnd* CWnd::GetDlgItem(int id) const
{
    DialogWindow* window = detail::WindowOf(this);
    detail::ControlRecord* record = window != nullptr ? window->FindControl(id) : nullptr;
    return record != nullptr ? record->wrapper.get() : nullptr;
}

int CWnd::GetDlgCtrlID() const
{
    QWidget* w = WidgetOf(this);
    DialogWindow* window = detail::WindowContaining(w);
    if (window == nullptr || window == w) {
        return 0;
    }
    detail::ControlRecord* record = window->FindControl(w);
    return record != nullptr && record->widget == w ? record->tpl.id : 0;
}

BOOL CWnd::EnableWindow(BOOL enable)
{
    QWidget* w = WidgetOf(this);
    if (w == nullptr) {
        return FALSE;
    }
    const BOOL wasDisabled = IsWindowEnabled() ? FALSE : TRUE;
    if (w->isWindow()) {
        // A disabled top-level window takes no input but keeps its look.
        if (enable) {
            detail::InputBlocker::Instance().Unblock(w);
        } else {
            detail::InputBlocker::Instance().Block(w);
        }
    } else {
        w->setEnabled(enable != FALSE);
    }
    return wasDisabled;
}

BOOL CWnd::IsWindowEnabled() const
{
    QWidget* w = WidgetOf(this);
    if (w == nullptr) {
        return FALSE;
    }
    if (w->isWindow()) {
        return detail::InputBlocker::Instance().IsBlocked(w) ? FALSE : TRUE;
    }
    return w->isEnabled() ? TRUE : FALSE;
}

void CWnd::SetWindowText(const std::string& text)
{
    QWidget* w = WidgetOf(this);
    if (w == nullptr) {
        return;
    }
    const QString q = detail::ToQString(text);
    if (w->isWindow()) {
        w->setWindowTitle(q);
    } else if (detail::WindowFace* face = detail::FaceOf(w)) {
        face->SetWindowText(q);
    }
}

std::string CWnd::GetWindowText() const
{
    QWidget* w = WidgetOf(this);
    if (w == nullptr) {
        return {};
    }
    QString q;
    if (w->isWindow()) {
        q = w->windowTitle();
    } else if (const detail::WindowFace* face = detail::FaceOf(w)) {
        q = face->WindowText();
    }
    return detail::FromQString(q);
}

int CWnd::GetWindowTextLength() const
{
    return static_cast<int>(GetWindowText().size());
}

void CWnd::SetDlgItemText(int id, const std::string& text)
{
    if (CWnd* item = GetDlgItem(id)) {
        item->SetWindowText(text);
    }
}

std::string CWnd::GetDlgItemText(int id) const
{
    const CWnd* item = GetDlgItem(id);
    return item != nullptr ? item->GetWindowText() : std::string();
}

void CWnd::CheckDlgButton(int id, UINT check)
{
    if (auto* button = GetDlgItemAs<CButton>(id)) {
        button->SetCheck(static_cast<int>(check));
    }
}

UINT CWnd::IsDlgButtonChecked(int id) const
{
    const auto* button = GetDlgItemAs<CButton>(id);
    return button != nullptr ? static_cast<UINT>(button->GetCheck()) : 0;
}

BOOL CWnd::ShowWindow(int showCommand)
{
    QWidget* w = WidgetOf(this);
    if (w == nullptr) {
        return FALSE;
    }
    const BOOL wasVisible = (w->isWindow() ? w->isVisible() || detail::ShowPending(w) : !w->isHidden()) ? TRUE : FALSE;
    switch (showCommand) {
    case SW_HIDE:
        detail::CancelPendingShow(w);
        w->hide();
        break;
    case SW_SHOWMINNOACTIVE:
        if (w->isWindow() && detail::OnWayland()) {
            // Nothing could bring a minimised window back: it goes out of
            // sight until it is shown normally again.
            detail::HideInPlaceOfMinimise(w);
            break;
        }
        [[fallthrough]];
    case SW_SHOWNA: {
        if (showCommand == SW_SHOWNA && w->isWindow() && detail::ShowAboveRunningDialog(w))
            break;
        const bool before = w->testAttribute(Qt::WA_ShowWithoutActivating);
        w->setAttribute(Qt::WA_ShowWithoutActivating, true);
        detail::KeepActivationWhileShowing(w);
        if (showCommand == SW_SHOWMINNOACTIVE && w->isWindow()) {
            w->showMinimized();
        } else {
            w->show();
        }
        w->setAttribute(Qt::WA_ShowWithoutActivating, before);
        break;
    }
    default:
        if (w->isWindow()) {
            w->showNormal();
            detail::RaiseWindow(w);
            w->activateWindow();
        } else {
            w->show();
        }
        break;
    }
    return wasVisible;
}

BOOL CWnd::IsWindowVisible() const
{
    QWidget* w = WidgetOf(this);
    return w != nullptr && (w->isVisible() || detail::ShowPending(w)) ? TRUE : FALSE;
}

BOOL CWnd::IsIconic() const
{
    QWidget* w = WidgetOf(this);
    return w != nullptr && w->isWindow() && w->isMinimized() ? TRUE : FALSE;
}

BOOL CWnd::BringWindowToTop()
{
    QWidget* w = WidgetOf(this);
    if (w == nullptr) {
        return FALSE;
    }
    detail::RaiseWindow(w);
    if (w->isWindow() && w->isVisible()) {
        w->activateWindow();
    }
    return TRUE;
}

CWnd* CWnd::GetOwner() const
{
    const DialogWindow* window = dynamic_cast<DialogWindow*>(WidgetOf(this));
    QWidget* owner = window != nullptr ? window->Owner() : nullptr;
    return owner != nullptr ? FromHandle(reinterpret_cast<HWND>(owner)) : nullptr;
}

CWnd* CWnd::SetFocus()
{
    CWnd* previous = GetFocus();
    if (QWidget* w = WidgetOf(this)) {
        if (w->isWindow()) {
            w->activateWindow();
        }
        w->setFocus(Qt::OtherFocusReason);
    }
    return previous;
}

CWnd* CWnd::GetFocus()
{
    QWidget* focus = QApplication::focusWidget();
    if (focus == nullptr) {
        return nullptr;
    }
    if (DialogWindow* window = detail::WindowContaining(focus)) {
        if (detail::ControlRecord* record = window->FindControl(focus)) {
            return record->wrapper.get();
        }
    }
    return FromHandle(reinterpret_cast<HWND>(focus));
}

void CWnd::GetClientRect(RECT* rect) const
{
    if (rect == nullptr) {
        return;
    }
    const QWidget* w = WidgetOf(this);
    const QRect client = w != nullptr ? ClientRectOf(w) : QRect();
    *rect = RECT{0, 0, std::max(client.width(), 0), std::max(client.height(), 0)};
}

void CWnd::GetWindowRect(RECT* rect) const
{
    if (rect == nullptr) {
        return;
    }
    QWidget* w = WidgetOf(this);
    if (w == nullptr) {
        *rect = RECT{};
        return;
    }
    const QRect r = w->isWindow() ? detail::FrameRect(w) : QRect(w->mapToGlobal(QPoint(0, 0)), w->size());
    *rect = RECT{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

void CWnd::ClientToScreen(POINT* point) const
{
    const QWidget* w = WidgetOf(this);
    if (point == nullptr || w == nullptr) {
        return;
    }
    const QPoint p = w->mapToGlobal(ClientRectOf(w).topLeft() + ToQPoint(*point));
    *point = POINT{p.x(), p.y()};
}

void CWnd::ClientToScreen(RECT* rect) const
{
    if (rect == nullptr) {
        return;
    }
    POINT tl{rect->left, rect->top};
    POINT br{rect->right, rect->bottom};
    ClientToScreen(&tl);
    ClientToScreen(&br);
    *rect = RECT{tl.x, tl.y, br.x, br.y};
}

void CWnd::ScreenToClient(POINT* point) const
{
    const QWidget* w = WidgetOf(this);
    if (point == nullptr || w == nullptr) {
        return;
    }
    const QPoint p = w->mapFromGlobal(ToQPoint(*point)) - ClientRectOf(w).topLeft();
    *point = POINT{p.x(), p.y()};
}

void CWnd::ScreenToClient(RECT* rect) const
{
    if (rect == nullptr) {
        return;
    }
    POINT tl{rect->left, rect->top};
    POINT br{rect->right, rect->bottom};
    ScreenToClient(&tl);
    ScreenToClient(&br);
    *rect = RECT{tl.x, tl.y, br.x, br.y};
}

BOOL CWnd::SetWindowPos(const CWnd* /*insertAfter*/, int x, int y, int cx, int cy, UINT flags)
{
    QWidget* w = WidgetOf(this);
    if (w == nullptr) {
        return FALSE;
    }
    if (!(flags & SWP_NOSIZE)) {
        if (w->isWindow()) {
            // cx, cy include the frame; a dialog keeps a fixed client size.
            const QSize frameExtra = w->frameGeometry().size() - w->size();
            w->setFixedSize(std::max(cx - frameExtra.width(), 0), std::max(cy - frameExtra.height(), 0));
        } else {
            w->resize(std::max(cx, 0), std::max(cy, 0));
        }
    }
    if (!(flags & SWP_NOMOVE)) {
        if (w->isWindow()) {
            detail::MoveFrameTo(w, QPoint(x, y));
        } else {
            // In the parent's client coordinates.
            const auto* parent = dynamic_cast<const DialogWindow*>(w->parentWidget());
            w->move(QPoint(x, y) + (parent != nullptr ? parent->ClientOrigin() : QPoint()));
        }
    }
    if (!(flags & SWP_NOZORDER)) {
        detail::RaiseWindow(w);
    }
    if (!(flags & SWP_NOACTIVATE) && w->isWindow() && w->isVisible()) {
        w->activateWindow();
    }
    return TRUE;
}

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL /*repaint*/)
{
    SetWindowPos(nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWnd::Invalidate(BOOL /*erase*/)
{
    QWidget* w = WidgetOf(this);
    if (w == nullptr) {
        return;
    }
    if (auto* window = dynamic_cast<DialogWindow*>(w)) {
        window->MarkAllDirty();
    } else if (auto* surface = dynamic_cast<detail::SurfaceProvider*>(w)) {
        surface->MarkDirty();
    } else {
        w->update();
    }
}

void CWnd::UpdateWindow()
{
    QWidget* w = WidgetOf(this);
    if (w == nullptr) {
        return;
    }
    if (auto* surface = dynamic_cast<detail::SurfaceProvider*>(w)) {
        surface->RenderIfDirty();
    }
    if (w->isVisible()) {
        w->repaint();
    }
}

BOOL CWnd::SetIcon(int iconResourceId, BOOL /*bigIcon*/)
{
    QWidget* w = WidgetOf(this);
    if (w == nullptr) {
        return FALSE;
    }
    const QIcon icon = detail::LoadIconResource(iconResourceId);
    if (icon.isNull()) {
        return FALSE;
    }
    w->window()->setWindowIcon(icon);
    return TRUE;
}

CDC* CWnd::GetDC()
{
    QWidget* w = WidgetOf(this);
    if (w == nullptr) {
        return nullptr;
    }
    auto* surface = dynamic_cast<detail::SurfaceProvider*>(w);
    if (surface == nullptr) {
        m_impl->dc = std::make_unique<CDC>();
        return m_impl->dc.get();
    }
    surface->RenderIfDirty();
    QPointer<QWidget> guard(w);
    m_impl->dc = std::make_unique<CDC>(&surface->Buffer(), [guard, surface](int x, int y) {
        return guard.isNull() ? CLR_INVALID : surface->ReadShownPixel(x, y);
    });
    return m_impl->dc.get();
}

int CWnd::ReleaseDC(CDC* dc)
{
    if (dc != nullptr && dc == m_impl->dc.get()) {
        m_impl->dc.reset();
        return 1;
    }
    return 0;
}

BOOL CWnd::DestroyWindow()
{
    QWidget* w = WidgetOf(this);
    if (w == nullptr) {
        return FALSE;
    }
    if (!w->isWindow()) {
        // A dialog's control stays with its dialog until the dialog goes.
        w->hide();
        return TRUE;
    }
    w->hide();
    w->deleteLater();
    Detach();
    return TRUE;
}

}  // namespace platform
