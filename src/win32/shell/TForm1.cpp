#include "win32/shell/TForm1.h"

#include "core/app/DiscLayout.h"
#include "core/app/DiscPath.h"
#include "core/app/DiscRoot.h"
#include "core/app/MessageBoxes.h"
#include "core/app/PublisherAddresses.h"
#include "core/app/StartupTick.h"
#include "core/app/UrlHost.h"
#include "core/music/PlayerLayout.h"
#include "core/shell/HotSpotAccess.h"
#include "core/shell/MainWindowLayout.h"
#include "win32/browser/CommandMessage.h"
#include "win32/browser/InternetSettings.h"
#include "win32/browser/TExtraInfoForm.h"
#include "win32/browser/TProgStartingForm.h"
#include "win32/filesearch/TFileSearchForm.h"
#include "win32/music/PlayerControls.h"
#include "win32/music/Win32SaveDialog.h"
#include "win32/shell/SkinAccessible.h"
#include "win32/shell/TForm2.h"
#include "win32/shell/UnavailableBrowser.h"
#include "win32/shell/Win32PlatformFacts.h"
#include "win32/support/ExecutablePath.h"
#include "win32/support/StartupTrace.h"
#include "win32/support/UiFont.h"
#include "win32/support/Utf16.h"
#include "win32/support/WindowDpi.h"
#include "win32/update/TAutoUpdateSettingsForm.h"
#include "win32/update/UpdateChecker.h"

#include "win32/resources/ResourceIds.h"

#include <commctrl.h>
#include <windowsx.h>

#include <stdexcept>

namespace dv::win32 {

namespace {

constexpr UINT_PTR kStartupTimer = 1;
// The end of a page's loading, posted by the browser's event (kCommandMessage is WM_USER + 2).
constexpr UINT kPageLoaded = WM_USER + 3;
constexpr DWORD kShapedStyle = WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kBorderedStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

COLORREF toColorRef(Rgb c) {
    return RGB(c.red, c.green, c.blue);
}

HICON programIcon(int size) {
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_DATAVIND),
                                         IMAGE_ICON, size, size, LR_DEFAULTCOLOR | LR_SHARED));
}

} // namespace

