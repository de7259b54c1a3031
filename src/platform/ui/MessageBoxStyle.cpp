#include "platform/ui/MessageBoxStyle.h"

namespace platform {
namespace {

constexpr UINT kTypeMask = 0x0F;
constexpr UINT kIconMask = 0xF0;
constexpr UINT kDefaultMask = 0xF00;
constexpr UINT kOkCancel = 0x1;
constexpr UINT kYesNoCancel = 0x3;

}  // namespace

MessageBoxStyle DecodeMessageBoxType(UINT type)
{
    MessageBoxStyle style;
    switch (type & kTypeMask) {
    case kOkCancel: style.buttons = MessageBoxButtons::OkCancel; break;
    case kYesNoCancel: style.buttons = MessageBoxButtons::YesNoCancel; break;
    case MB_YESNO: style.buttons = MessageBoxButtons::YesNo; break;
    default: style.buttons = MessageBoxButtons::Ok; break;
    }
    switch (type & kIconMask) {
    case MB_ICONHAND: style.icon = MessageBoxIcon::Stop; break;
    case MB_ICONQUESTION: style.icon = MessageBoxIcon::Question; break;
    case MB_ICONEXCLAMATION: style.icon = MessageBoxIcon::Exclamation; break;
    case MB_ICONINFORMATION: style.icon = MessageBoxIcon::Information; break;
    default: style.icon = MessageBoxIcon::None; break;
    }
    const int wanted = static_cast<int>((type & kDefaultMask) >> 8);
    const int count = static_cast<int>(MessageBoxAnswers(style.buttons).size());
    style.defaultButton = wanted < count ? wanted : 0;
    return style;
}

std::vector<int> MessageBoxAnswers(MessageBoxButtons buttons)
{
    switch (buttons) {
    case MessageBoxButtons::OkCancel: return {IDOK, IDCANCEL};
    case MessageBoxButtons::YesNoCancel: return {IDYES, IDNO, IDCANCEL};
    case MessageBoxButtons::YesNo: return {IDYES, IDNO};
    case MessageBoxButtons::Ok: break;
    }
    return {IDOK};
}

int MessageBoxEscapeAnswer(MessageBoxButtons buttons)
{
    switch (buttons) {
    case MessageBoxButtons::OkCancel:
    case MessageBoxButtons::YesNoCancel: return IDCANCEL;
    case MessageBoxButtons::YesNo: return IDNO;
    case MessageBoxButtons::Ok: break;
    }
    return IDOK;
}

}  // namespace platform
