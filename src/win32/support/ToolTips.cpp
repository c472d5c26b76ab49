#include "support/ToolTips.h"

#include "support/Utf16.h"

#include <commctrl.h>

#include <array>

namespace dv::win32 {

namespace {

RECT toRect(const Rect& r) { return {r.left, r.top, r.left + r.width, r.top + r.height}; }

TOOLINFOW info(HWND owner, UINT id) {
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = owner;
    tool.uId = id;
    return tool;
}

} // namespace

ToolTips::ToolTips(HWND owner)
    : owner_(owner),
      tips_(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                            GetModuleHandleW(nullptr), nullptr)) {}

ToolTips::~ToolTips() {
    if (tips_)
        DestroyWindow(tips_);
}


void ToolTips::add(UINT id, const Rect& area, const std::string& text) {
    TOOLINFOW tool = info(owner_, id);
    tool.uFlags = TTF_SUBCLASS;
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
