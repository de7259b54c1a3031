#pragma once
// Message maps: one static table per dialog class that routes commands,
// notifications and window messages to member functions. Build a table
// with MakeMessageMap and the small helpers below, inside the dialog's
// GetMessageMap override (which has access to the handlers):
//
//   const platform::MessageMapBase* CMyDlg::GetMessageMap() const
//   {
//       static constexpr auto map = platform::MakeMessageMap<CMyDlg>(
//           platform::OnBnClicked(IDC_BROWSE, &CMyDlg::OnBrowse),
//           platform::OnEnChange(IDC_RED, &CMyDlg::OnFieldChange),
//           platform::OnWmTimer(&CMyDlg::OnTimer),
//           platform::ToolTipString(IDC_BROWSE, IDS_TIP_BROWSE));
//       return &map;
//   }
//
// The first matching entry handles a message; messages no entry handles go
// on to CDialog's own map, whose entries call the dialog's virtuals
// (OnTimer, OnPaint, OnOK for IDOK, ...). Every message takes this one path.

#include "platform/ui/CPoint.h"
#include "platform/ui/MessageEvent.h"
#include "platform/ui/UiConstants.h"

#include <array>
#include <cstddef>
#include <type_traits>

namespace platform {

class CDialog;
class CWnd;

// A tooltip answer as plain data: control id -> string table id.
struct ToolTipStringEntry {
    int controlId;
    UINT stringId;
};

constexpr ToolTipStringEntry ToolTipString(int controlId, UINT stringId) { return {controlId, stringId}; }

template <class T>
struct MessageMapEntry {
    UINT message = 0;  // WM_NOTIFY marks a tooltip entry
    int id = 0;
    UINT code = 0;
    UINT stringId = 0;
    void (T::*onVoid)() = nullptr;
    void (T::*onTimer)(UINT_PTR) = nullptr;
    void (T::*onMouse)(UINT, CPoint) = nullptr;
    BOOL (T::*onSetCursor)(CWnd*, UINT, UINT) = nullptr;
    void (T::*onActivate)(UINT, CWnd*, BOOL) = nullptr;
    UINT (T::*onToolTip)(int) = nullptr;
    void (T::*onContextMenu)(CWnd*, CPoint) = nullptr;
    // WM_COMMAND from a menu (code 0) or an accelerator (code 1) alike.
    bool anyCommandSource = false;

    constexpr MessageMapEntry() = default;

    // Entries built for a base class's handlers work in a derived class's map.
    template <class B>
        requires(std::is_base_of_v<B, T> && !std::is_same_v<B, T>)
    constexpr MessageMapEntry(const MessageMapEntry<B>& other)
        : message(other.message),
          id(other.id),
          code(other.code),
          stringId(other.stringId),
          onVoid(other.onVoid),
          onTimer(other.onTimer),
          onMouse(other.onMouse),
          onSetCursor(other.onSetCursor),
          onActivate(other.onActivate),
          onToolTip(other.onToolTip),
          onContextMenu(other.onContextMenu),
          anyCommandSource(other.anyCommandSource)
    {
    }

