#include "browser/TExtraInfoForm.h"

#include "app/UrlHost.h"
#include "browser/DialogKeys.h"
#include "browser/FileLauncher.h"
#include "browser/TExtraInfo.h"
#include "shell/MainWindowLayout.h"
#include "support/MessageLoop.h"
#include "support/UiFont.h"
#include "support/WindowDpi.h"
#include "support/WindowPlacement.h"
#include "support/Utf16.h"

#include <algorithm>
#include <stdexcept>

namespace dv::win32 {

namespace {

constexpr int kClientWidth = 386;
constexpr int kClientHeight = 217;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPSIBLINGS;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
constexpr int kUrlId = 100;
// lbURL lies at (8, 20) inside the group box at (8, 96).
constexpr POINT kUrlAt{8 + 8, 96 + 20};
constexpr int kUrlMaxWidth = 369 - 2 * 8;

HWND child(const wchar_t* windowClass, const wchar_t* text, DWORD style, RECT r, HWND parent, int id = 0,
           HFONT font = uiFont()) {
    const HWND h = CreateWindowExW(0, windowClass, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top,
                                   r.right - r.left, r.bottom - r.top, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                                   nullptr);
    SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return h;
}

HFONT underlined(HFONT base) {
    LOGFONTW font{};
    GetObjectW(base, sizeof font, &font);
    font.lfUnderline = TRUE;
    return CreateFontIndirectW(&font);
}

// Static controls break lines at CR LF; the update service writes lone CRs
// or LFs too.
std::wstring withWindowsLineBreaks(const std::string& text) {
    const std::wstring wide = widen(text);
    std::wstring out;
    for (std::size_t i = 0; i < wide.size(); ++i) {
        if (wide[i] == L'\r' || wide[i] == L'\n') {
            out += L"\r\n";
            if (wide[i] == L'\r' && i + 1 < wide.size() && wide[i + 1] == L'\n')
                ++i;
        } else {
            out += wide[i];
        }
    }
    return out;
}

void setDefault(HWND button, bool isDefault) {
    SendMessageW(button, BM_SETSTYLE, static_cast<WPARAM>(isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), TRUE);
}

} // namespace

TExtraInfoForm::TExtraInfoForm(HWND owner) : owner_(owner) {
    const std::wstring caption = widen(std::string(layout::kApplicationTitle) + " - Mer information");
    if (!create({L"TExtraInfoForm", 0, GetSysColorBrush(COLOR_BTNFACE)}, kExStyle, kStyle, caption,
                centredOnScreen(kStyle, kExStyle, kClientWidth, kClientHeight), owner))
        throw std::runtime_error("Kunde inte skapa informationsfönstret");
    linkFont_ = underlined(uiFont());

    // Texts from outside never turn "&" into an underlined letter.
    lbInformation_ = child(L"STATIC", L"", SS_LEFT | SS_NOPREFIX, {8, 8, 8 + 369, 8 + 73}, hwnd());
    gbMoreInfo_ = child(L"BUTTON", L" Mer information på nätet ", BS_GROUPBOX, {8, 96, 8 + 369, 96 + 49}, hwnd());
    lbURL_ = child(L"STATIC", L"", SS_LEFT | SS_NOPREFIX | SS_NOTIFY,
                   {kUrlAt.x, kUrlAt.y, kUrlAt.x + kUrlMaxWidth, kUrlAt.y + 13}, hwnd(), kUrlId, linkFont_);
    lbOpenNow_ = child(L"STATIC", L"Vill du gå vidare och starta det du klickade på nu?", SS_LEFT | SS_NOPREFIX,
                       {8, 160, 8 + 369, 160 + 13}, hwnd());
    btYes_ = child(L"BUTTON", L"Ja", BS_DEFPUSHBUTTON | WS_TABSTOP, {224, 184, 224 + 75, 184 + 23}, hwnd(), kYes);
    btNo_ = child(L"BUTTON", L"Nej", BS_PUSHBUTTON | WS_TABSTOP, {304, 184, 304 + 75, 184 + 23}, hwnd(), kNo);
    // Laid out as at 100 %, shown at the display's scale.
    scale_ = systemScale();
    scaleChildren(hwnd(), scale_);
    if (!scale_.isIdentity()) {
        DeleteObject(linkFont_);
        linkFont_ = underlined(uiFont(scale_));
        SendMessageW(lbURL_, WM_SETFONT, reinterpret_cast<WPARAM>(linkFont_), FALSE);
    }
}

TExtraInfoForm::~TExtraInfoForm() {
    if (keys_)
        MessageLoop::instance().removeFilter(*keys_);
    if (linkFont_)
        DeleteObject(linkFont_);
}

void TExtraInfoForm::setOwner(HWND owner) {
    owner_ = owner;
    SetWindowLongPtrW(hwnd(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
}

void TExtraInfoForm::prepare(const TExtraInfo& note, const std::string& caption, bool canRun) {
    SetWindowTextW(hwnd(), widen(caption).c_str());
    ShowWindow(gbMoreInfo_, note.Url.empty() ? SW_HIDE : SW_SHOW);
    ShowWindow(lbURL_, note.Url.empty() ? SW_HIDE : SW_SHOW);
    ShowWindow(lbOpenNow_, canRun ? SW_SHOW : SW_HIDE);
    ShowWindow(btYes_, canRun ? SW_SHOW : SW_HIDE);
    SetWindowTextW(btNo_, canRun ? L"Nej" : L"Stäng");
    setDefault(btYes_, canRun);
    setDefault(btNo_, !canRun);
    SetWindowTextW(lbInformation_, withWindowsLineBreaks(note.Information).c_str());

    // The address is as wide as its text, so only the text is a link.
    const std::wstring url = widen(note.Url);
    SetWindowTextW(lbURL_, url.c_str());
    const HDC dc = GetDC(lbURL_);
    const HGDIOBJ old = SelectObject(dc, linkFont_);
    SIZE extent{};
    GetTextExtentPoint32W(dc, url.c_str(), static_cast<int>(url.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(lbURL_, dc);
    SetWindowPos(lbURL_, nullptr, 0, 0, std::min<int>(extent.cx + 1, scale_.toPhysical(kUrlMaxWidth)),
                 std::max<int>(extent.cy, scale_.toPhysical(13)),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool TExtraInfoForm::askToStart(const TExtraInfo& note) {
    prepare(note, std::string(layout::kApplicationTitle) + " - Mer information", note.CanRun);
    return showModal() == kYes;
}

void TExtraInfoForm::showNotice(const TExtraInfo& note, const std::string& caption) {
    prepare(note, caption, false);
    showModal();
}

int TExtraInfoForm::showModal() {
    if (showing_)
        return IDCANCEL; // already up: a second showing would lose the first answer
    showing_ = true;
    result_ = IDCANCEL;
    const bool ownerEnabled = owner_ && IsWindowEnabled(owner_);
    if (ownerEnabled)
        EnableWindow(owner_, FALSE);
    centreOnScreen();
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
    SetFocus(defaultButton());
    keys_ = std::make_unique<DialogKeys>(hwnd());
    MessageLoop::instance().addFilter(*keys_);
    MessageLoop::instance().runUntil([this] { return !showing_; });
    MessageLoop::instance().removeFilter(*keys_);
    keys_.reset();
    // The owner first, so that it, not another program, becomes active.
    if (ownerEnabled)
        EnableWindow(owner_, TRUE);
    ShowWindow(hwnd(), SW_HIDE);
    showing_ = false;
    return result_;
}

void TExtraInfoForm::close(int result) {
    if (!showing_)
        return;
    result_ = result;
    showing_ = false;
}

void TExtraInfoForm::centreOnScreen() {
    // Where the reader's screen is now, which may differ from at start.
    const RECT r = centredOnScreen(kStyle, kExStyle, kClientWidth, kClientHeight);
    SetWindowPos(hwnd(), nullptr, r.left, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND TExtraInfoForm::defaultButton() const {
    // Enter presses the button that has the focus, else the default one.
    const HWND focus = GetFocus();
    if ((focus == btYes_ || focus == btNo_) && IsWindowVisible(focus))
        return focus;
    return IsWindowVisible(btYes_) ? btYes_ : btNo_;
}

void TExtraInfoForm::lbURLClick() {
    // Addresses from the update service open only when they are web pages.
    const int length = GetWindowTextLengthW(lbURL_);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(lbURL_, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    const std::string address = narrow(text);
    if (launcher_ && isWebPageAddress(address))
        launcher_->ExecuteFile(address);
}

LRESULT TExtraInfoForm::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND: {
        const auto from = reinterpret_cast<HWND>(lParam);
        if (from == btYes_ && HIWORD(wParam) == BN_CLICKED)
            close(kYes);
        else if (from == btNo_ && HIWORD(wParam) == BN_CLICKED)
            close(kNo);
        else if (from == lbURL_ && HIWORD(wParam) == STN_CLICKED)
            lbURLClick();
        else if (LOWORD(wParam) == IDCANCEL) // Escape
            close(kNo);
        else if (LOWORD(wParam) == IDOK) // Enter with no default button
            SendMessageW(defaultButton(), BM_CLICK, 0, 0);
        return 0;
    }
    case DM_GETDEFID:
        return MAKELRESULT(GetDlgCtrlID(defaultButton()), DC_HASDEFID);
    case WM_CLOSE:
        close(IDCANCEL);
        return 0;
    case WM_CTLCOLORSTATIC: {
        const auto dc = reinterpret_cast<HDC>(wParam);
        SetBkMode(dc, TRANSPARENT);
        if (reinterpret_cast<HWND>(lParam) == lbURL_)
            SetTextColor(dc, RGB(0, 0, 255));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wParam) == lbURL_) {
            SetCursor(LoadCursorW(nullptr, IDC_HAND));
            return TRUE;
        }
        break;
    default:
        break;
    }
    return defaultHandling(message, wParam, lParam);
}

} // namespace dv::win32
