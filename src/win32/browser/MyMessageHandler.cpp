#include "browser/MyMessageHandler.h"

namespace dv::win32 {

bool MyMessageHandler::heldBack(const MSG& message) {
    if (message.message != WM_KEYDOWN && message.message != WM_KEYUP)
        return false;
    return message.wParam == VK_BACK || message.wParam == VK_LEFT || message.wParam == VK_RIGHT;
}

bool MyMessageHandler::preTranslate(MSG& message) {
    const HWND browserWindow = browser_.browserWindow();
    if (!browserWindow)
        return false;
    if (message.message == WM_RBUTTONDOWN || message.message == WM_RBUTTONUP)
        return true;
    // Handles (and dispatches) messages for the browser's windows only.
    if (!IsDialogMessageW(browserWindow, &message))
        return false;
    if (browser_.browserBusy())
        return true;
    if (!inPlace_)
        inPlace_ = browser_.inPlaceActiveObject();
    if (inPlace_ && !heldBack(message))
        inPlace_->TranslateAccelerator(&message);
    return true;
}

} // namespace dv::win32
