#pragma once
// The toolkit window of a CDialog: the controls of its template, its
// timers, tooltips and owner-drawn client buffer. It exists from the
// dialog's creation to its destruction and forwards every message to the
// CDialog object through CDialog::Route.

#include "platform/ui/DialogTemplate.h"
#include "platform/ui/MessageEvent.h"
#include "platform/ui/PixelBuffer.h"
#include "platform/qt/ControlRecord.h"
#include "platform/qt/SurfaceProvider.h"

#include <QDialog>
#include <QPointer>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QEventLoop;
class QTimer;

namespace platform {
class CDialog;
}

namespace platform::detail {

class DialogWindow : public QDialog, public SurfaceProvider {
public:
    DialogWindow(CDialog& dialog, const DialogTemplate& tpl);
    ~DialogWindow() override;

    CDialog* Dialog() const { return m_dialog; }
    // The dialog object lets go: no message reaches it any more.
    void Detach() { m_dialog = nullptr; }
    const DialogTemplate& Template() const { return m_template; }

    // Controls, in template (tab and z) order.
    const std::vector<std::unique_ptr<ControlRecord>>& Controls() const { return m_controls; }
    ControlRecord* FindControl(int id) const;
    // The control a widget belongs to (the widget or one of its ancestors).
    ControlRecord* FindControl(const QWidget* widget) const;
    // The group of a control: from the nearest WS_GROUP control at or
    // before it up to the next WS_GROUP control.
    std::vector<ControlRecord*> GroupOf(const ControlRecord& member) const;
    ControlRecord* FirstTabStop() const;
    // Where the focus goes for a control of a radio group: the group's
    // checked button, as the dialog manager does; any other control itself.
    ControlRecord& CheckedRadioOf(ControlRecord& record) const;
    // The topmost visible control with an id whose rectangle holds a client
    // point: what a tooltip is looked up for.
    ControlRecord* ControlAt(const QPoint& clientPoint) const;

    // The client area in the window's coordinates: all of the window, or
    // less the frame and caption it draws itself (DrawnNonClient.h).
    QRect ClientArea() const { return contentsRect(); }
    QPoint ClientOrigin() const { return contentsRect().topLeft(); }

    LRESULT Route(const MessageEvent& event);
    void NotifyCommand(int id, UINT code);
    int DispatchDepth() const { return m_depth; }

    void SetTimer(UINT_PTR id, UINT elapseMs);
    bool KillTimer(UINT_PTR id);
    bool FireTimer(UINT_PTR id);
    std::vector<UINT_PTR> TimerIds() const;
    int TimerInterval(UINT_PTR id) const;
    void KillAllTimers();

    void EnableToolTips(bool enable) { m_toolTips = enable; }
    bool ToolTipsEnabled() const { return m_toolTips; }
    std::optional<std::string> ToolTipFor(const ControlRecord* record);

    void SetLoop(QEventLoop* loop) { m_loop = loop; }
    QEventLoop* Loop() const { return m_loop; }
    void SetOwner(QWidget* owner);
    QWidget* Owner() const { return m_owner; }
    void SetModal(bool modal) { m_modal = modal; }
    bool IsModalRun() const { return m_modal; }
    void SetDestroying() { m_destroying = true; }
    bool IsDestroying() const { return m_destroying; }
    void FinishBuilding() { m_building = false; }

    PixelBuffer& Buffer() override { return m_buffer; }
    void RenderIfDirty() override;
    void MarkDirty() override;
    COLORREF ReadShownPixel(int x, int y) override;
    // Marks this window and every picture control on it.
    void MarkAllDirty();

    void reject() override;
    void accept() override;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildControls();
    void WireControl(ControlRecord& record);
    void OnButtonClicked(ControlRecord& record);
    bool HandleToolTip(const QPoint& globalPos);
    MessageEvent MouseMessage(UINT message, const QMouseEvent& event) const;
    // Mouse messages are the client area's, or any window's that has the capture.
    bool TakesMouseAt(const QPointF& windowPoint) const;
    // The template's controls follow a client area that moved in the window.
    void FollowClientOrigin();

    CDialog* m_dialog;
    DialogTemplate m_template;
    std::vector<std::unique_ptr<ControlRecord>> m_controls;
    std::map<UINT_PTR, QTimer*> m_timers;
    QPoint m_clientOrigin;
    PixelBuffer m_buffer;
    QPointer<QWidget> m_owner;
    QEventLoop* m_loop = nullptr;
    int m_depth = 0;
    bool m_dirty = true;
    bool m_rendering = false;
    bool m_toolTips = false;
    bool m_modal = false;
    bool m_destroying = false;
    bool m_building = true;
};

// The dialog window behind a framework object, or nullptr.
DialogWindow* WindowOf(const CWnd* wnd);
// The dialog window a widget lives in, or nullptr.
DialogWindow* WindowContaining(const QWidget* widget);

}  // namespace platform::detail
