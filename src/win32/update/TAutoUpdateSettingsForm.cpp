#include "update/TAutoUpdateSettingsForm.h"

#include "support/ChildControl.h"
#include "support/WindowDpi.h"
#include "support/WindowPlacement.h"

#include <algorithm>

namespace dv::win32 {

namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
// Not IDOK: Enter away from the button closes nothing, as in the form it
// copies, where "Stäng" is not the default button.
constexpr int kButton1 = 101;

// The places of the form it copies: left, top, width, height.
HWND child(HWND parent, const wchar_t* kind, const std::string& text, DWORD style, int x, int y, int w, int h,
           int id = 0) {
    return createChildControl(parent, kind, text, style, {x, y, x + w, y + h}, id);
}

bool checked(HWND button) {
    return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

} // namespace

TAutoUpdateSettingsForm::TAutoUpdateSettingsForm() {
    create({L"TAutoUpdateSettingsForm", 0, GetSysColorBrush(COLOR_BTNFACE)}, kExStyle, kStyle,
           L"Automatisk uppdatering", centredOnScreen(kStyle, kExStyle, 408, 177), nullptr);
    createControls();
    scaleChildren(hwnd(), systemScale());
}

TAutoUpdateSettingsForm::~TAutoUpdateSettingsForm() = default;

void TAutoUpdateSettingsForm::createControls() {
    const HWND self = hwnd();
    Label1 = child(self, L"STATIC",
                   "Datavinds cd kan automatiskt koppla upp sig mot Internet och kontrollera om "
                   "det finns någon "
                   "uppdaterad information som rör den aktuella skivan. Det kan exempelvis röra "
                   "sig om problem med "
                   "vissa program, eller sena ändringar som tillkommit efter att skivan trycktes.",
                   SS_LEFT | SS_NOPREFIX, 8, 8, 393, 57);
    Label2 = child(self, L"STATIC", "Vill du att skivan ska göra en sådan kontroll när den startas?",
                   SS_LEFT | SS_NOPREFIX, 8, 80, 0, 0);
    const SIZE label2 = textExtent(Label2);
    SetWindowPos(Label2, nullptr, 0, 0, label2.cx, label2.cy, SWP_NOMOVE | SWP_NOZORDER);
    // In tab order.
    rbYes = child(self, L"BUTTON", "Ja (rekommenderas)", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 8, 104, 153, 17);
    rbNo = child(self, L"BUTTON", "Nej", BS_AUTORADIOBUTTON | WS_TABSTOP, 8, 120, 65, 17);
    Button1 = child(self, L"BUTTON", "Stäng", BS_PUSHBUTTON | WS_GROUP | WS_TABSTOP, 325, 146, 75, 23, kButton1);
    cbNoNo = child(self, L"BUTTON", "Påminn mig inte om denna funktion i framtiden",
                   BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP, 8, 152, 257, 17);
    // A wider font than the form was drawn for must not cut the text; it
    // still ends before the button.
    const int box = GetSystemMetrics(SM_CXMENUCHECK) + 6;
    SetWindowPos(cbNoNo, nullptr, 0, 0, std::clamp(static_cast<int>(textExtent(cbNoNo).cx) + box, 257, 325 - 8 - 8), 17,
                 SWP_NOMOVE | SWP_NOZORDER);
}

void TAutoUpdateSettingsForm::setOwner(HWND owner) {
    owner_ = owner;
    SetWindowLongPtrW(hwnd(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
}

HWND TAutoUpdateSettingsForm::control(std::string_view name) const {
    const std::pair<std::string_view, HWND> controls[] = {{"Label1", Label1}, {"Label2", Label2},   {"rbYes", rbYes},
                                                          {"rbNo", rbNo},     {"Button1", Button1}, {"cbNoNo", cbNoNo}};
    for (const auto& [n, h] : controls)
        if (n == name)
            return h;
    return nullptr;
}

ConsentAnswer TAutoUpdateSettingsForm::ask() {
    DialogKeys keys(hwnd());
    MessageLoop& loop = MessageLoop::instance();
    loop.addFilter(keys);
    const bool ownerWasEnabled = owner_ && IsWindowEnabled(owner_);
    if (ownerWasEnabled)
        EnableWindow(owner_, FALSE);
    asking_ = true;
    accepted_ = false;
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
    SetFocus(rbYes);
    loop.runUntil([this] { return !asking_; });
    asking_ = false;
    // The owner first, so that it, not another program, becomes active.
    if (ownerWasEnabled)
        EnableWindow(owner_, TRUE);
    ShowWindow(hwnd(), SW_HIDE);
    loop.removeFilter(keys);

    return ConsentAnswer::fromControls(accepted_, checked(rbYes), checked(rbNo), checked(cbNoNo));
}

void TAutoUpdateSettingsForm::close(bool accepted) {
    if (!asking_)
        return;
    accepted_ = accepted;
    asking_ = false;
}

LRESULT TAutoUpdateSettingsForm::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == kButton1 && HIWORD(wParam) == BN_CLICKED)
            close(true);
        else if (LOWORD(wParam) == IDCANCEL)
            close(false); // Esc
        return 0;
    case WM_CLOSE:
        close(false);
        return 0;
    default:
        return Window::onMessage(message, wParam, lParam);
    }
}

bool TAutoUpdateSettingsForm::DialogKeys::preTranslate(MSG& message) {
    if (message.hwnd != dialog_ && !IsChild(dialog_, message.hwnd))
        return false;
    return IsDialogMessageW(dialog_, &message);
}

} // namespace dv::win32
