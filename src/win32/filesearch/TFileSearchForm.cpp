#include "filesearch/TFileSearchForm.h"

#include "support/Utf16.h"
#include "support/WindowPlacement.h"

namespace dv::win32 {

namespace {
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW & ~WS_MAXIMIZEBOX & ~WS_MINIMIZEBOX;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW;
} // namespace

TFileSearchForm::TFileSearchForm(const std::string& discRoot, MessageBoxes& boxes)
    : discRoot_(discRoot), boxes_(boxes) {
    create({L"TFileSearchForm", 0, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))}, kExStyle, kStyle,
           widen("Filsökaren"), centredOnScreen(kStyle, kExStyle, 498, 379), nullptr);
}

void TFileSearchForm::showModeless() {
    ShowWindow(hwnd(), SW_SHOWNORMAL);
    SetForegroundWindow(hwnd());
}

LRESULT TFileSearchForm::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        // Closing only hides it: the window lives until the program ends.
        ShowWindow(hwnd(), SW_HIDE);
        return 0;
    }
    return defaultHandling(message, wParam, lParam);
}

} // namespace dv::win32
