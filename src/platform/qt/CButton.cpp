#include "platform/ui/CButton.h"
#include "platform/qt/HwndWidget.h"
#include "platform/qt/ButtonWidget.h"
#include "platform/qt/PictureConvert.h"

#include "logo/Picture.h"

#include <QAbstractButton>
#include <QPixmap>

namespace platform {

namespace {

QAbstractButton* ButtonOf(const CWnd& wnd)
{
    return qobject_cast<QAbstractButton*>(WidgetOf(&wnd));
}

}  // namespace

void CButton::SetCheck(int check)
{
    QAbstractButton* button = ButtonOf(*this);
    if (button != nullptr && button->isCheckable()) {
        button->setChecked(check == BST_CHECKED);
    }
}

int CButton::GetCheck() const
{
    const QAbstractButton* button = ButtonOf(*this);
    return button != nullptr && button->isCheckable() && button->isChecked() ? BST_CHECKED : BST_UNCHECKED;
}

void CButton::SetState(BOOL pushed)
{
    if (QAbstractButton* button = ButtonOf(*this)) {
        button->setDown(pushed != FALSE);
    }
}

void CButton::SetBitmap(const logo::Picture& picture)
{
    if (auto* button = dynamic_cast<detail::ButtonWidget*>(WidgetOf(this))) {
        button->SetFace(QPixmap::fromImage(detail::PictureToImage(picture)));
    }
}

void CButton::Click()
{
    QAbstractButton* button = ButtonOf(*this);
    if (button != nullptr && button->isEnabled() && !button->isHidden()) {
        button->click();
    }
}

}  // namespace platform
