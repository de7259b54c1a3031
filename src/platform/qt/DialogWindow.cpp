#include "platform/qt/DialogWindow.h"
#include "platform/qt/HwndWidget.h"
#include "platform/ui/ResourceLoading.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/Dlu.h"
#include "platform/ui/MouseCapture.h"
#include "platform/qt/ControlFactory.h"
#include "platform/qt/DialogFont.h"
#include "platform/qt/DrawnNonClient.h"
#include "platform/qt/EdgePainter.h"
#include "platform/qt/EditWidget.h"
#include "platform/qt/LabelWidget.h"
#include "platform/qt/MaximizeRefusal.h"
#include "platform/qt/PictureWidget.h"
#include "platform/qt/TextConvert.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QEventLoop>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QToolTip>

namespace platform::detail {

namespace {

// Windows raises a timer period below 10 ms to 10 ms.
constexpr UINT kMinimumTimerMs = 10;

Qt::WindowFlags FlagsFor(const DialogTemplate& tpl)
{
    Qt::WindowFlags flags = (tpl.exStyle & WS_EX_TOOLWINDOW) ? Qt::Tool : Qt::Dialog;
    flags |= Qt::CustomizeWindowHint;
    if ((tpl.style & WS_CAPTION) == WS_CAPTION) {
        flags |= Qt::WindowTitleHint;
        if (tpl.style & WS_SYSMENU) {
            flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        }
    }
    return DrawnNonClientFlags(flags);
}

bool HasCaption(const DialogTemplate& tpl)
{
    return (tpl.style & WS_CAPTION) == WS_CAPTION;
}

DrawnCaption CaptionFor(const DialogTemplate& tpl)
{
    if (!HasCaption(tpl))
        return DrawnCaption::None;
    return (tpl.exStyle & WS_EX_TOOLWINDOW) ? DrawnCaption::Small : DrawnCaption::Normal;
}

UINT KeyFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    UINT flags = 0;
    if (buttons & Qt::LeftButton) {
        flags |= MK_LBUTTON;
    }
    if (buttons & Qt::RightButton) {
        flags |= MK_RBUTTON;
    }
    if (modifiers & Qt::ShiftModifier) {
        flags |= MK_SHIFT;
    }
    if (modifiers & Qt::ControlModifier) {
        flags |= MK_CONTROL;
    }
    return flags;
}

}  // namespace

DialogWindow::DialogWindow(CDialog& dialog, const DialogTemplate& tpl)
    : QDialog(nullptr, FlagsFor(tpl)), m_dialog(&dialog), m_template(tpl)
{
    RefuseMaximiseOfFixedWindows();
    setAttribute(Qt::WA_QuitOnClose, false);
    setAttribute(Qt::WA_OpaquePaintEvent, true);
    setSizeGripEnabled(false);
    setMouseTracking(true);
    // The caption is the template's alone. The toolkit appends the
    // application's display name (a host may set one) to every title on
    // screen unless that name is empty.
    if (QGuiApplication::applicationDisplayName() != QString()) {
        QGuiApplication::setApplicationDisplayName(QString());
    }
    setWindowTitle(QString::fromUtf8(tpl.caption != nullptr ? tpl.caption : ""));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, ToQColor(kDialogFaceColor));
    pal.setColor(QPalette::Button, ToQColor(kDialogFaceColor));
    setPalette(pal);
    setFont(DialogFont(tpl));
    DrawNonClientArea(this, HasCaption(tpl) || (tpl.style & DS_MODALFRAME), CaptionFor(tpl));
    const QMargins nonClient = contentsMargins();
    setFixedSize(DluToPixelsX(tpl.cx) + nonClient.left() + nonClient.right(),
                 DluToPixelsY(tpl.cy) + nonClient.top() + nonClient.bottom());
    BuildControls();
}

DialogWindow::~DialogWindow()
{
    m_dialog = nullptr;
    KillAllTimers();
}

