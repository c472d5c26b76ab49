#include "win32/support/MessageWindow.h"

#include <stdexcept>

namespace dv::win32 {

MessageWindow::MessageWindow(Handler handler) : handler_(std::move(handler)) {
    static const WindowClass kClass{L"DatavindMessageWindow"};
    if (!create(kClass, 0, 0, L"", RECT{}, HWND_MESSAGE))
        throw std::runtime_error("Kunde inte skapa ett meddelandefönster.");
}

LRESULT MessageWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (handler_ && handler_(message, wParam, lParam))
        return 0;
    return defaultHandling(message, wParam, lParam);
}

} // namespace dv::win32
