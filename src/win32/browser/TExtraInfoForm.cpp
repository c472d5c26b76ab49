#include "win32/browser/TExtraInfoForm.h"

#include "core/browser/FileLauncher.h"
#include "core/browser/TExtraInfo.h"
#include "win32/browser/DialogKeys.h"
#include "win32/support/MessageLoop.h"
#include "win32/support/UiFont.h"
#include "win32/support/Utf16.h"
#include "win32/support/Win32TextMeasure.h"
#include "win32/support/WindowPlacement.h"

#include <stdexcept>

namespace dv::win32 {

namespace {

using ExtraInfoModel = ExtraInfoDialogModel;

constexpr DWORD kExtraInfoStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPSIBLINGS;
constexpr DWORD kExtraInfoExStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
constexpr int kUrlId = 100;

HWND child(const wchar_t* windowClass, const wchar_t* text, DWORD style, HWND parent, int id = 0,
           HFONT font = uiFont(systemScale())) {
    const HWND h = CreateWindowExW(0, windowClass, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0,
                                   parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   GetModuleHandleW(nullptr), nullptr);
    SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return h;
}

HFONT underlined(HFONT base) {
    LOGFONTW font{};
    GetObjectW(base, sizeof font, &font);
    font.lfUnderline = TRUE;
    return CreateFontIndirectW(&font);
}

// Static and edit controls break lines at CR LF; the model's lines end in LF.
std::wstring withWindowsLineBreaks(const std::string& text) {
    std::wstring out;
    for (const wchar_t c : widen(text)) {
        if (c == L'\n')
            out += L'\r';
        out += c;
    }
    return out;
}

void setDefault(HWND button, bool isDefault) {
    SendMessageW(button, BM_SETSTYLE,
                 static_cast<WPARAM>(isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), TRUE);
}

} // namespace

TExtraInfoForm::TExtraInfoForm(HWND owner) : owner_(owner) {
    if (!create({L"TExtraInfoForm", 0, GetSysColorBrush(COLOR_BTNFACE)}, kExtraInfoExStyle,
                kExtraInfoStyle, widen(ExtraInfoModel::questionCaption()),
                centredOnScreen(kExtraInfoStyle, kExtraInfoExStyle, 386, 217), owner))
        throw std::runtime_error("Kunde inte skapa informationsfönstret");
    linkFont_ = underlined(uiFont(systemScale()));

    // Texts from outside never turn "&" into an underlined letter.
    lbInformation_ = child(L"STATIC", L"", SS_LEFT | SS_NOPREFIX, hwnd());
    // A note too long for the label is shown whole in a scrolling field in
    // its place, so the buttons keep theirs.
    ebInformation_ =
        child(L"EDIT", L"", ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_TABSTOP, hwnd());
    gbMoreInfo_ =
        child(L"BUTTON", widen(ExtraInfoModel::kMoreInfoTitle).c_str(), BS_GROUPBOX, hwnd());
    lbURL_ = child(L"STATIC", L"", SS_LEFT | SS_NOPREFIX | SS_NOTIFY, hwnd(), kUrlId, linkFont_);
    lbOpenNow_ =
        child(L"STATIC", widen(ExtraInfoModel::kOpenNow).c_str(), SS_LEFT | SS_NOPREFIX, hwnd());
    btYes_ = child(L"BUTTON", widen(ExtraInfoModel::kYes).c_str(), BS_DEFPUSHBUTTON | WS_TABSTOP,
                   hwnd(), kYes);
    btNo_ = child(L"BUTTON", widen(ExtraInfoModel::kNo).c_str(), BS_PUSHBUTTON | WS_TABSTOP, hwnd(),
                  kNo);
    // As the form was drawn: a note that may run.
    present(ExtraInfoModel::question({"", "", "", true}));
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

void TExtraInfoForm::present(const ExtraInfoView& view) {
    view_ = view;
    SetWindowTextW(hwnd(), widen(view.caption).c_str());
    ShowWindow(gbMoreInfo_, view.moreInfoVisible ? SW_SHOW : SW_HIDE);
    ShowWindow(lbURL_, view.moreInfoVisible ? SW_SHOW : SW_HIDE);
    ShowWindow(lbOpenNow_, view.openNowVisible ? SW_SHOW : SW_HIDE);
    ShowWindow(btYes_, view.yesVisible ? SW_SHOW : SW_HIDE);
    SetWindowTextW(btNo_, widen(view.noText).c_str());
    setDefault(btYes_, view.defaultButton == ExtraInfoView::Button::Yes);
    setDefault(btNo_, view.defaultButton == ExtraInfoView::Button::No);
    SetWindowTextW(lbURL_, widen(view.url).c_str());

    const ExtraInfoLayout l = ExtraInfoModel::layout(view, Win32TextMeasure(uiFont()));
    clientWidth_ = l.clientWidth;
    clientHeight_ = l.clientHeight;
    const std::wstring information = withWindowsLineBreaks(view.information);
    SetWindowTextW(lbInformation_, l.informationScrolls ? L"" : information.c_str());
    SetWindowTextW(ebInformation_, l.informationScrolls ? information.c_str() : L"");
    ShowWindow(lbInformation_, l.informationScrolls ? SW_HIDE : SW_SHOW);
    ShowWindow(ebInformation_, l.informationScrolls ? SW_SHOW : SW_HIDE);
    place(lbInformation_, l.lbInformation);
    place(ebInformation_, l.lbInformation);
    place(gbMoreInfo_, l.gbMoreInfo);
    // lbURL is a child of the dialog that lies inside the group box.
    place(lbURL_, {l.gbMoreInfo.left + l.lbURL.left, l.gbMoreInfo.top + l.lbURL.top, l.lbURL.width,
                   l.lbURL.height});
    place(lbOpenNow_, l.lbOpenNow);
    place(btYes_, l.btYes);
    place(btNo_, l.btNo);
}

bool TExtraInfoForm::askToStart(const TExtraInfo& note) {
    present(ExtraInfoModel::question(note));
    return ExtraInfoModel::starts(static_cast<ExtraInfoModel::Result>(showModal()));
}

void TExtraInfoForm::showNotice(const TExtraInfo& note, const std::string& caption) {
    present(ExtraInfoModel::notice(note, caption));
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
    const RECT r = centredOnScreen(kExtraInfoStyle, kExtraInfoExStyle, clientWidth_, clientHeight_);
    SetWindowPos(hwnd(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND TExtraInfoForm::defaultButton() const {
    return view_.defaultButton == ExtraInfoView::Button::Yes ? btYes_ : btNo_;
}

std::optional<ExtraInfoView::Button> TExtraInfoForm::focusedButton() const {
    const HWND focus = GetFocus();
    if (focus == btYes_)
        return ExtraInfoView::Button::Yes;
    if (focus == btNo_)
        return ExtraInfoView::Button::No;
    return std::nullopt;
}

HWND TExtraInfoForm::enterButton() const {
    const auto result = ExtraInfoModel::onKey(ExtraInfoModel::Key::Enter, view_, focusedButton());
    return result == ExtraInfoModel::Result::Yes ? btYes_ : btNo_;
}

void TExtraInfoForm::onKey(ExtraInfoDialogModel::Key key) {
    if (const auto result = ExtraInfoModel::onKey(key, view_, focusedButton()))
        close(static_cast<int>(*result));
}

void TExtraInfoForm::lbURLClick() {
    if (const auto address = ExtraInfoModel::addressToOpen(view_.url); address && launcher_)
        launcher_->ExecuteFile(*address);
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
        else if (LOWORD(wParam) == IDCANCEL)
            onKey(ExtraInfoModel::Key::Escape);
        else if (LOWORD(wParam) == IDOK) // Enter on no button
            onKey(ExtraInfoModel::Key::Enter);
        return 0;
    }
    case DM_GETDEFID:
        // The dialog keys press the button the model says Enter presses.
        return MAKELRESULT(GetDlgCtrlID(enterButton()), DC_HASDEFID);
    case WM_CLOSE:
        close(IDCANCEL);
        return 0;
    case WM_CTLCOLORSTATIC: {
        const auto dc = reinterpret_cast<HDC>(wParam);
        // The scrolling field paints its own background, or scrolled lines smear.
        if (reinterpret_cast<HWND>(lParam) == ebInformation_)
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        else
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
