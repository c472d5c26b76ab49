#include "win32/browser/MyMessageHandler.h"

#include "win32/browser/PageFocus.h"

namespace dv::win32 {

bool MyMessageHandler::heldBack(const MSG& message) {
    if (message.message != WM_KEYDOWN && message.message != WM_KEYUP)
        return false;
    return message.wParam == VK_BACK || message.wParam == VK_LEFT || message.wParam == VK_RIGHT;
}

bool MyMessageHandler::followsLink(const MSG& message) {
    return message.message == WM_LBUTTONUP ||
           (message.message == WM_KEYDOWN &&
            (message.wParam == VK_RETURN || message.wParam == VK_SPACE));
}

bool MyMessageHandler::preTranslate(MSG& message) {
    const HWND browserWindow = browser_.browserWindow();
    if (!browserWindow)
        return false;
    if (message.message == WM_RBUTTONDOWN || message.message == WM_RBUTTONUP)
        return true;
    if (followsLink(message) &&
        (message.hwnd == browserWindow || IsChild(browserWindow, message.hwnd)))
        browser_.readerActed();
    // Handles (and dispatches) messages for the browser's windows only.
    if (!IsDialogMessageW(browserWindow, &message))
        return false;
    if (browser_.browserBusy())
        return true;
    if (!inPlace_)
        inPlace_ = browser_.inPlaceActiveObject();
    if (!inPlace_ || heldBack(message))
        return true;
    // The control answers S_FALSE for a Tab past the page's last element:
    // the focus goes on to the window's hot-spots.
    if (inPlace_->TranslateAccelerator(&message) == S_FALSE && message.message == WM_KEYDOWN &&
        message.wParam == VK_TAB)
        PostMessageW(GetAncestor(browserWindow, GA_ROOT), kLeavePageMessage,
                     GetKeyState(VK_SHIFT) < 0 ? 1 : 0, 0);
    return true;
}

} // namespace dv::win32
