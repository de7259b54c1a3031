#include "platform/ui/CEdit.h"
#include "platform/qt/HwndWidget.h"
#include "platform/qt/TextConvert.h"

#include <QLineEdit>

#include <algorithm>
#include <utility>

namespace platform {

namespace {

QLineEdit* EditOf(const CWnd& wnd)
{
    return qobject_cast<QLineEdit*>(WidgetOf(&wnd));
}

}  // namespace

void CEdit::SetSel(int start, int end)
{
    QLineEdit* edit = EditOf(*this);
    if (edit == nullptr) {
        return;
    }
    const int length = static_cast<int>(edit->text().size());
    if (start == -1) {
        edit->deselect();
        return;
    }
    if (end < 0 || end > length) {
        end = length;
    }
    start = std::clamp(start, 0, length);
    if (start > end) {
        std::swap(start, end);
    }
    edit->setSelection(start, end - start);
}

void CEdit::GetSel(int& start, int& end) const
{
    start = 0;
    end = 0;
    if (const QLineEdit* edit = EditOf(*this)) {
        if (edit->hasSelectedText()) {
            start = edit->selectionStart();
            end = edit->selectionEnd();
        } else {
            start = end = edit->cursorPosition();
        }
    }
}

void CEdit::ReplaceSel(const std::string& text)
{
    if (QLineEdit* edit = EditOf(*this)) {
        edit->insert(detail::ToQString(text));
    }
}

}  // namespace platform
