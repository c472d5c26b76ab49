#include "win32/update/TAutoUpdateSettingsForm.h"

#include "win32/support/ChildControl.h"
#include "win32/support/UiFont.h"
#include "win32/support/Utf16.h"
#include "win32/support/Win32TextMeasure.h"
#include "win32/support/WindowPlacement.h"

namespace dv::win32 {

namespace {

using Model = ConsentDialogModel;

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
// Not IDOK: "Stäng" is no default button; the model says what Enter does.
constexpr int kButton1 = 101;

HWND child(HWND parent, const wchar_t* kind, const char* text, DWORD style, const Rect& place,
           int id = 0) {
    return createChildControl(parent, kind, text, style, toRect(place), id);
}

bool checked(HWND button) {
    return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

} // namespace

TAutoUpdateSettingsForm::TAutoUpdateSettingsForm() {
    const ConsentDialogLayout l = Model::layout(Win32TextMeasure(uiFont()));
    create({L"TAutoUpdateSettingsForm", 0, GetSysColorBrush(COLOR_BTNFACE)}, kExStyle, kStyle,
           widen(Model::kCaption), centredOnScreen(kStyle, kExStyle, l.clientWidth, l.clientHeight),
           nullptr);
    createControls(l);
}

TAutoUpdateSettingsForm::~TAutoUpdateSettingsForm() = default;

void TAutoUpdateSettingsForm::createControls(const ConsentDialogLayout& l) {
    const HWND self = hwnd();
    Label1 = child(self, L"STATIC", Model::kIntro, SS_LEFT | SS_NOPREFIX, l.Label1);
    Label2 = child(self, L"STATIC", Model::kQuestion, SS_LEFT | SS_NOPREFIX, l.Label2);
    // In tab order.
    rbYes =
        child(self, L"BUTTON", Model::kYes, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, l.rbYes);
    rbNo = child(self, L"BUTTON", Model::kNo, BS_AUTORADIOBUTTON | WS_TABSTOP, l.rbNo);
    Button1 = child(self, L"BUTTON", Model::kClose, BS_PUSHBUTTON | WS_GROUP | WS_TABSTOP,
                    l.Button1, kButton1);
    cbNoNo = child(self, L"BUTTON", Model::kDontRemind, BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP,
                   l.cbNoNo);
}

void TAutoUpdateSettingsForm::setOwner(HWND owner) {
    owner_ = owner;
    SetWindowLongPtrW(hwnd(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
}

HWND TAutoUpdateSettingsForm::control(std::string_view name) const {
    const std::pair<std::string_view, HWND> controls[] = {{"Label1", Label1},   {"Label2", Label2},
                                                          {"rbYes", rbYes},     {"rbNo", rbNo},
                                                          {"Button1", Button1}, {"cbNoNo", cbNoNo}};
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

void TAutoUpdateSettingsForm::onKey(ConsentDialogModel::Key key) {
    const HWND focus = GetFocus();
    const Model::Control focused = focus == Button1  ? Model::Control::Button1
                                   : focus == rbNo   ? Model::Control::rbNo
                                   : focus == cbNoNo ? Model::Control::cbNoNo
                                                     : Model::Control::rbYes;
    switch (Model::onKey(key, focused)) {
    case Model::Closing::WithTheChoice:
        close(true);
        break;
    case Model::Closing::WithoutAChoice:
        close(false);
        break;
    case Model::Closing::StaysOpen:
        break;
    }
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
        else if (LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDOK)
            onKey(LOWORD(wParam) == IDCANCEL ? Model::Key::Escape : Model::Key::Enter);
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
