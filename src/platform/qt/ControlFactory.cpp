#include "platform/qt/ControlFactory.h"
#include "platform/qt/ChoiceButtons.h"
#include "platform/qt/ComboWidget.h"
#include "platform/qt/HwndWidget.h"
#include "platform/ui/ResourceLoading.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CEdit.h"
#include "platform/ui/CStatic.h"
#include "platform/ui/Dlu.h"
#include "platform/qt/ButtonWidget.h"
#include "platform/qt/EditWidget.h"
#include "platform/qt/FrameWidget.h"
#include "platform/qt/GroupBoxWidget.h"
#include "platform/qt/IconWidget.h"
#include "platform/qt/LabelWidget.h"
#include "platform/qt/PictureWidget.h"
#include "platform/qt/ResourceImages.h"
#include "platform/qt/TextConvert.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

namespace platform::detail {

namespace {

constexpr DWORD BS_AUTOCHECKBOX = 0x3;
constexpr int kIconSide = 32;

QString Caption(const ControlTemplate& tpl)
{
    return tpl.text != nullptr ? QString::fromUtf8(tpl.text) : QString();
}

QWidget* CreateButton(const ControlTemplate& tpl, QWidget* parent)
{
    const DWORD type = tpl.style & BS_TYPEMASK;
    if (type == BS_GROUPBOX) {
        auto* box = new GroupBoxWidget(tpl, parent);
        box->SetCaption(Caption(tpl));
        return box;
    }
    QAbstractButton* button = nullptr;
    if (type == BS_AUTORADIOBUTTON && !(tpl.style & BS_PUSHLIKE)) {
        button = new RadioButtonWidget(parent);
    } else if (type == BS_AUTOCHECKBOX && !(tpl.style & BS_PUSHLIKE)) {
        button = new CheckBoxWidget(parent);
    } else {
        auto* push = new ButtonWidget(tpl, parent);
        push->setDefault(type == BS_DEFPUSHBUTTON);
        button = push;
    }
    // The group logic of auto radio buttons is the dialog's (Windows lets
    // a program uncheck every button of a group).
    button->setAutoExclusive(false);
    button->setCheckable(type == BS_AUTORADIOBUTTON || type == BS_AUTOCHECKBOX);
    if (!(tpl.style & BS_BITMAP)) {
        button->setText(Caption(tpl));
    }
    return button;
}

QWidget* CreateStatic(const ControlTemplate& tpl, QWidget* parent)
{
    switch (tpl.style & SS_TYPEMASK) {
    case SS_BITMAP: {
        auto* picture = new PictureWidget(tpl, parent);
        if (const auto id = ResourceIdFromText(tpl.text)) {
            if (auto bitmap = LoadBitmapA(*id)) {
                picture->SetOwnedPicture(std::move(*bitmap));
            }
        }
        return picture;
    }
    case SS_ICON: {
        auto* icon = new IconWidget(tpl, parent);
        if (const auto id = ResourceIdFromText(tpl.text)) {
            icon->SetPixmap(LoadIconPixmap(*id, kIconSide));
        }
        return icon;
    }
    case SS_BLACKFRAME:
    case SS_ETCHEDHORZ:
        return new FrameWidget(tpl, parent);
    default: {
        auto* label = new LabelWidget(tpl, parent);
        if (tpl.style & SS_CENTERIMAGE) {
            label->setAlignment((label->alignment() & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter);
        }
        label->SetCaption(Caption(tpl));
        return label;
    }
    }
}

QWidget* CreateCombo(const ControlTemplate& tpl, QWidget* parent)
{
    auto* combo = new ComboWidget(parent);
    combo->setEditable((tpl.style & CBS_DROPDOWN) != 0);
    combo->setInsertPolicy(QComboBox::NoInsert);
    if (combo->isEditable()) {
        combo->setCompleter(nullptr);
    }
    return combo;
}

std::unique_ptr<CWnd> MakeWrapper(ControlClass cls)
{
    switch (cls) {
    case ControlClass::Button: return std::make_unique<CButton>();
    case ControlClass::Static: return std::make_unique<CStatic>();
    case ControlClass::Edit: return std::make_unique<CEdit>();
    case ControlClass::ComboBox: return std::make_unique<CComboBox>();
    }
    return std::make_unique<CWnd>();
}

Qt::FocusPolicy FocusPolicyFor(const ControlTemplate& tpl)
{
    if (tpl.cls == ControlClass::Static) {
        return Qt::NoFocus;
    }
    if (tpl.cls == ControlClass::Button && (tpl.style & BS_TYPEMASK) == BS_GROUPBOX) {
        return Qt::NoFocus;
    }
    return (tpl.style & WS_TABSTOP) ? Qt::StrongFocus : Qt::ClickFocus;
}

}  // namespace

std::unique_ptr<ControlRecord> CreateControl(const ControlTemplate& tpl, QWidget* parent)
{
    auto record = std::make_unique<ControlRecord>();
    record->tpl = tpl;
    QWidget* widget = nullptr;
    switch (tpl.cls) {
    case ControlClass::Button: widget = CreateButton(tpl, parent); break;
    case ControlClass::Static: widget = CreateStatic(tpl, parent); break;
    case ControlClass::Edit: {
        auto* edit = new EditWidget(tpl, parent);
        edit->setText(Caption(tpl));
        widget = edit;
        break;
    }
    case ControlClass::ComboBox: widget = CreateCombo(tpl, parent); break;
    }
    const RECT r = DluRectToPixels(tpl.x, tpl.y, tpl.cx, tpl.cy);
    int height = r.bottom - r.top;
    if (tpl.cls == ControlClass::ComboBox && (tpl.style & CBS_DROPDOWN)) {
        // The template height includes the list; the closed field is one line.
        height = std::min(height, kComboFieldHeight);
    }
    int width = r.right - r.left;
    if (tpl.cls == ControlClass::Static && (tpl.style & SS_TYPEMASK) == SS_ICON && !(tpl.style & SS_CENTERIMAGE)) {
        // An icon static takes the icon's size.
        width = kIconSide;
        height = kIconSide;
    }
    widget->setGeometry(r.left, r.top, width, height);
    widget->setFocusPolicy(FocusPolicyFor(tpl));
    widget->setEnabled((tpl.style & WS_DISABLED) == 0);
    widget->setVisible(!tpl.hidden);
    record->widget = widget;
    record->wrapper = MakeWrapper(tpl.cls);
    record->wrapper->Attach(HwndFromWidget(widget));
    return record;
}

}  // namespace platform::detail
