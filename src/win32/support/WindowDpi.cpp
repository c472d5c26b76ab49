#include "win32/support/WindowDpi.h"

#include "win32/support/UiFont.h"

#include <vector>

namespace dv::win32 {

namespace {

// Looked up rather than imported, so that the program still starts where
// Windows lacks them.
template <typename Function> Function user32Function(const char* name) {
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32
               ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name)))
               : nullptr;
}

int screenDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : DisplayScale::kBaseDpi;
    if (screen)
        ReleaseDC(nullptr, screen);
    return dpi;
}

} // namespace

DisplayScale windowScale(HWND window) {
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = user32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    if (getDpiForWindow && window) {
        if (const UINT dpi = getDpiForWindow(window))
            return DisplayScale(static_cast<int>(dpi));
    }
    return systemScale();
}

DisplayScale systemScale() {
    using GetDpiForSystemFunction = UINT(WINAPI*)();
    static const auto getDpiForSystem = user32Function<GetDpiForSystemFunction>("GetDpiForSystem");
    return DisplayScale(getDpiForSystem ? static_cast<int>(getDpiForSystem()) : screenDpi());
}

RECT windowForClient(DWORD style, DWORD exStyle, int clientWidth, int clientHeight,
                     const DisplayScale& scale) {
    using AdjustForDpiFunction = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi =
        user32Function<AdjustForDpiFunction>("AdjustWindowRectExForDpi");
    RECT frame{0, 0, clientWidth, clientHeight};
    if (!adjustForDpi ||
        !adjustForDpi(&frame, style, FALSE, exStyle, static_cast<UINT>(scale.dpi())))
        AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    return frame;
}

void scaleChildren(HWND window, const DisplayScale& scale) {
    if (scale.isIdentity())
        return;
    std::vector<HWND> children;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    const HFONT logicalFont = uiFont();
    for (const HWND child : children) {
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
        const Rect place =
            scale.toPhysical(Rect{r.left, r.top, r.right - r.left, r.bottom - r.top});
        SetWindowPos(child, nullptr, place.left, place.top, place.width, place.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        if (reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)) == logicalFont)
            SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(uiFont(scale)), FALSE);
        scaleChildren(child, scale);
    }
}

} // namespace dv::win32
