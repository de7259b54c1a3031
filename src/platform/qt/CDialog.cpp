#include "platform/ui/CDialog.h"
#include "platform/ui/MessageMap.h"
#include "platform/qt/HwndWidget.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CEdit.h"
#include "platform/ui/Dlu.h"
#include "platform/ui/FullScreen.h"
#include "platform/qt/DialogWindow.h"
#include "platform/qt/FramePlacement.h"
#include "platform/qt/InputBlocker.h"
#include "platform/qt/ModalFrame.h"
#include "platform/qt/WaylandStacking.h"
#include "platform/qt/WindowStacking.h"

#include <QApplication>
#include <QEventLoop>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <algorithm>

namespace platform {

using detail::DialogWindow;

namespace {

// Where a new dialog goes: centred in the work area for DS_CENTER,
// otherwise the template position from the owner's client origin (or the
// screen's origin without an owner).
QPoint PlacementFor(const DialogTemplate& tpl, const QSize& size, QWidget* owner)
{
    if (tpl.style & DS_CENTER) {
        QScreen* screen = owner != nullptr ? owner->screen() : QGuiApplication::primaryScreen();
        const QRect area = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 800, 600);
        // Centred with the frame the window system adds, and never above
        // or left of the work area: the caption stays reachable.
        const QSize frame = size + QSize(kUsualFrameWidth, kUsualFrameHeight);
        return QPoint(area.left() + std::max((area.width() - frame.width()) / 2, 0),
                      area.top() + std::max((area.height() - frame.height()) / 2, 0));
    }
    const auto* ownerWindow = dynamic_cast<const DialogWindow*>(owner);
    const QPoint origin = owner != nullptr ? owner->mapToGlobal(ownerWindow != nullptr ? ownerWindow->ClientOrigin()
                                                                                       : QPoint(0, 0))
                                           : QPoint(0, 0);
    return origin + QPoint(DluToPixelsX(tpl.x), DluToPixelsY(tpl.y));
}

}  // namespace

CDialog::CDialog(const DialogTemplate& dialogTemplate, CWnd* parent) : m_template(dialogTemplate), m_parent(parent) {}

CDialog::~CDialog()
{
    // The derived part is gone already: the window ends without messages.
    m_inDestructor = true;
    DestroyWindowNow();
}

DialogWindow* CDialog::Window() const
{
    return detail::WindowOf(this);
}

bool CDialog::CreateWindowFor(HWND ownerHwnd, bool modal)
{
    QWidget* owner = WidgetFromHwnd(ownerHwnd);
    if (Window() != nullptr || qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
        return false;
    }
    m_endRequested = false;
    m_result = -1;
    auto* window = new DialogWindow(*this, m_template);
    window->SetModal(modal);
    Attach(HwndFromWidget(window));
    if (owner != nullptr) {
        window->SetOwner(owner);
        window->winId();
        owner->winId();
        if (window->windowHandle() != nullptr) {
            window->windowHandle()->setTransientParent(owner->windowHandle());
        }
    }
    if ((m_template.style & DS_MODALFRAME) && (m_template.style & WS_CAPTION) != WS_CAPTION) {
        window->winId();
        detail::RequestBorderWithoutTitle(window);
    }
    detail::MoveFrameTo(window, PlacementFor(m_template, window->size(), owner));
    window->FinishBuilding();
    return true;
}

void CDialog::RunInitDialog()
{
    const BOOL focusFirst = OnInitDialog();
    DialogWindow* window = Window();
    if (focusFirst && window != nullptr && !m_endRequested) {
        if (detail::ControlRecord* first = window->FirstTabStop()) {
            window->CheckedRadioOf(*first).widget->setFocus(Qt::TabFocusReason);
        }
    }
}

