#pragma once

// Answers the dialog boxes this thread shows, as a reader would: reads
// their caption and text, then presses a button. It looks every 50 ms from
// a thread timer, which a box's own modal loop runs too.

#include "win32/support/Utf16.h"

#include <windows.h>

#include <set>
#include <string>
#include <vector>

namespace dv::test {

class Win32BoxAnswerer {
  public:
    struct Box {
        std::string caption;
        std::string text;
    };

    explicit Win32BoxAnswerer(int button = IDOK) : button_(button) {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, 50, tick);
    }
    ~Win32BoxAnswerer() {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    Win32BoxAnswerer(const Win32BoxAnswerer&) = delete;
    Win32BoxAnswerer& operator=(const Win32BoxAnswerer&) = delete;

    std::vector<Box> boxes;

  private:
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
        if (current_)
            EnumThreadWindows(GetCurrentThreadId(), answer, 0);
    }

    static BOOL CALLBACK answer(HWND window, LPARAM) {
        wchar_t kind[16] = {};
        GetClassNameW(window, kind, 16);
        if (std::wstring(kind) != L"#32770" || !IsWindowVisible(window) ||
            !current_->answered_.insert(window).second)
            return TRUE;
        Box box{textOf(window), {}};
        EnumChildWindows(window, collectText, reinterpret_cast<LPARAM>(&box.text));
        current_->boxes.push_back(box);
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(current_->button_, BN_CLICKED), 0);
        return TRUE;
    }

    static BOOL CALLBACK collectText(HWND child, LPARAM text) {
        wchar_t kind[16] = {};
        GetClassNameW(child, kind, 16);
        if (_wcsicmp(kind, L"Static") == 0)
            *reinterpret_cast<std::string*>(text) += textOf(child);
        return TRUE;
    }

    static std::string textOf(HWND window) {
        std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
        text.resize(static_cast<std::size_t>(
            GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
        return win32::narrow(text);
    }

    inline static Win32BoxAnswerer* current_ = nullptr;
    int button_;
    UINT_PTR timer_ = 0;
    std::set<HWND> answered_;
};

} // namespace dv::test
