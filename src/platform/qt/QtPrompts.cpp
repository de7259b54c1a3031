#include "platform/qt/QtPrompts.h"

#include "platform/qt/HwndWidget.h"
#include "platform/ui/MessageBoxStyle.h"
#include "platform/qt/MessageBoxText.h"
#include "platform/qt/WinFileDialog.h"
#include "platform/qt/DrawnNonClient.h"

#include <QColorDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

#include <vector>

namespace platform {

Prompts& detail::DefaultPrompts()
{
    static QtPrompts prompts;
    return prompts;
}

namespace {

QMessageBox::Icon QtIcon(MessageBoxIcon icon)
{
    switch (icon) {
    case MessageBoxIcon::Stop: return QMessageBox::Critical;
    case MessageBoxIcon::Question: return QMessageBox::Question;
    case MessageBoxIcon::Exclamation: return QMessageBox::Warning;
    case MessageBoxIcon::Information: return QMessageBox::Information;
    case MessageBoxIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton QtButton(int answer)
{
    switch (answer) {
    case IDCANCEL: return QMessageBox::Cancel;
    case IDYES: return QMessageBox::Yes;
    case IDNO: return QMessageBox::No;
    default: break;
    }
    return QMessageBox::Ok;
}

}  // namespace

int QtPrompts::ShowMessageBox(const MessageBoxRequest& request)
{
    const MessageBoxStyle style = DecodeMessageBoxType(request.type);
    QMessageBox box(WidgetFromHwnd(request.owner));
    // Where the toolkit's title bar would offer a minimise that cannot be
    // undone (Wayland), the box draws its own caption, as our dialogs do.
    box.setWindowFlags(detail::DrawnNonClientFlags(box.windowFlags()));
    detail::DrawNonClientArea(&box, true, detail::DrawnCaption::Normal);
    box.setWindowTitle(QString::fromStdString(request.caption));
    // Plain text: a "<" in a file name must not turn the message into markup.
    box.setTextFormat(Qt::PlainText);
    // Lines break at blanks only, as Windows breaks them; the box then has
    // no reason to wrap them again inside a word.
    const QScreen* screen = box.screen();
    const int screenWidth = screen != nullptr ? screen->availableGeometry().width() : 1024;
    box.setText(WrapAtBlanks(QString::fromStdString(request.text), box.fontMetrics(), MessageTextWidth(screenWidth)));
    box.setIcon(QtIcon(style.icon));

    const std::vector<int> answers = MessageBoxAnswers(style.buttons);
    const int escapeAnswer = MessageBoxEscapeAnswer(style.buttons);
    std::vector<QPushButton*> buttons;
    for (const int answer : answers) {
        QPushButton* button = box.addButton(QtButton(answer));
        buttons.push_back(button);
        if (answer == escapeAnswer)
            box.setEscapeButton(button);
    }
    box.setDefaultButton(buttons[static_cast<std::size_t>(style.defaultButton)]);

    box.exec();
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        if (box.clickedButton() == buttons[i])
            return answers[i];
    }
    return escapeAnswer;
}

FileDialogAnswer QtPrompts::ShowFileDialog(const FileDialogRequest& request)
{
    WinFileDialog dialog(request);
    return dialog.Run();
}

ColorAnswer QtPrompts::ShowColorDialog(const ColorRequest& request)
{
    QColorDialog dialog(WidgetFromHwnd(request.owner));
    // CC_FULLOPEN and CC_SOLIDCOLOR need nothing: Qt's chooser always shows
    // the custom colour part, and without the alpha option every colour is solid.
    dialog.setOptions(QColorDialog::DontUseNativeDialog);
    dialog.setCurrentColor(QColor(GetRValue(request.initial), GetGValue(request.initial), GetBValue(request.initial)));
    if (dialog.exec() != QDialog::Accepted)
        return ColorAnswer{false, request.initial};
    const QColor chosen = dialog.selectedColor();
    return ColorAnswer{true, RGB(static_cast<BYTE>(chosen.red()), static_cast<BYTE>(chosen.green()),
                                 static_cast<BYTE>(chosen.blue()))};
}

}  // namespace platform