TForm1::TForm1(Environment environment)
    : env_(std::move(environment)), logicalCatalog_(hostName(publisher::kMagazineHomePage)),
      catalog_(logicalCatalog_), hover_(*this, *this), indicator_(*this), focus_(catalog_, hover_) {
    if (!env_.messageBoxes)
        throw std::invalid_argument("TForm1 needs message boxes");
    // The window's own colour is also its key: the sky-blue corners of the
    // background become holes while the window is layered.
    const WindowClass windowClass{L"TForm1", 0, nullptr, IDC_ARROW,
                                  programIcon(GetSystemMetrics(SM_CXICON))};
    if (!create(windowClass, WS_EX_LAYERED | WS_EX_APPWINDOW, kShapedStyle,
                widen(layout::kWindowCaption), {0, 0, layout::kClientWidth, layout::kClientHeight},
                nullptr))
        throw std::runtime_error("Kunde inte skapa huvudfönstret");
    // 800 x 600 in the units of the display the window lies on.
    scale_ = windowScale(hwnd());
    catalog_ = logicalCatalog_.scaled(scale_);
    const RECT frame = windowFrame(scale_);
    SetWindowPos(hwnd(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetLayeredWindowAttributes(hwnd(), toColorRef(layout::kSkyBlue), 0, LWA_COLORKEY);
    SendMessageW(hwnd(), WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(programIcon(GetSystemMetrics(SM_CXSMICON))));
    FormCreate();
}

TForm1::~TForm1() {
    if (accessible_) {
        accessible_->disconnect();
        accessible_->Release();
        accessible_ = nullptr;
    }
    if (hook_)
        MessageLoop::instance().removeFilter(*hook_);
    if (hwnd())
        KillTimer(hwnd(), kStartupTimer);
    // The settings are written last, on every orderly exit.
    if (update_)
        update_->writeRegSettings();
}

PlatformFacts TForm1::platformFacts() const {
    return env_.platformFacts ? *env_.platformFacts : currentPlatformFacts(hwnd());
}

void TForm1::FormCreate() {
    skin_ = std::make_unique<SkinPictures>(catalog_, scale_);
    HotSpotTracker::Events events;
    events.enter = [this](const HotSpot& spot) {
        if (dispatch_)
            dispatch_->entered(spot);
    };
    events.leave = [this](const HotSpot& spot) {
        if (dispatch_)
            dispatch_->left(spot);
    };
    events.click = [this](const HotSpot& spot) { clicked(spot); };
    events.mouseUp = [this](const HotSpot& spot, int x, int) {
        if (dispatch_)
            reported([&] { dispatch_->released(spot, x); });
    };
    hotSpots_ = std::make_unique<HotSpotLayer>(hwnd(), catalog_, *skin_, std::move(events));
    hotSpots_->setArrowCursors(useArrowCursors(platformFacts()));

    discRoot_ = discRootFromExecutable(env_.executablePath.empty() ? executablePath()
                                                                   : env_.executablePath);
    createControls();
    createPlayer();

    // The update's question waits until the browser's event is over.
    const auto pageLoaded = [this] { PostMessageW(hwnd(), kPageLoaded, 0, 0); };
    browser_ = env_.createBrowser
                   ? env_.createBrowser(BrowserPlace{hwnd(), IEPanel_->hwnd(), discRoot_,
                                                     statusLine(), indicator_, pageLoaded})
                   : nullptr;
    if (!browser_)
        browser_ = std::make_unique<UnavailableBrowser>();
    MainWindowActions& actions = *this;
    HotSpotCommands& commands = *this;
    dispatch_ = std::make_unique<HotSpotDispatch>(
        HotSpotDispatch::Parts{hover_, keys_, actions, commands, *browser_, discRoot_});
    keyboard_ = std::make_unique<HotSpotKeyboard>(
        hwnd(), catalog_, focus_,
        HotSpotKeyboard::Events{[this](const HotSpot& spot) { clicked(spot); },
                                [this](bool) { return focusPage(); }});
    accessible_ = new SkinAccessible(SkinAccessible::Parts{
        hwnd(),
        catalog_,
        focus_,
        *keyboard_,
        {[this] { return statusText(); }, layout::kPanel2, HotSpotAccess::kStatusLineName},
        {[this] { return narrow(player_->titleText()); }, player::layout::kSongNameWhite,
         HotSpotAccess::kTitleLineName}});
    MainWindowFrame& frame = *this;
    tick_ = std::make_unique<StartupTick>([this] { return platformFacts(); }, discRoot_, frame,
                                          *browser_, *env_.messageBoxes);
    SetTimer(hwnd(), kStartupTimer, layout::kStartupDelayMs, nullptr);
}

void TForm1::createControls() {
    IEPanel_ = std::make_unique<Panel>(
        hwnd(), scale_.toPhysical(layout::kIEPanel),
        Panel::Look{RGB(255, 255, 255), RGB(0, 0, 0), {}, uiFont(scale_)}, layout::kIEPanelCaption);
    // Never seen: it lies outside the client area.
    Panel1_ = std::make_unique<Panel>(
        hwnd(), scale_.toPhysical(layout::kPanel1),
        Panel::Look{GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNTEXT), {}});
    Panel2_ = std::make_unique<Panel>(hwnd(), scale_.toPhysical(layout::kPanel2), Panel::Look{});
    const Rect bar = scale_.toPhysical(layout::kDocumentProgress);
    pbDocument_ =
        CreateWindowExW(0, PROGRESS_CLASSW, nullptr, WS_CHILD | WS_CLIPSIBLINGS, bar.left, bar.top,
                        bar.width, bar.height, hwnd(), nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(pbDocument_, PBM_SETRANGE32, 0, 100);
    pbDocumentView_.setBar(pbDocument_);
    placeControls();
}

void TForm1::placeControls() {
    IEPanel_->rescale(scale_.toPhysical(layout::kIEPanel),
                      Panel::Look{RGB(255, 255, 255), RGB(0, 0, 0), {}, uiFont(scale_)});
    Panel1_->rescale(
        scale_.toPhysical(layout::kPanel1),
        Panel::Look{GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNTEXT), {}, uiFont(scale_)});
    Panel2_->rescale(scale_.toPhysical(layout::kPanel2),
                     Panel::Look{toColorRef(layout::kStatusPanelColour), RGB(128, 128, 128),
                                 scale_.toPhysical(layout::kStatusLabel), uiFont(scale_)});
    const Rect bar = scale_.toPhysical(layout::kDocumentProgress);
    SetWindowPos(pbDocument_, nullptr, bar.left, bar.top, bar.width, bar.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT TForm1::windowFrame(const DisplayScale& scale) const {
    const Rect client = scale.toPhysical(Rect{0, 0, layout::kClientWidth, layout::kClientHeight});
    if (!bordered_)
        return {0, 0, client.width, client.height};
    return windowForClient(kBorderedStyle, WS_EX_APPWINDOW, client.width, client.height, scale);
}

void TForm1::scaleTo(const DisplayScale& scale) {
    scale_ = scale;
    // Copied over the same spots, which stay where they are: the layer and
    // the tracker keep pointers to them (a move would free them).
    const HotSpotCatalog scaled = logicalCatalog_.scaled(scale_);
    catalog_ = scaled;
    *skin_ = SkinPictures(catalog_, scale_);
    hotSpots_->placesChanged();
    placeControls();
    if (player_)
        player_->setScale(scale_);
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_FRAME);
}

LRESULT TForm1::dpiChanged(WPARAM wParam, LPARAM lParam) {
    const DisplayScale from = scale_;
    const DisplayScale to(LOWORD(wParam));
    const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
    POINT pointer{};
    RECT window{};
    GetCursorPos(&pointer);
    GetWindowRect(hwnd(), &window);
    POINT clientOrigin{0, 0};
    ClientToScreen(hwnd(), &clientOrigin);
    scaleTo(to);
    const RECT frame = windowFrame(to);
    POINT origin{suggested.left, suggested.top};
    if (PtInRect(&window, pointer)) {
        // The place of the skin under the pointer stays under it: the
        // window is moved with the pointer as the fixed point.
        const Point corner =
            anchoredWindowOrigin({pointer.x, pointer.y}, {clientOrigin.x, clientOrigin.y}, from, to,
                                 {-frame.left, -frame.top});
        origin = {corner.x, corner.y};
    }
    SetWindowPos(hwnd(), nullptr, origin.x, origin.y, frame.right - frame.left,
                 frame.bottom - frame.top, SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
}

void TForm1::createPlayer() {
    if (!env_.saveDialog) {
        ownSaveDialog_ = std::make_unique<Win32SaveDialog>(hwnd());
        env_.saveDialog = ownSaveDialog_.get();
    }
    player_ = std::make_unique<PlayerControls>(
        discRoot_,
        PlayerControls::Parts{hwnd(), statusLine(), hover_, *env_.messageBoxes, *env_.saveDialog,
                              [this](bool visible) { setHotSpotVisible("lbTrackBar", visible); }});
    player_->setScale(scale_);
    setMusicLoader([this] { player_->player().LoadMusic(); });
}

void TForm1::attachWindows(TFileSearchForm& fileSearch, TProgStartingForm& progStarting,
                           TAutoUpdateSettingsForm& consent, TExtraInfoForm& extraInfo,
                           TForm2& hiddenScreen) {
    fileSearch_ = &fileSearch;
    progStarting_ = &progStarting;
    consent_ = &consent;
    extraInfoForm_ = &extraInfo;
    hiddenScreen_ = &hiddenScreen;
    hiddenScreen.setFilm(resolveDiscPath(discRoot_ + std::string(disc::kHiddenScreenFilm)));
    // The search window leaves the screen with the main window and comes back with it.
    SetWindowLongPtrW(fileSearch.hwnd(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(hwnd()));
    MainWindowActions& actions = *this;
    commands_ = std::make_unique<CommandLinks>(
        CommandLinks::Parts{hwnd(), discRoot_, quarantine_, extraInfo_, extraInfo, progStarting,
                            actions, statusLine(), *env_.messageBoxes});
    consent.setOwner(hwnd());
    // Reads the settings now, as the window is put together; never creates them.
    update_ = std::make_unique<UpdateChecker>(
        UpdateChecker::Parts{discRoot_, quarantine_, extraInfo_, *env_.messageBoxes,
                             commands_->fileLauncher(), extraInfo, consent, statusLine(), hwnd()});
}

void TForm1::IECommand(const std::string& commandText, CommandStart start) {
    if (commands_)
        commands_->run(commandText, start);
}

void TForm1::show() {
    // Centred on the screen the window first appears on.
    RECT window;
    GetWindowRect(hwnd(), &window);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(hwnd(), MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& area = monitor.rcWork;
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    SetWindowPos(hwnd(), nullptr, area.left + (area.right - area.left - width) / 2,
                 area.top + (area.bottom - area.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(hwnd(), SW_SHOWNORMAL);
    UpdateWindow(hwnd());
}

void TForm1::StartupTimerTimer() {
    KillTimer(hwnd(), kStartupTimer);
    tick_->run();
}

void TForm1::setHotSpotVisible(std::string_view spot, bool visible) {
    hotSpots_->setVisible(spot, visible);
    focus_.setVisible(spot, visible);
    // Screen readers learn that the hot-spots offered have changed.
    NotifyWinEvent(EVENT_OBJECT_REORDER, hwnd(), OBJID_CLIENT, CHILDID_SELF);
}

void TForm1::setStatusText(const std::string& text) {
    Panel2_->setText(text);
}

void TForm1::setHighlightVisible(std::string_view pictureName, bool visible) {
    hotSpots_->setHighlightVisible(pictureName, visible);
}

void TForm1::setProgressVisible(bool visible) {
    pbDocumentView_.setProgressVisible(visible);
}

void TForm1::setProgressPosition(int position) {
    pbDocumentView_.setProgressPosition(position);
}

void TForm1::setProgressMaximum(int maximum) {
    pbDocumentView_.setProgressMaximum(maximum);
}

void TForm1::useBorderedWindow() {
    bordered_ = true;
    RECT window;
    GetWindowRect(hwnd(), &window);
    SetWindowLongPtrW(hwnd(), GWL_EXSTYLE, GetWindowLongPtrW(hwnd(), GWL_EXSTYLE) & ~WS_EX_LAYERED);
    const bool visible = IsWindowVisible(hwnd());
    SetWindowLongPtrW(hwnd(), GWL_STYLE, kBorderedStyle | (visible ? WS_VISIBLE : 0));
    // The client area keeps the background's size; the window grows around it
    // from where its top-left corner was.
    const RECT frame = windowFrame(scale_);
    SetWindowPos(hwnd(), nullptr, window.left, window.top, frame.right - frame.left,
                 frame.bottom - frame.top, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
}

void TForm1::installMessageHook() {
    if (!env_.createMessageHook)
        return;
    hook_ = env_.createMessageHook();
    if (hook_)
        MessageLoop::instance().addFilter(*hook_);
}

void TForm1::loadMusic() {
    if (musicLoader_)
        reported(musicLoader_);
}

void TForm1::closeMainWindow() {
    // After the current event: the window that sent it may still be in use.
    PostMessageW(hwnd(), WM_CLOSE, 0, 0);
}

void TForm1::minimiseApplication() {
    // The whole program leaves the screen: the windows it owns (the search
    // window) hide first and come back when it does.
    ShowOwnedPopups(hwnd(), FALSE);
    ShowWindow(hwnd(), SW_MINIMIZE);
}

bool TForm1::openInternetSettings() {
    return dv::win32::openInternetSettings(hwnd());
}

void TForm1::FormPaint(HDC dc, const RECT& area) {
    // Composed off screen, so a highlight never flickers over its background.
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0)
        return;
    const HDC memory = CreateCompatibleDC(dc);
    const HBITMAP canvas = CreateCompatibleBitmap(dc, width, height);
    const HGDIOBJ old = SelectObject(memory, canvas);
    SetViewportOrgEx(memory, -area.left, -area.top, nullptr);
    const HBRUSH sky = CreateSolidBrush(toColorRef(layout::kSkyBlue));
    FillRect(memory, &area, sky);
    DeleteObject(sky);
    skin_->background().draw(memory, 0, 0);
    hotSpots_->paint(memory);
    player_->paint(memory);
    keyboard_->paint(memory);
    SetViewportOrgEx(memory, 0, 0, nullptr);
    BitBlt(dc, area.left, area.top, width, height, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteObject(canvas);
    DeleteDC(memory);
}

bool TForm1::controlAt(POINT client) const {
    if (hotSpots_->controlAt(client.x, client.y) || player_->onKnob(client))
        return true;
    // Panels, the progress bar and the browser; disabled ones count too.
    const HWND child = ChildWindowFromPointEx(hwnd(), client, CWP_SKIPINVISIBLE);
    return child && child != hwnd();
}

LRESULT TForm1::hitTest(WPARAM wParam, LPARAM lParam) {
    const LRESULT hit = defaultHandling(WM_NCHITTEST, wParam, lParam);
    if (hit != HTCLIENT || bordered_)
        return hit;
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ScreenToClient(hwnd(), &point);
    // Bare background of the shaped window is a handle to drag it by.
    return controlAt(point) ? hit : HTCAPTION;
}

void TForm1::FormKeyPress(wchar_t unit) {
    // Characters outside the basic plane come as two units; one character at a time.
    std::wstring character(1, unit);
    if (unit >= 0xD800 && unit < 0xDC00) {
        pendingHighSurrogate_ = unit;
        return;
    }
    if (unit >= 0xDC00 && unit < 0xE000 && pendingHighSurrogate_)
        character.insert(character.begin(), pendingHighSurrogate_);
    pendingHighSurrogate_ = 0;
    if (keys_.type(narrow(character)) && hiddenScreen_)
        hiddenScreen_->showModal();
}

void TForm1::clicked(const HotSpot& spot) {
    if (dispatch_)
        reported([&] { dispatch_->clicked(spot); });
}

bool TForm1::focusPage() {
    // The innermost window of the browser takes the keys of the page.
    HWND page = GetWindow(IEPanel_->hwnd(), GW_CHILD);
    if (!page)
        return false;
    for (HWND inner = GetWindow(page, GW_CHILD); inner; inner = GetWindow(inner, GW_CHILD))
        page = inner;
    SetFocus(page);
    return GetFocus() == page;
}

IAccessible* TForm1::accessibleClient() const {
    return accessible_;
}

void TForm1::showFileSearch() {
    if (fileSearch_)
        fileSearch_->showModeless();
}

void TForm1::play() {
    player_->player().lbPlayClick();
}

void TForm1::stop() {
    player_->player().lbStopClick();
}

void TForm1::saveTrack() {
    player_->lbSaveMP3Click();
}

void TForm1::seek(int x, int width) {
    player_->player().lbTrackBarMouseUp(x, width);
}

void TForm1::reported(const std::function<void()>& work) {
    try {
        work();
    } catch (const std::exception& e) {
        env_.messageBoxes->show({layout::kApplicationTitle, e.what(), MessageIcon::Error});
    }
}

LRESULT TForm1::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // The volume knob takes the mouse before the hot-spots do.
    if (player_ && player_->mouseMessage(message, wParam, lParam))
        return 0;
    if (hotSpots_ && hotSpots_->handle(message, wParam, lParam))
        return message == WM_SETCURSOR ? TRUE : 0;
    if (keyboard_ && keyboard_->handle(message, wParam, lParam))
        return 0;
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // the background picture covers the whole client area
    case WM_PAINT: {
        PAINTSTRUCT ps;
        const HDC dc = BeginPaint(hwnd(), &ps);
        FormPaint(dc, ps.rcPaint);
        EndPaint(hwnd(), &ps);
        StartupTrace::mark("shown");
        return 0;
    }
    case WM_PRINTCLIENT: {
        const Rect client =
            scale_.toPhysical(Rect{0, 0, layout::kClientWidth, layout::kClientHeight});
        const RECT all{0, 0, client.width, client.height};
        FormPaint(reinterpret_cast<HDC>(wParam), all);
        return 0;
    }
    case WM_NCHITTEST:
        return hitTest(wParam, lParam);
    case WM_DPICHANGED:
        return dpiChanged(wParam, lParam);
    case WM_GETDPISCALEDSIZE: {
        // The exact size at the new scale, not Windows' estimate of it.
        const RECT frame = windowFrame(DisplayScale(static_cast<int>(wParam)));
        *reinterpret_cast<SIZE*>(lParam) = {frame.right - frame.left, frame.bottom - frame.top};
        return TRUE;
    }
    case WM_CHAR:
        FormKeyPress(static_cast<wchar_t>(wParam));
        return 0;
    case WM_SIZE:
        if (wParam == SIZE_RESTORED)
            ShowOwnedPopups(hwnd(), TRUE); // what left with the window comes back with it
        return defaultHandling(message, wParam, lParam);
    case kCommandMessage:
        return receiveCommand(wParam, [this](const std::string& command, CommandStart start) {
            IECommand(command, start);
        });
    case WM_TIMER:
        if (wParam == kStartupTimer) {
            StartupTimerTimer();
            return 0;
        }
        return defaultHandling(message, wParam, lParam);
    case kPageLoaded:
        // Only the first page of a run counts (the core's rule).
        if (update_)
            reported([this] { update_->startPageLoaded(); });
        return 0;
    case WM_GETOBJECT:
        if (const LRESULT object = accessible_ ? accessible_->answer(wParam, lParam) : 0)
            return object;
        return defaultHandling(message, wParam, lParam);
    case WM_DESTROY:
        if (accessible_)
            accessible_->disconnect();
        // Closing the main window ends the program, whatever else is open.
        PostQuitMessage(0);
        return 0;
    default:
        return defaultHandling(message, wParam, lParam);
    }
}

} // namespace dv::win32