void DialogWindow::BuildControls()
{
    m_clientOrigin = ClientOrigin();
    for (const ControlTemplate& tpl : m_template.controls) {
        m_controls.push_back(CreateControl(tpl, this));
        m_controls.back()->widget->move(m_controls.back()->widget->pos() + m_clientOrigin);
    }
    // Windows stacks the first control on top.
    for (auto it = m_controls.rbegin(); it != m_controls.rend(); ++it) {
        (*it)->widget->raise();
    }
    QWidget* previous = nullptr;
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        ControlRecord& record = *m_controls[i];
        WireControl(record);
        if (record.widget->focusPolicy() != Qt::NoFocus) {
            if (previous != nullptr) {
                QWidget::setTabOrder(previous, record.widget);
            }
            previous = record.widget;
        }
        // A text static's mnemonic focuses the next control that can take the focus.
        if (auto* label = dynamic_cast<LabelWidget*>(record.widget)) {
            for (std::size_t j = i + 1; j < m_controls.size(); ++j) {
                if (m_controls[j]->widget->focusPolicy() != Qt::NoFocus) {
                    label->SetMnemonicTarget(m_controls[j]->widget);
                    break;
                }
            }
        }
    }
    for (QWidget* child : findChildren<QWidget*>()) {
        child->installEventFilter(this);
    }
}

void DialogWindow::WireControl(ControlRecord& record)
{
    ControlRecord* r = &record;
    if (auto* button = qobject_cast<QAbstractButton*>(record.widget)) {
        connect(button, &QAbstractButton::clicked, this, [this, r] { OnButtonClicked(*r); });
    } else if (auto* edit = dynamic_cast<EditWidget*>(record.widget)) {
        connect(edit, &QLineEdit::textChanged, this, [this, r] {
            if (!m_building) {
                NotifyCommand(r->tpl.id, EN_CHANGE);
            }
        });
    }
}

void DialogWindow::OnButtonClicked(ControlRecord& record)
{
    if (record.IsAutoRadio()) {
        // The clicked button goes down, the other radio buttons of its group up.
        for (ControlRecord* other : GroupOf(record)) {
            if (other->IsAutoRadio()) {
                static_cast<QAbstractButton*>(other->widget)->setChecked(other == &record);
            }
        }
    }
    NotifyCommand(record.tpl.id, BN_CLICKED);
}

ControlRecord* DialogWindow::FindControl(int id) const
{
    for (const auto& record : m_controls) {
        if (record->tpl.id == id) {
            return record.get();
        }
    }
    return nullptr;
}

ControlRecord* DialogWindow::FindControl(const QWidget* widget) const
{
    for (; widget != nullptr && widget != this; widget = widget->parentWidget()) {
        for (const auto& record : m_controls) {
            if (record->widget == widget) {
                return record.get();
            }
        }
    }
    return nullptr;
}

std::vector<ControlRecord*> DialogWindow::GroupOf(const ControlRecord& member) const
{
    std::size_t index = 0;
    while (index < m_controls.size() && m_controls[index].get() != &member) {
        ++index;
    }
    if (index == m_controls.size()) {
        return {};
    }
    std::size_t first = index;
    while (first > 0 && !m_controls[first]->StartsGroup()) {
        --first;
    }
    std::vector<ControlRecord*> group{m_controls[first].get()};
    for (std::size_t i = first + 1; i < m_controls.size() && !m_controls[i]->StartsGroup(); ++i) {
        group.push_back(m_controls[i].get());
    }
    return group;
}

ControlRecord* DialogWindow::FirstTabStop() const
{
    for (const auto& record : m_controls) {
        if (record->IsTabStop() && record->widget->isEnabled() && !record->widget->isHidden() &&
            record->widget->focusPolicy() != Qt::NoFocus) {
            return record.get();
        }
    }
    return nullptr;
}

