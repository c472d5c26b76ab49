#include "win32/support/ScrollingMessageBox.h"

#include "win32/support/UiFont.h"
#include "win32/support/Utf16.h"

#include <algorithm>
#include <cstddef>
#include <string>

namespace dv::win32 {

namespace {

// What Windows' box shows well: a few short paragraphs.
constexpr std::size_t kMaxWindowsBoxText = 1024;
constexpr std::size_t kMaxWindowsBoxLines = 24;
constexpr std::size_t kMaxWindowsBoxLine = 200;

// The box's size where the work area allows it.
constexpr int kWidth = 560;
constexpr int kHeight = 420;
constexpr int kMargin = 12;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kIconSize = 32;
constexpr int kIconId = 101;

struct BoxState {
    const MessageBoxRequest* request = nullptr;
    std::wstring text;
};

// The field wants "\r\n" for each line break; the core's texts use "\r".
std::wstring fieldText(std::string_view text) {
    std::wstring wide = widen(std::string(text));
    std::wstring out;
    out.reserve(wide.size() + wide.size() / 16);
    for (std::size_t i = 0; i < wide.size(); ++i) {
        const wchar_t c = wide[i];
        if (c == L'\r' || c == L'\n') {
            out += L"\r\n";
            if (c == L'\r' && i + 1 < wide.size() && wide[i + 1] == L'\n')
                ++i;
        } else {
            out += c;
        }
    }
    return out;
}

LPCWSTR iconOf(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return IDI_INFORMATION;
    case MessageIcon::Warning:
        return IDI_WARNING;
    case MessageIcon::Error:
        return IDI_ERROR;
    case MessageIcon::None:
        break;
    }
    return nullptr;
}

RECT workAreaFor(HWND owner) {
    HMONITOR monitor = owner ? MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST) : nullptr;
    if (!monitor) {
        POINT cursor{};
        GetCursorPos(&cursor);
        monitor = MonitorFromPoint(cursor, MONITOR_DEFAULTTOPRIMARY);
    }
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (monitor && GetMonitorInfoW(monitor, &info))
        return info.rcWork;
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

HWND addChild(HWND box, LPCWSTR kind, LPCWSTR text, DWORD style, int id) {
    const HWND child = CreateWindowExW(0, kind, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0,
                                       box, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                       GetModuleHandleW(nullptr), nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(uiFont()), FALSE);
    return child;
}

void place(HWND box, const BoxState& state) {
    const RECT work = workAreaFor(GetWindow(box, GW_OWNER));
    const int width = std::min<int>(kWidth, work.right - work.left);
    const int height = std::min<int>(kHeight, work.bottom - work.top);
    SetWindowPos(box, nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client{};
    GetClientRect(box, &client);
    const bool hasIcon = iconOf(state.request->icon) != nullptr;
    const int textLeft = kMargin + (hasIcon ? kIconSize + kMargin : 0);
    const int buttonTop =
        std::max(kMargin, static_cast<int>(client.bottom) - kMargin - kButtonHeight);
    if (const HWND icon = GetDlgItem(box, kIconId))
        MoveWindow(icon, kMargin, kMargin, kIconSize, kIconSize, FALSE);
    MoveWindow(GetDlgItem(box, ScrollingMessageBox::kTextId), textLeft, kMargin,
               std::max(0, static_cast<int>(client.right) - textLeft - kMargin),
               std::max(0, buttonTop - 2 * kMargin), FALSE);
    int right = client.right - kMargin;
    for (const int id : {IDNO, IDYES, IDOK}) {
        if (const HWND button = GetDlgItem(box, id)) {
            MoveWindow(button, right - kButtonWidth, buttonTop, kButtonWidth, kButtonHeight, FALSE);
            right -= kButtonWidth + 6;
        }
    }
}

INT_PTR CALLBACK boxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<BoxState*>(GetWindowLongPtrW(box, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG: {
        state = reinterpret_cast<BoxState*>(lParam);
        SetWindowLongPtrW(box, DWLP_USER, lParam);
        SetWindowTextW(box, widen(state->request->caption).c_str());
        if (const LPCWSTR icon = iconOf(state->request->icon)) {
            const HWND picture = addChild(box, L"STATIC", nullptr, SS_ICON, kIconId);
            SendMessageW(picture, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconW(nullptr, icon)),
                         0);
        }
        // A field, not a label: it wraps and scrolls, and its text is
        // never read as anything but text.
        const HWND field = addChild(box, L"EDIT", nullptr,
                                    ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL |
                                        WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | WS_BORDER,
                                    ScrollingMessageBox::kTextId);
        SendMessageW(field, EM_SETLIMITTEXT, 0, 0);
        SetWindowTextW(field, state->text.c_str());
        HWND first = nullptr;
        if (state->request->buttons == MessageButtons::YesNo) {
            first = addChild(box, L"BUTTON", L"Ja", BS_DEFPUSHBUTTON | WS_TABSTOP, IDYES);
            addChild(box, L"BUTTON", L"Nej", BS_PUSHBUTTON | WS_TABSTOP, IDNO);
        } else {
            first = addChild(box, L"BUTTON", L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, IDOK);
        }
        place(box, *state);
        SetForegroundWindow(box);
        SetFocus(first);
        return FALSE; // the focus is set
    }
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        const bool yesNo = state && state->request->buttons == MessageButtons::YesNo;
        // As in Windows' box: a Yes/No box ends only by its buttons.
        if ((yesNo && (id == IDYES || id == IDNO)) || (!yesNo && (id == IDOK || id == IDCANCEL)))
            EndDialog(box, id);
        return TRUE;
    }
    case WM_CLOSE:
        if (state && state->request->buttons != MessageButtons::YesNo)
            EndDialog(box, IDOK);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

bool ScrollingMessageBox::fitsWindowsBox(std::string_view text) {
    if (text.size() > kMaxWindowsBoxText)
        return false;
    std::size_t lines = 1;
    std::size_t line = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            ++lines;
            line = 0;
            continue;
        }
        // Counted in bytes: a line of letters beyond ASCII is shorter still.
        if (++line > kMaxWindowsBoxLine)
            return false;
    }
    return lines <= kMaxWindowsBoxLines;
}

MessageAnswer ScrollingMessageBox::show(HWND owner, const MessageBoxRequest& request) {
    BoxState state{&request, fieldText(request.text)};
    // A template with no controls: they are made as the box opens.
    struct {
        DLGTEMPLATE head;
        WORD menu, windowClass, title;
    } templ{};
    templ.head.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFOREGROUND;
    templ.head.cx = 100;
    templ.head.cy = 50;
    const INT_PTR answer = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), &templ.head, owner,
                                                   boxProcedure, reinterpret_cast<LPARAM>(&state));
    switch (answer) {
    case IDYES:
        return MessageAnswer::Yes;
    case IDNO:
        return MessageAnswer::No;
    case IDOK:
        return MessageAnswer::Ok;
    default:
        return MessageAnswer::Cancel;
    }
}

} // namespace dv::win32
