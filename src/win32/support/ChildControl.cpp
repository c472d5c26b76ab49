#include "win32/support/ChildControl.h"

#include "win32/support/UiFont.h"
#include "win32/support/Utf16.h"
#include "win32/support/WindowDpi.h"

namespace dv::win32 {

HWND createChildControl(HWND parent, const wchar_t* kind, const std::string& text, DWORD style,
                        RECT bounds, int id, DWORD exStyle) {
    const HWND control = CreateWindowExW(
        exStyle, kind, widen(text).c_str(), WS_CHILD | WS_VISIBLE | style, bounds.left, bounds.top,
        bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(uiFont(systemScale())), FALSE);
    return control;
}

SIZE textExtent(HWND control) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    const int length = GetWindowTextW(control, text.data(), static_cast<int>(text.size()));
    const HDC dc = GetDC(control);
    const HGDIOBJ old = SelectObject(dc, uiFont());
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), length, &size);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return size;
}

} // namespace dv::win32