ControlRecord& DialogWindow::CheckedRadioOf(ControlRecord& record) const
{
    if (!record.IsAutoRadio()) {
        return record;
    }
    for (ControlRecord* member : GroupOf(record)) {
        auto* button = static_cast<QAbstractButton*>(member->widget);
        if (member->IsAutoRadio() && button->isChecked() && button->isEnabled() && !button->isHidden()) {
            return *member;
        }
    }
    return record;
}

ControlRecord* DialogWindow::ControlAt(const QPoint& clientPoint) const
{
    for (const auto& record : m_controls) {
        // Controls without an id (IDC_STATIC labels, frames and group boxes)
        // are no tooltip tools: the control beneath is.
        if (!record->HasId()) {
            continue;
        }
        if (!record->widget->isHidden() && record->widget->geometry().contains(clientPoint + ClientOrigin())) {
            return record.get();
        }
    }
    return nullptr;
}

LRESULT DialogWindow::Route(const MessageEvent& event)
{
    if (m_dialog == nullptr || (m_destroying && event.message != WM_DESTROY)) {
        return 0;
    }
    ++m_depth;
    const LRESULT result = m_dialog->Route(event);
    --m_depth;
    return result;
}

void DialogWindow::NotifyCommand(int id, UINT code)
{
    MessageEvent event;
    event.message = WM_COMMAND;
    event.controlId = id;
    event.code = code;
    Route(event);
}

void DialogWindow::SetTimer(UINT_PTR id, UINT elapseMs)
{
    QTimer*& timer = m_timers[id];
    if (timer == nullptr) {
        timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, [this, id] { FireTimer(id); });
    }
    timer->start(static_cast<int>(std::max(elapseMs, kMinimumTimerMs)));
}

bool DialogWindow::KillTimer(UINT_PTR id)
{
    const auto it = m_timers.find(id);
    if (it == m_timers.end()) {
        return false;
    }
    it->second->stop();
    it->second->deleteLater();
    m_timers.erase(it);
    return true;
}

bool DialogWindow::FireTimer(UINT_PTR id)
{
    if (m_timers.find(id) == m_timers.end()) {
        return false;
    }
    MessageEvent event;
    event.message = WM_TIMER;
    event.timerId = id;
    Route(event);
    return true;
}

std::vector<UINT_PTR> DialogWindow::TimerIds() const
{
    std::vector<UINT_PTR> ids;
    for (const auto& [id, timer] : m_timers) {
        ids.push_back(id);
    }
    return ids;
}

int DialogWindow::TimerInterval(UINT_PTR id) const
{
    const auto it = m_timers.find(id);
    return it == m_timers.end() ? -1 : it->second->interval();
}

void DialogWindow::KillAllTimers()
{
    for (auto& [id, timer] : m_timers) {
        timer->stop();
        delete timer;
    }
    m_timers.clear();
}

std::optional<std::string> DialogWindow::ToolTipFor(const ControlRecord* record)
{
    if (!m_toolTips || record == nullptr || m_dialog == nullptr) {
        return std::nullopt;
    }
    ++m_depth;
    const UINT stringId = m_dialog->ResolveToolTip(record->tpl.id);
    --m_depth;
    if (stringId == 0) {
        return std::nullopt;
    }
    return LoadStringA(stringId);
}

bool DialogWindow::HandleToolTip(const QPoint& globalPos)
{
    const ControlRecord* record = ControlAt(mapFromGlobal(globalPos) - ClientOrigin());
    const std::optional<std::string> text = ToolTipFor(record);
    if (text && !text->empty()) {
        QToolTip::showText(globalPos, ToQString(*text), record->widget);
    } else {
        QToolTip::hideText();
    }
    return true;
}

void DialogWindow::SetOwner(QWidget* owner)
{
    m_owner = owner;
}

void DialogWindow::MarkDirty()
{
    m_dirty = true;
    update();
}

void DialogWindow::MarkAllDirty()
{
    MarkDirty();
    for (const auto& record : m_controls) {
        if (auto* surface = dynamic_cast<SurfaceProvider*>(record->widget)) {
            surface->MarkDirty();
        }
    }
}

