// The data exchanges that need nothing of a back end: text, numbers, check
// boxes and combo boxes through the controls' own calls. DDX_Control and
// DDX_Radio, which reach into the windows, are each back end's.

#include "platform/ui/Ddx.h"

#include "platform/ui/CButton.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CWnd.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>

namespace platform {

namespace {

// An optionally signed decimal number with blanks or tabs around it.
bool ParseInteger(const std::string& text, long long low, long long high, long long& out)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    std::size_t end = text.size();
    while (end > i && (text[end - 1] == ' ' || text[end - 1] == '\t'))
        --end;
    std::size_t digits = i;
    if (digits < end && (text[digits] == '-' || text[digits] == '+'))
        ++digits;
    if (digits == end)
        return false;
    for (std::size_t k = digits; k < end; ++k) {
        if (text[k] < '0' || text[k] > '9')
            return false;
    }
    errno = 0;
    const std::string number = text.substr(i, end - i);
    const long long value = std::strtoll(number.c_str(), nullptr, 10);
    if (errno == ERANGE || value < low || value > high)
        return false;
    out = value;
    return true;
}

// Shows the number, or reads it back; text that is not a number in
// [low, high] fails the exchange and leaves the value.
template <typename Integer>
void ExchangeInteger(CDataExchange* dx, int id, Integer& value, long long low, long long high)
{
    if (dx == nullptr || dx->Failed())
        return;
    CWnd* item = dx->PrepareCtrl(id);
    if (item == nullptr)
        return;
    if (!dx->m_bSaveAndValidate) {
        item->SetWindowText(std::to_string(value));
        return;
    }
    long long parsed = 0;
    if (!ParseInteger(item->GetWindowText(), low, high, parsed)) {
        dx->Fail();
        return;
    }
    value = static_cast<Integer>(parsed);
}

}  // namespace

void DDX_Text(CDataExchange* dx, int id, std::string& value)
{
    if (dx == nullptr || dx->Failed())
        return;
    CWnd* item = dx->PrepareCtrl(id);
    if (item == nullptr)
        return;
    if (dx->m_bSaveAndValidate)
        value = item->GetWindowText();
    else
        item->SetWindowText(value);
}

void DDX_Text(CDataExchange* dx, int id, int& value)
{
    ExchangeInteger(dx, id, value, INT_MIN, INT_MAX);
}

void DDX_Text(CDataExchange* dx, int id, UINT& value)
{
    ExchangeInteger(dx, id, value, 0, UINT_MAX);
}

void DDX_Check(CDataExchange* dx, int id, int& value)
{
    if (dx == nullptr || dx->Failed())
        return;
    auto* button = dynamic_cast<CButton*>(dx->PrepareCtrl(id));
    if (button == nullptr)
        return;
    if (dx->m_bSaveAndValidate)
        value = button->GetCheck();
    else
        button->SetCheck(value);
}

void DDX_CBString(CDataExchange* dx, int id, std::string& value)
{
    if (dx == nullptr || dx->Failed())
        return;
    auto* combo = dynamic_cast<CComboBox*>(dx->PrepareCtrl(id));
    if (combo == nullptr)
        return;
    if (dx->m_bSaveAndValidate)
        value = combo->GetWindowText();
    else if (combo->SelectString(-1, value) == CB_ERR)
        combo->SetWindowText(value);
}

}  // namespace platform
