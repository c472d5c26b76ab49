#include "win32/support/Win32MessageBoxes.h"

#include "win32/support/ScrollingMessageBox.h"
#include "win32/support/Utf16.h"

namespace dv::win32 {

namespace {

UINT iconFlag(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return MB_ICONINFORMATION;
    case MessageIcon::Warning:
        return MB_ICONWARNING;
    case MessageIcon::Error:
        return MB_ICONERROR;
    case MessageIcon::None:
        break;
    }
    return 0;
}

} // namespace

MessageAnswer Win32MessageBoxes::show(const MessageBoxRequest& request) {
    if (!ScrollingMessageBox::fitsWindowsBox(request.text))
        return ScrollingMessageBox::show(owner_, request);
    const UINT buttons = request.buttons == MessageButtons::YesNo ? MB_YESNO : MB_OK;
    const int answer =
        MessageBoxW(owner_, widen(request.text).c_str(), widen(request.caption).c_str(),
                    buttons | iconFlag(request.icon) | MB_SETFOREGROUND);
    switch (answer) {
    case IDYES:
        return MessageAnswer::Yes;
    case IDNO:
        return MessageAnswer::No;
    case IDOK:
        return MessageAnswer::Ok;
    default:
        return MessageAnswer::Cancel;
    }
}

} // namespace dv::win32