void DialogWindow::RenderIfDirty()
{
    const int w = ClientArea().width();
    const int h = ClientArea().height();
    const bool resized = m_buffer.Width() != w || m_buffer.Height() != h;
    if ((!m_dirty && !resized) || m_rendering) {
        return;
    }
    m_rendering = true;
    m_dirty = false;
    if (resized) {
        m_buffer.Reset(w, h, kDialogFaceColor);
    } else {
        m_buffer.Fill(kDialogFaceColor);
    }
    MessageEvent event;
    event.message = WM_PAINT;
    Route(event);
    m_rendering = false;
}

COLORREF DialogWindow::ReadShownPixel(int x, int y)
{
    if (x < 0 || y < 0 || x >= ClientArea().width() || y >= ClientArea().height()) {
        return CLR_INVALID;
    }
    const QPoint inWindow = QPoint(x, y) + ClientOrigin();
    for (const auto& record : m_controls) {
        auto* picture = dynamic_cast<PictureWidget*>(record->widget);
        if (picture == nullptr || picture->isHidden() || !picture->geometry().contains(inWindow)) {
            continue;
        }
        const QPoint inWidget = inWindow - picture->pos();
        const QRect client = picture->ClientRect();
        if (client.contains(inWidget)) {
            return picture->ReadShownPixel(inWidget.x() - client.left(), inWidget.y() - client.top());
        }
    }
    RenderIfDirty();
    return m_buffer.GetPixel(x, y);
}

void DialogWindow::reject()
{
    NotifyCommand(IDCANCEL, BN_CLICKED);
}

void DialogWindow::accept()
{
    NotifyCommand(IDOK, BN_CLICKED);
}

bool DialogWindow::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate: {
        MessageEvent message;
        message.message = WM_ACTIVATE;
        message.state = event->type() == QEvent::WindowActivate ? WA_ACTIVE : WA_INACTIVE;
        message.minimized = isMinimized() ? TRUE : FALSE;
        Route(message);
        break;
    }
    case QEvent::ToolTip:
        return HandleToolTip(static_cast<QHelpEvent*>(event)->globalPos());
    case QEvent::ContentsRectChange:
        FollowClientOrigin();
        break;
    default:
        break;
    }
    ++m_depth;
    const bool handled = QDialog::event(event);
    --m_depth;
    return handled;
}

bool DialogWindow::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ToolTip:
        return HandleToolTip(static_cast<QHelpEvent*>(event)->globalPos());
    case QEvent::FocusIn:
    case QEvent::FocusOut: {
        if (m_building || m_destroying) {
            break;
        }
        auto* edit = dynamic_cast<EditWidget*>(watched);
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (edit == nullptr || reason == Qt::PopupFocusReason) {
            break;
        }
        if (const ControlRecord* record = FindControl(edit)) {
            NotifyCommand(record->tpl.id, event->type() == QEvent::FocusIn ? EN_SETFOCUS : EN_KILLFOCUS);
        }
        break;
    }
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void DialogWindow::paintEvent(QPaintEvent*)
{
    RenderIfDirty();
    QPainter painter(this);
    if (ClientArea() != rect()) {
        // Under the frame and caption the window draws itself.
        painter.fillRect(rect(), ToQColor(kDialogFaceColor));
    }
    if (m_buffer.Width() > 0 && m_buffer.Height() > 0) {
        const QImage image(reinterpret_cast<const uchar*>(m_buffer.Data()), m_buffer.Width(), m_buffer.Height(),
                           m_buffer.Width() * 4, QImage::Format_RGB32);
        painter.drawImage(ClientOrigin(), image);
    }
}

MessageEvent DialogWindow::MouseMessage(UINT message, const QMouseEvent& event) const
{
    MessageEvent m;
    m.message = message;
    const QPoint p = event.position().toPoint() - ClientOrigin();
    m.point = CPoint(p.x(), p.y());
    m.keyFlags = KeyFlags(event.buttons(), event.modifiers());
    return m;
}

