#include "PlayerHostWindow.h"

#include "WineTestSupport.h"

#include <stdexcept>

namespace dv::win32::test {

PlayerHostWindow::PlayerHostWindow(const std::string& discRoot, SaveDialog& saveDialog) {
    static const WindowClass kClass{L"DatavindPlayerHost"};
    if (!create(kClass, 0, WS_POPUP, L"Spelare", RECT{0, 0, 800, 600}, nullptr))
        throw std::runtime_error("no host window");
    boxes_.setOwner(hwnd());
    controls_ = std::make_unique<PlayerControls>(
        discRoot, PlayerControls::Parts{hwnd(), *this, hover_, boxes_, saveDialog,
                                        [this](bool visible) { trackBar_ = visible; }});
}

PlayerHostWindow::~PlayerHostWindow() {
    controls_.reset();
}

void PlayerHostWindow::setHighlightVisible(std::string_view name, bool visible) {
    if (visible)
        lit_.emplace(name);
    else if (const auto it = lit_.find(name); it != lit_.end())
        lit_.erase(it);
}

LRESULT PlayerHostWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST && controls_ &&
        controls_->mouseMessage(message, wParam, lParam))
        return 0;
    switch (message) {
    case WM_CAPTURECHANGED:
        if (controls_)
            controls_->mouseMessage(message, wParam, lParam);
        break;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd(), &ps);
        const HBRUSH background = CreateSolidBrush(kBackground);
        FillRect(dc, &ps.rcPaint, background);
        DeleteObject(background);
        controls_->paint(dc);
        EndPaint(hwnd(), &ps);
        return 0;
    }
    default:
        break;
    }
    return defaultHandling(message, wParam, lParam);
}

} // namespace dv::win32::test
