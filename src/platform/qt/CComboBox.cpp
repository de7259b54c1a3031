#include "platform/ui/CComboBox.h"
#include "platform/qt/HwndWidget.h"
#include "platform/qt/TextConvert.h"

#include <QComboBox>

namespace platform {

namespace {

QComboBox* ComboOf(const CWnd& wnd)
{
    return qobject_cast<QComboBox*>(WidgetOf(&wnd));
}

}  // namespace

int CComboBox::AddString(const std::string& text)
{
    QComboBox* combo = ComboOf(*this);
    if (combo == nullptr) {
        return CB_ERR;
    }
    // Adding must not change what the edit field shows.
    const QString shown = combo->currentText();
    const int index = combo->currentIndex();
    combo->addItem(detail::ToQString(text));
    if (combo->isEditable() && combo->currentIndex() != index) {
        combo->setCurrentIndex(index);
        combo->setEditText(shown);
    }
    return combo->count() - 1;
}

void CComboBox::ResetContent()
{
    if (QComboBox* combo = ComboOf(*this)) {
        combo->clear();
    }
}

int CComboBox::GetCount() const
{
    const QComboBox* combo = ComboOf(*this);
    return combo != nullptr ? combo->count() : CB_ERR;
}

int CComboBox::GetLBText(int index, std::string& text) const
{
    const QComboBox* combo = ComboOf(*this);
    if (combo == nullptr || index < 0 || index >= combo->count()) {
        text.clear();
        return CB_ERR;
    }
    text = detail::FromQString(combo->itemText(index));
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
    const QComboBox* combo = ComboOf(*this);
    return combo != nullptr ? combo->currentIndex() : CB_ERR;
}

int CComboBox::SetCurSel(int index)
{
    QComboBox* combo = ComboOf(*this);
    if (combo == nullptr || index < -1 || index >= combo->count()) {
        return CB_ERR;
    }
    combo->setCurrentIndex(index);
    if (combo->isEditable()) {
        combo->setEditText(index >= 0 ? combo->itemText(index) : QString());
    }
    return index;
}

int CComboBox::FindString(int startAfter, const std::string& prefix) const
{
    const QComboBox* combo = ComboOf(*this);
    if (combo == nullptr || combo->count() == 0) {
        return CB_ERR;
    }
    const QString wanted = detail::ToQString(prefix);
    const int count = combo->count();
    const int first = (startAfter < 0 || startAfter >= count) ? 0 : startAfter + 1;
    // The search runs to the end and wraps round to the start.
    for (int n = 0; n < count; ++n) {
        const int i = (first + n) % count;
        if (combo->itemText(i).startsWith(wanted, Qt::CaseInsensitive)) {
            return i;
        }
    }
    return CB_ERR;
}

int CComboBox::SelectString(int startAfter, const std::string& prefix)
{
    const int index = FindString(startAfter, prefix);
    if (index != CB_ERR) {
        SetCurSel(index);
    }
    return index;
}

}  // namespace platform
