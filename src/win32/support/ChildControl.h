#pragma once

#include <windows.h>

#include <string>

namespace dv::win32 {

// A visible child control in the program's font, with its text and bounds
// in the parent's client area.
HWND createChildControl(HWND parent, const wchar_t* kind, const std::string& text, DWORD style,
                        RECT bounds, int id = 0, DWORD exStyle = 0);

// The size the control's text takes in the program's font, so that a label
// or a button's text can be shown whole.
SIZE textExtent(HWND control);

} // namespace dv::win32