bool DialogWindow::TakesMouseAt(const QPointF& windowPoint) const
{
    const HWND self = HwndFromWidget(const_cast<DialogWindow*>(this));
    return ClientArea().contains(windowPoint.toPoint()) || GetCapture() == self;
}

void DialogWindow::FollowClientOrigin()
{
    const QPoint moved = ClientOrigin() - m_clientOrigin;
    m_clientOrigin = ClientOrigin();
    if (moved.isNull())
        return;
    for (const auto& record : m_controls)
        record->widget->move(record->widget->pos() + moved);
    MarkDirty();
}

void DialogWindow::mouseMoveEvent(QMouseEvent* event)
{
    if (!TakesMouseAt(event->position()))
        return;
    MessageEvent cursor;
    cursor.message = WM_SETCURSOR;
    cursor.window = m_dialog;
    cursor.hitTest = HTCLIENT;
    cursor.mouseMessage = WM_MOUSEMOVE;
    Route(cursor);
    Route(MouseMessage(WM_MOUSEMOVE, *event));
}

void DialogWindow::mousePressEvent(QMouseEvent* event)
{
    if (!TakesMouseAt(event->position()))
        return;
    if (event->button() == Qt::LeftButton) {
        Route(MouseMessage(WM_LBUTTONDOWN, *event));
    } else if (event->button() == Qt::RightButton) {
        Route(MouseMessage(WM_RBUTTONDOWN, *event));
    }
}

void DialogWindow::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second click stays a button-down, as for a window class without
    // double clicks; WM_LBUTTONDBLCLK follows for those that want it.
    if (!TakesMouseAt(event->position()))
        return;
    mousePressEvent(event);
    if (event->button() == Qt::LeftButton) {
        Route(MouseMessage(WM_LBUTTONDBLCLK, *event));
    }
}

void DialogWindow::contextMenuEvent(QContextMenuEvent* event)
{
    // The window under the cursor, as WM_CONTEXTMENU names it: a control
    // (statics that let the mouse through included) or the dialog.
    MessageEvent message;
    message.message = WM_CONTEXTMENU;
    const QPoint clientPoint = mapFromGlobal(event->globalPos()) - ClientOrigin();
    const ControlRecord* record = ControlAt(clientPoint);
    message.window = record != nullptr ? record->wrapper.get() : static_cast<CWnd*>(m_dialog);
    message.point = CPoint(event->globalPos().x(), event->globalPos().y());
    Route(message);
}

void DialogWindow::closeEvent(QCloseEvent* event)
{
    // The close box is the cancel path; the window goes only when the
    // dialog object destroys it.
    event->ignore();
    if (!m_destroying) {
        NotifyCommand(IDCANCEL, BN_CLICKED);
    }
}

void DialogWindow::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        if (event->modifiers() == Qt::NoModifier) {
            NotifyCommand(IDCANCEL, BN_CLICKED);
            return;
        }
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        // A focused push button is the default one; otherwise the template's
        // default button; without one, IDOK.
        if (auto* focused = qobject_cast<QPushButton*>(focusWidget()); focused != nullptr && !focused->isCheckable()) {
            if (focused->isEnabled()) {
                focused->click();
            }
            return;
        }
        for (const auto& record : m_controls) {
            auto* push = qobject_cast<QPushButton*>(record->widget);
            if (push != nullptr && push->isDefault() && !push->isHidden()) {
                if (push->isEnabled()) {
                    push->click();
                }
                return;
            }
        }
        NotifyCommand(IDOK, BN_CLICKED);
        return;
    }
    default:
        break;
    }
    QDialog::keyPressEvent(event);
}

DialogWindow* WindowOf(const CWnd* wnd)
{
    return wnd != nullptr ? dynamic_cast<DialogWindow*>(WidgetOf(wnd)) : nullptr;
}

DialogWindow* WindowContaining(const QWidget* widget)
{
    return widget != nullptr ? dynamic_cast<DialogWindow*>(widget->window()) : nullptr;
}

}  // namespace platform::detail
