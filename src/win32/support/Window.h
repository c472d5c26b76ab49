#pragma once

#include <windows.h>

#include <string>

namespace dv::win32 {

// What a window class looks like; registered once per process on first use.
struct WindowClass {
    const wchar_t* name;
    UINT style = 0;
    HBRUSH background = nullptr; // nullptr: the window paints all of itself
    LPCWSTR cursor = IDC_ARROW;
    HICON icon = nullptr;
};

// Base of every window of the program: one window procedure that keeps the
// object's address from WM_NCCREATE and turns messages into a virtual call.
// Nothing thrown by a handler crosses into Windows: it is shown in the
// application's error box and the program goes on.
class Window {
  public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND hwnd() const { return hwnd_; }

  protected:
    // Creates the window; false when Windows refused.
    bool create(const WindowClass& windowClass, DWORD exStyle, DWORD style,
                const std::wstring& title, RECT bounds, HWND parent, HMENU idOrMenu = nullptr);
    // Handles one message; the default is Windows' own handling.
    virtual LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT defaultHandling(UINT message, WPARAM wParam, LPARAM lParam);
    // Called once the window is gone; the object may still be used.
    virtual void onDestroyed() {}

  private:
    static LRESULT CALLBACK windowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
};

} // namespace dv::win32
