#include "win32/support/Window.h"

#include "core/app/ErrorReportText.h"
#include "win32/support/ErrorReport.h"

#include <exception>
#include <set>

namespace dv::win32 {

namespace {

HINSTANCE thisModule() {
    return GetModuleHandleW(nullptr);
}

void registerOnce(const WindowClass& windowClass, WNDPROC procedure) {
    static std::set<std::wstring> registered;
    if (!registered.insert(windowClass.name).second)
        return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = windowClass.style;
    wc.lpfnWndProc = procedure;
    wc.hInstance = thisModule();
    wc.hCursor = LoadCursorW(nullptr, windowClass.cursor);
    wc.hbrBackground = windowClass.background;
    wc.hIcon = windowClass.icon;
    wc.hIconSm = windowClass.icon;
    wc.lpszClassName = windowClass.name;
    RegisterClassExW(&wc);
}

} // namespace

Window::~Window() {
    if (hwnd_) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

bool Window::create(const WindowClass& windowClass, DWORD exStyle, DWORD style,
                    const std::wstring& title, RECT bounds, HWND parent, HMENU idOrMenu) {
    registerOnce(windowClass, windowProcedure);
    const HWND created =
        CreateWindowExW(exStyle, windowClass.name, title.c_str(), style, bounds.left, bounds.top,
                        bounds.right - bounds.left, bounds.bottom - bounds.top, parent, idOrMenu,
                        thisModule(), this);
    return created != nullptr;
}

LRESULT Window::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return defaultHandling(message, wParam, lParam);
}

LRESULT Window::defaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK Window::windowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    if (!self)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    LRESULT result = 0;
    try {
        result = self->onMessage(message, wParam, lParam);
    } catch (const std::exception& e) {
        reportUnhandled(e.what());
    } catch (...) {
        reportUnhandled(kUnknownErrorText);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        self->onDestroyed();
    }
    return result;
}

} // namespace dv::win32
