#include "win32/support/ToolTips.h"

#include "win32/support/Utf16.h"

#include <commctrl.h>

#include <array>

namespace dv::win32 {

namespace {

RECT toRect(const Rect& r) {
    return {r.left, r.top, r.left + r.width, r.top + r.height};
}

TOOLINFOW info(HWND owner, UINT id) {
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = owner;
    tool.uId = id;
    return tool;
}

} // namespace

ToolTips::ToolTips(HWND owner)
    : owner_(owner), tips_(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                           WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner,
                                           nullptr, GetModuleHandleW(nullptr), nullptr)) {
    if (tips_ && owner_)
        SetWindowSubclass(owner_, &ToolTips::relay, reinterpret_cast<UINT_PTR>(this),
                          reinterpret_cast<DWORD_PTR>(tips_));
}

ToolTips::~ToolTips() {
    if (tips_ && owner_)
        RemoveWindowSubclass(owner_, &ToolTips::relay, reinterpret_cast<UINT_PTR>(this));
    if (tips_)
        DestroyWindow(tips_);
}

LRESULT CALLBACK ToolTips::relay(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                 UINT_PTR id, DWORD_PTR tips) {
    if ((message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) || message == WM_MOUSELEAVE) {
        MSG relayed{window, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
        const DWORD at = GetMessagePos();
        relayed.pt = {static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
        SendMessageW(reinterpret_cast<HWND>(tips), TTM_RELAYEVENT, 0,
                     reinterpret_cast<LPARAM>(&relayed));
    } else if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, &ToolTips::relay, id);
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

void ToolTips::add(UINT id, const Rect& area, const std::string& text) {
    TOOLINFOW tool = info(owner_, id);
    tool.uFlags = 0; // the mouse comes through relay()
    tool.rect = toRect(area);
    std::wstring wide = widen(text);
    tool.lpszText = wide.data();
    SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void ToolTips::move(UINT id, const Rect& area) {
    TOOLINFOW tool = info(owner_, id);
    tool.rect = toRect(area);
    SendMessageW(tips_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void ToolTips::setText(UINT id, const std::string& text) {
    TOOLINFOW tool = info(owner_, id);
    std::wstring wide = widen(text);
    tool.lpszText = wide.data();
    SendMessageW(tips_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

std::string ToolTips::text(UINT id) const {
    std::array<wchar_t, 256> buffer{};
    TOOLINFOW tool = info(owner_, id);
    tool.lpszText = buffer.data();
    SendMessageW(tips_, TTM_GETTEXTW, buffer.size(), reinterpret_cast<LPARAM>(&tool));
    return narrow(buffer.data());
}

} // namespace dv::win32
