#include "win32/music/MciVideoWindow.h"

#include "win32/support/Utf16.h"

#include <stdexcept>

namespace dv::win32 {

MciVideoWindow::MciVideoWindow(HWND parent, RECT bounds) {
    static const WindowClass kClass{L"DatavindVideoWindow", 0,
                                    static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))};
    if (!create(kClass, 0, WS_CHILD | WS_CLIPCHILDREN, L"", bounds, parent))
        throw std::runtime_error("Kunde inte skapa filmfönstret.");
}

void MciVideoWindow::play(const std::string& path) {
    stop();
    lastError_.clear();
    try {
        film_.open(widen(path));
        film_.setTimeFormatMilliseconds();
        film_.showIn(hwnd());
        film_.play(nullptr);
    } catch (const std::runtime_error& e) {
        lastError_ = e.what();
        film_.close();
    }
}

void MciVideoWindow::stop() {
    if (!film_.isOpen())
        return;
    try {
        film_.stop(nullptr);
    } catch (const std::runtime_error&) {
        // Closing stops it too.
    }
    film_.close();
    InvalidateRect(hwnd(), nullptr, TRUE);
}

bool MciVideoWindow::playing() const {
    if (!film_.isOpen())
        return false;
    try {
        return LOWORD(film_.status(MCI_STATUS_MODE)) == MCI_MODE_PLAY;
    } catch (const std::runtime_error&) {
        return false;
    }
}

} // namespace dv::win32
