#pragma once
// A dialog built from a template. The C++ object outlives its window: the
// window exists only during DoModal, or from Create to DestroyWindow, so
// dialog objects can be static and can run any number of times.

#include "platform/ui/DialogTemplate.h"
#include "platform/ui/CWnd.h"
#include "platform/ui/MessageMap.h"

#include <optional>

namespace platform {

class CDataExchange;

namespace detail {
class DialogWindow;
}

class CDialog : public CWnd {
public:
    explicit CDialog(const DialogTemplate& dialogTemplate, CWnd* parent = nullptr);
    ~CDialog() override;

    // Runs the dialog modally: creates the window, runs OnInitDialog, shows
    // it and returns what EndDialog gave once the window is gone; -1 when
    // the window cannot be created (no application object, or the dialog
    // is already open). Without a parent, the window active now becomes the
    // owner and is disabled for the run.
    virtual int DoModal();
    // Creates the window modeless, owned by owner (or the parent given at
    // construction); it shows only if the template says WS_VISIBLE.
    virtual BOOL Create(CWnd* owner = nullptr);
    BOOL DestroyWindow() override;
    // Ends a modal run with result; a modeless dialog only hides.
    void EndDialog(int result);

    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    void EnableToolTips(BOOL enable = TRUE);
    // Timers of this dialog's window; they end with the window.
    UINT_PTR SetTimer(UINT_PTR id, UINT elapseMs);
    BOOL KillTimer(UINT_PTR id);
    void GotoDlgCtrl(CWnd* control);

    int GetTemplateId() const { return m_template.id; }
    const DialogTemplate& GetTemplate() const { return m_template; }

protected:
    // Default: UpdateData(FALSE); TRUE puts the focus on the first enabled tab stop.
    virtual BOOL OnInitDialog();
    // Default: UpdateData(TRUE), then EndDialog(IDOK) when that succeeded.
    virtual void OnOK();
    // Default: EndDialog(IDCANCEL). Escape, the close box and IDCANCEL come here.
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange* dx);
    // WM_DESTROY: the window still exists (position readable), timers stop after.
    virtual void OnDestroy();
    // Owner drawing: use CPaintDC(this). The default paints nothing more.
    virtual void OnPaint();
    virtual void OnMouseMove(UINT keyFlags, CPoint point);
    virtual void OnLButtonDown(UINT keyFlags, CPoint point);
    virtual void OnRButtonDown(UINT keyFlags, CPoint point);
    // TRUE: handled, the cursor stays as the dialog set it.
    virtual BOOL OnSetCursor(CWnd* window, UINT hitTest, UINT message);
    virtual void OnTimer(UINT_PTR id);
    virtual void OnActivate(UINT state, CWnd* other, BOOL minimized);
    // TTN_NEEDTEXT: the string id for a control's tooltip, 0 for none.
    virtual UINT OnToolTipStringId(int controlId);
    // The dialog's message map; nullptr when it has none.
    virtual const MessageMapBase* GetMessageMap() const;

private:
    friend class detail::DialogWindow;

    bool CreateWindowFor(HWND owner, bool modal);
    void RunInitDialog();
    void DestroyWindowNow();
    // Routes one message through the message maps: the dialog's own, then
    // the default one, whose entries call the virtual handlers above.
    LRESULT Route(const MessageEvent& event);
    static const MessageMapBase& DefaultMessageMap();
    UINT ResolveToolTip(int controlId);
    detail::DialogWindow* Window() const;

    DialogTemplate m_template;
    CWnd* m_parent;
    int m_result = 0;
    bool m_endRequested = false;
    bool m_inDestructor = false;
};

}  // namespace platform