int CDialog::DoModal()
{
    QWidget* owner = nullptr;
    if (m_parent != nullptr && WidgetOf(m_parent) != nullptr) {
        owner = WidgetOf(m_parent)->window();
    } else {
        owner = detail::ActiveOrMinimisedWindow();
    }
    if (!CreateWindowFor(HwndFromWidget(owner), true)) {
        return -1;
    }
    QPointer<QWidget> ownerGuard(owner);
    detail::InputBlocker& blocker = detail::InputBlocker::Instance();
    const bool blockOwner = owner != nullptr && !blocker.IsBlocked(owner);
    if (blockOwner) {
        blocker.Block(owner);
    }
    RunInitDialog();
    if (DialogWindow* window = Window(); window != nullptr && !m_endRequested) {
        window->show();
        detail::RaiseWindow(window);
        window->activateWindow();
        QEventLoop loop;
        window->SetLoop(&loop);
        loop.exec();
        if (DialogWindow* still = Window()) {
            still->SetLoop(nullptr);
        }
        if (!m_endRequested) {
            m_result = -1;
        }
    }
    if (blockOwner && !ownerGuard.isNull()) {
        blocker.Unblock(ownerGuard);
        if (ownerGuard->isVisible()) {
            ownerGuard->activateWindow();
        }
    }
    DestroyWindowNow();
    return m_result;
}

BOOL CDialog::Create(CWnd* owner)
{
    QWidget* ownerWidget = nullptr;
    if (owner != nullptr && WidgetOf(owner) != nullptr) {
        ownerWidget = WidgetOf(owner)->window();
    } else if (m_parent != nullptr && WidgetOf(m_parent) != nullptr) {
        ownerWidget = WidgetOf(m_parent)->window();
    }
    if (!CreateWindowFor(HwndFromWidget(ownerWidget), false)) {
        return FALSE;
    }
    RunInitDialog();
    DialogWindow* window = Window();
    if (window != nullptr && (m_template.style & WS_VISIBLE)) {
        window->show();
    }
    return window != nullptr ? TRUE : FALSE;
}

BOOL CDialog::DestroyWindow()
{
    if (Window() == nullptr) {
        return FALSE;
    }
    DestroyWindowNow();
    return TRUE;
}

void CDialog::DestroyWindowNow()
{
    DialogWindow* window = Window();
    if (window == nullptr || window->IsDestroying()) {
        return;
    }
    window->SetDestroying();
    if (QEventLoop* loop = window->Loop()) {
        loop->exit(0);
    }
    // As Windows does: hidden first, then WM_DESTROY while the window (and
    // its position) still exists, then gone with its timers.
    window->hide();
    if (!m_inDestructor) {
        MessageEvent event;
        event.message = WM_DESTROY;
        window->Route(event);
    }
    window->KillAllTimers();
    detail::InputBlocker::Instance().Unblock(window);
    Detach();
    window->Detach();
    if (window->DispatchDepth() > 0) {
        // Still inside one of its own messages: it goes when that returns.
        window->deleteLater();
    } else {
        delete window;
    }
}

void CDialog::EndDialog(int result)
{
    m_result = result;
    m_endRequested = true;
    if (DialogWindow* window = Window()) {
        window->hide();
        if (QEventLoop* loop = window->Loop()) {
            loop->exit(0);
        }
    }
}

BOOL CDialog::UpdateData(BOOL saveAndValidate)
{
    if (Window() == nullptr) {
        return FALSE;
    }
    CDataExchange dx(this, saveAndValidate);
    DoDataExchange(&dx);
    return dx.Failed() ? FALSE : TRUE;
}

void CDialog::EnableToolTips(BOOL enable)
{
    if (DialogWindow* window = Window()) {
        window->EnableToolTips(enable != FALSE);
    }
}

UINT_PTR CDialog::SetTimer(UINT_PTR id, UINT elapseMs)
{
    DialogWindow* window = Window();
    if (window == nullptr) {
        return 0;
    }
    window->SetTimer(id, elapseMs);
    return id;
}

BOOL CDialog::KillTimer(UINT_PTR id)
{
    DialogWindow* window = Window();
    return window != nullptr && window->KillTimer(id) ? TRUE : FALSE;
}

void CDialog::GotoDlgCtrl(CWnd* control)
{
    if (control == nullptr) {
        return;
    }
    control->SetFocus();
    if (auto* edit = dynamic_cast<CEdit*>(control)) {
        edit->SetSel(0, -1);
    }
}

void CDialog::OnDestroy()
{
    if (DialogWindow* window = Window()) {
        window->EnableToolTips(false);
    }
}

}  // namespace platform
