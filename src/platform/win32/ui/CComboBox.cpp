#include "platform/WinTypes.h"
#include "platform/ui/CComboBox.h"

#include <cstring>

namespace platform {

namespace {

// Upper case as the ANSI code page has it, so "é" matches "É" as in CB_FINDSTRING.
std::string Upper(std::string text)
{
    if (!text.empty())
        ::CharUpperBuffA(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

}  // namespace

int CComboBox::AddString(const std::string& text)
{
    if (!IsWindow())
        return CB_ERR;
    // CB_ADDSTRING leaves the edit field as it is; the list is unsorted, so
    // the entry goes at the end.
    const LRESULT index = ::SendMessageA(GetSafeHwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    return index < 0 ? CB_ERR : static_cast<int>(index);
}

void CComboBox::ResetContent()
{
    if (IsWindow())
        ::SendMessageA(GetSafeHwnd(), CB_RESETCONTENT, 0, 0);
}

int CComboBox::GetCount() const
{
    return IsWindow() ? static_cast<int>(::SendMessageA(GetSafeHwnd(), CB_GETCOUNT, 0, 0)) : CB_ERR;
}

int CComboBox::GetLBText(int index, std::string& text) const
{
    text.clear();
    if (!IsWindow() || index < 0 || index >= GetCount())
        return CB_ERR;
    const HWND hwnd = GetSafeHwnd();
    const LRESULT length = ::SendMessageA(hwnd, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length < 0)
        return CB_ERR;
    std::string buffer(static_cast<size_t>(length) + 1, '\0');
    const LRESULT copied =
        ::SendMessageA(hwnd, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()));
    if (copied < 0)
        return CB_ERR;
    buffer.resize(std::strlen(buffer.c_str()));
    text = std::move(buffer);
    return static_cast<int>(text.size());
}

std::string CComboBox::GetLBText(int index) const
{
    std::string text;
    GetLBText(index, text);
    return text;
}

int CComboBox::GetCurSel() const
{
    return IsWindow() ? static_cast<int>(::SendMessageA(GetSafeHwnd(), CB_GETCURSEL, 0, 0)) : CB_ERR;
}

int CComboBox::SetCurSel(int index)
{
    // Out of range changes nothing (CB_SETCURSEL would clear the selection).
    if (!IsWindow() || index < -1 || index >= GetCount())
        return CB_ERR;
    // CB_SETCURSEL shows the entry's text in the edit field, or clears it for -1.
    ::SendMessageA(GetSafeHwnd(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    return index;
}

int CComboBox::FindString(int startAfter, const std::string& prefix) const
{
    const int count = GetCount();
    if (count <= 0)
        return CB_ERR;
    const std::string wanted = Upper(prefix);
    const int first = (startAfter < 0 || startAfter >= count) ? 0 : startAfter + 1;
    // The search runs to the end and wraps round to the start.
    for (int n = 0; n < count; ++n) {
        const int i = (first + n) % count;
        const std::string entry = Upper(GetLBText(i));
        if (entry.compare(0, wanted.size(), wanted) == 0 && entry.size() >= wanted.size())
            return i;
    }
    return CB_ERR;
}

int CComboBox::SelectString(int startAfter, const std::string& prefix)
{
    const int index = FindString(startAfter, prefix);
    if (index != CB_ERR)
        SetCurSel(index);
    return index;
}

}  // namespace platform