    constexpr MessageMapEntry(const ToolTipStringEntry& tip) : message(WM_NOTIFY), id(tip.controlId), stringId(tip.stringId) {}
};

template <class B>
constexpr MessageMapEntry<B> OnCommand(int id, UINT code, void (B::*fn)())
{
    MessageMapEntry<B> e;
    e.message = WM_COMMAND;
    e.id = id;
    e.code = code;
    e.onVoid = fn;
    return e;
}

template <class B>
constexpr MessageMapEntry<B> OnBnClicked(int id, void (B::*fn)())
{
    return OnCommand(id, BN_CLICKED, fn);
}

// A menu item or an accelerator key with this command id.
template <class B>
constexpr MessageMapEntry<B> OnMenuCommand(int id, void (B::*fn)())
{
    MessageMapEntry<B> e = OnCommand(id, 0, fn);
    e.anyCommandSource = true;
    return e;
}

template <class B>
constexpr MessageMapEntry<B> OnEnChange(int id, void (B::*fn)())
{
    return OnCommand(id, EN_CHANGE, fn);
}

template <class B>
constexpr MessageMapEntry<B> OnEnKillFocus(int id, void (B::*fn)())
{
    return OnCommand(id, EN_KILLFOCUS, fn);
}

template <class B>
constexpr MessageMapEntry<B> OnWmTimer(void (B::*fn)(UINT_PTR))
{
    MessageMapEntry<B> e;
    e.message = WM_TIMER;
    e.onTimer = fn;
    return e;
}

template <class B>
constexpr MessageMapEntry<B> OnWmPaint(void (B::*fn)())
{
    MessageMapEntry<B> e;
    e.message = WM_PAINT;
    e.onVoid = fn;
    return e;
}

template <class B>
constexpr MessageMapEntry<B> OnWmDestroy(void (B::*fn)())
{
    MessageMapEntry<B> e;
    e.message = WM_DESTROY;
    e.onVoid = fn;
    return e;
}

template <class B>
constexpr MessageMapEntry<B> OnMouseMessage(UINT message, void (B::*fn)(UINT, CPoint))
{
    MessageMapEntry<B> e;
    e.message = message;
    e.onMouse = fn;
    return e;
}

template <class B>
constexpr MessageMapEntry<B> OnWmMouseMove(void (B::*fn)(UINT, CPoint))
{
    return OnMouseMessage(WM_MOUSEMOVE, fn);
}

template <class B>
constexpr MessageMapEntry<B> OnWmLButtonDown(void (B::*fn)(UINT, CPoint))
{
    return OnMouseMessage(WM_LBUTTONDOWN, fn);
}

template <class B>
constexpr MessageMapEntry<B> OnWmLButtonDblClk(void (B::*fn)(UINT, CPoint))
{
    return OnMouseMessage(WM_LBUTTONDBLCLK, fn);
}

// WM_CONTEXTMENU: the window clicked (a control or the dialog) and the
// point in screen coordinates.
template <class B>
constexpr MessageMapEntry<B> OnWmContextMenu(void (B::*fn)(CWnd*, CPoint))
{
    MessageMapEntry<B> e;
    e.message = WM_CONTEXTMENU;
    e.onContextMenu = fn;
    return e;
}

template <class B>
constexpr MessageMapEntry<B> OnWmRButtonDown(void (B::*fn)(UINT, CPoint))
{
    return OnMouseMessage(WM_RBUTTONDOWN, fn);
}

template <class B>
constexpr MessageMapEntry<B> OnWmSetCursor(BOOL (B::*fn)(CWnd*, UINT, UINT))
{
    MessageMapEntry<B> e;
    e.message = WM_SETCURSOR;
    e.onSetCursor = fn;
    return e;
}

template <class B>
constexpr MessageMapEntry<B> OnWmActivate(void (B::*fn)(UINT, CWnd*, BOOL))
{
    MessageMapEntry<B> e;
    e.message = WM_ACTIVATE;
    e.onActivate = fn;
    return e;
}

// The TTN_NEEDTEXT answer as a function: control id -> string id (0: none).
template <class B>
constexpr MessageMapEntry<B> OnToolTipNeedText(UINT (B::*fn)(int))
{
    MessageMapEntry<B> e;
    e.message = WM_NOTIFY;
    e.onToolTip = fn;
    return e;
}

class MessageMapBase {
public:
    // True when an entry handled the message; result is the handler's answer
    // (WM_SETCURSOR: TRUE when handled).
    virtual bool Dispatch(CDialog& dialog, const MessageEvent& event, LRESULT& result) const = 0;
    // The string id of the tooltip for a control; 0 when no entry answers.
    virtual UINT ToolTipStringId(CDialog& dialog, int controlId) const = 0;

protected:
    constexpr MessageMapBase() = default;
    ~MessageMapBase() = default;
};

template <class T, std::size_t N>
class MessageMap final : public MessageMapBase {
public:
    constexpr explicit MessageMap(const std::array<MessageMapEntry<T>, N>& entries) : m_entries(entries) {}

    bool Dispatch(CDialog& dialog, const MessageEvent& event, LRESULT& result) const override
    {
        T& self = static_cast<T&>(dialog);
        for (const MessageMapEntry<T>& e : m_entries) {
            if (e.message != event.message) {
                continue;
            }
            switch (event.message) {
            case WM_COMMAND:
                if (e.id == event.controlId && e.onVoid != nullptr
                    && (e.code == event.code || (e.anyCommandSource && event.code <= 1))) {
                    (self.*e.onVoid)();
                    result = 0;
                    return true;
                }
                break;
            case WM_TIMER:
                if (e.onTimer != nullptr) {
                    (self.*e.onTimer)(event.timerId);
                    result = 0;
                    return true;
                }
                break;
            case WM_PAINT:
            case WM_DESTROY:
                if (e.onVoid != nullptr) {
                    (self.*e.onVoid)();
                    result = 0;
                    return true;
                }
                break;
            case WM_MOUSEMOVE:
            case WM_LBUTTONDOWN:
            case WM_LBUTTONDBLCLK:
            case WM_RBUTTONDOWN:
                if (e.onMouse != nullptr) {
                    (self.*e.onMouse)(event.keyFlags, event.point);
                    result = 0;
                    return true;
                }
                break;
            case WM_SETCURSOR:
                if (e.onSetCursor != nullptr) {
                    result = (self.*e.onSetCursor)(event.window, event.hitTest, event.mouseMessage);
                    return true;
                }
                break;
            case WM_CONTEXTMENU:
                if (e.onContextMenu != nullptr) {
                    (self.*e.onContextMenu)(event.window, event.point);
                    result = 0;
                    return true;
                }
                break;
            case WM_ACTIVATE:
                if (e.onActivate != nullptr) {
                    (self.*e.onActivate)(event.state, event.window, event.minimized);
                    result = 0;
                    return true;
                }
                break;
            default:
                break;
            }
        }
        return false;
    }

    UINT ToolTipStringId(CDialog& dialog, int controlId) const override
    {
        T& self = static_cast<T&>(dialog);
        for (const MessageMapEntry<T>& e : m_entries) {
            if (e.message != WM_NOTIFY) {
                continue;
            }
            if (e.onToolTip != nullptr) {
                if (const UINT id = (self.*e.onToolTip)(controlId); id != 0) {
                    return id;
                }
            } else if (e.id == controlId && e.stringId != 0) {
                return e.stringId;
            }
        }
        return 0;
    }

private:
    std::array<MessageMapEntry<T>, N> m_entries;
};

template <class T, class... Entries>
constexpr MessageMap<T, sizeof...(Entries)> MakeMessageMap(const Entries&... entries)
{
    return MessageMap<T, sizeof...(Entries)>(
        std::array<MessageMapEntry<T>, sizeof...(Entries)>{MessageMapEntry<T>(entries)...});
}

}  // namespace platform
