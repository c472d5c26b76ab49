#include "win32/browser/Win32BrowserHost.h"

#include "core/browser/CommandLinkFilter.h"
#include "core/browser/DownloadIndicator.h"
#include "core/browser/StatusTextRule.h"
#include "core/shell/StatusLine.h"
#include "win32/browser/CommandMessage.h"
#include "win32/browser/FrameAddresses.h"
#include "win32/browser/InstalledEngineVersion.h"
#include "win32/browser/WebBrowserControl.h"
#include "win32/support/Utf16.h"

#include <climits>

using Microsoft::WRL::ComPtr;

namespace dv::win32 {

namespace {

// The address a browser object (the control or one of its frames) shows.
std::wstring locationOf(IDispatch* browser) {
    ComPtr<IWebBrowser2> web;
    if (!browser || FAILED(browser->QueryInterface(IID_PPV_ARGS(&web))))
        return {};
    BSTR location = nullptr;
    if (FAILED(web->get_LocationURL(&location)) || !location)
        return {};
    std::wstring text(location, SysStringLen(location));
    SysFreeString(location);
    return text;
}

int clampToInt(long value) {
    return static_cast<int>(value < INT_MIN ? INT_MIN : value > INT_MAX ? INT_MAX : value);
}

} // namespace

Win32BrowserHost::Win32BrowserHost(Parts parts)
    : p_(std::move(parts)), discPages_(p_.discRoot, realPaths_, PathCase::Insensitive) {}

Win32BrowserHost::~Win32BrowserHost() = default;

bool Win32BrowserHost::createControl() {
    control_ = WebBrowserControl::create(p_.panel, *this);
    return control_ != nullptr;
}

void Win32BrowserHost::destroyControl() {
    control_.reset();
}

std::optional<std::string> Win32BrowserHost::engineVersionText() const {
    return installedEngineVersionText();
}

char Win32BrowserHost::decimalSeparator() const {
    return localeDecimalSeparator(LOCALE_NAME_USER_DEFAULT);
}

void Win32BrowserHost::navigate(const std::string& address) {
    if (control_)
        control_->navigate(widen(address));
}

HWND Win32BrowserHost::browserWindow() const {
    return control_ ? control_->window() : nullptr;
}

bool Win32BrowserHost::browserBusy() const {
    if (!control_)
        return false;
    VARIANT busy = control_->property(WebBrowserControl::kBusy);
    const bool result = busy.vt == VT_BOOL && busy.boolVal != VARIANT_FALSE;
    VariantClear(&busy);
    return result;
}

ComPtr<IOleInPlaceActiveObject> Win32BrowserHost::inPlaceActiveObject() const {
    ComPtr<IOleInPlaceActiveObject> inPlace;
    if (!control_)
        return inPlace;
    VARIANT application = control_->property(WebBrowserControl::kApplication);
    if (application.vt == VT_DISPATCH && application.pdispVal)
        application.pdispVal->QueryInterface(IID_PPV_ARGS(&inPlace));
    VariantClear(&application);
    return inPlace;
}

void Win32BrowserHost::readerActed() {
    gesture_.readerActed(ReaderGesture::Clock::now());
}

PageKind Win32BrowserHost::kindOf(const std::wstring& address) const {
    const std::size_t colon = address.find(L':');
    const std::string scheme =
        colon == std::wstring::npos ? std::string() : narrow(address.substr(0, colon));
    return pageKindOf(scheme, pageFileOfUrl(address), discPages_, realPaths_);
}

void Win32BrowserHost::lookAtFrames() {
    if (!control_)
        return;
    for (const std::wstring& address : frameAddressesOf(control_->browser()))
        frames_.frameShows(address.empty() ? PageKind::Outside : kindOf(address));
}

bool Win32BrowserHost::navigatesFromDiscPage(IDispatch* frame) {
    if (!control_ || !discPages_.isDiscPage(pageFileOfUrl(locationOf(frame))))
        return false;
    // A frame's page is judged with the page around it (for the control
    // itself that is the same page again).
    if (!discPages_.isDiscPage(pageFileOfUrl(locationOf(&control_->browser()))))
        return false;
    // The frame that moves the top browser may be any of the page's.
    lookAtFrames();
    return frames_.commandsAllowed();
}

void Win32BrowserHost::beforeNavigate2(IDispatch* frame, const std::wstring& url, bool& cancel) {
    const NavigationDecision decision = beforeNavigate(narrow(url), navigatesFromDiscPage(frame));
    if (decision.navigate) {
        if (control_ && frame && !isControl(frame))
            frames_.frameShows(kindOf(url));
        return;
    }
    cancel = true;
    if (decision.command)
        sendCommand(p_.commandWindow, *decision.command,
                    gesture_.startOf(ReaderGesture::Clock::now()));
}

void Win32BrowserHost::downloadBegin() {
    p_.indicator.downloadBegin();
}

void Win32BrowserHost::downloadComplete() {
    p_.indicator.downloadComplete();
}

void Win32BrowserHost::progressChange(long progress, long maximum) {
    p_.indicator.progressChange(clampToInt(progress), clampToInt(maximum));
}

void Win32BrowserHost::statusTextChange(const std::wstring& text) {
    const std::string utf8 = narrow(text);
    if (statusTextReachesStatusLine(utf8))
        p_.status.setStatusText(utf8);
}

void Win32BrowserHost::navigateComplete2(IDispatch* frame, const std::wstring& url) {
    if (!control_)
        return;
    if (isControl(frame)) {
        // The top browser's new page begins here, before any of its frames
        // (a move within the page keeps its frames: they are looked at again).
        frames_.topPageShown(kindOf(locationOf(&control_->browser())));
        lookAtFrames();
    } else {
        // A frame's page is judged before its scripts can run, also when it
        // began loading while the page around it was still loading.
        frames_.frameShows(kindOf(url.empty() ? locationOf(frame) : url));
    }
}

void Win32BrowserHost::documentComplete(IDispatch* frame) {
    // Only a new page clears the watch (navigateComplete2): a frame that
    // began loading before the page ended is still the page's.
    if (control_ && isControl(frame))
        lookAtFrames();
    else if (control_)
        frames_.frameShows(kindOf(locationOf(frame)));
    pageEnded(frame);
}

void Win32BrowserHost::navigateError(IDispatch* frame) {
    pageEnded(frame);
}

bool Win32BrowserHost::isControl(IDispatch* frame) const {
    if (!control_ || !frame)
        return false;
    // One object, one IUnknown: the control itself, not one of its frames.
    // (MinGW's ComPtr has no ==: two of them compare as two true values,
    // so the pointers are compared.)
    ComPtr<IUnknown> ended;
    ComPtr<IUnknown> own;
    return SUCCEEDED(frame->QueryInterface(IID_PPV_ARGS(&ended))) &&
           SUCCEEDED(control_->browser().QueryInterface(IID_PPV_ARGS(&own))) &&
           ended.Get() == own.Get();
}

void Win32BrowserHost::pageEnded(IDispatch* frame) {
    if (p_.pageLoaded && isControl(frame))
        p_.pageLoaded();
}

} // namespace dv::win32
