#pragma once

#include "core/browser/BrowserHost.h"
#include "core/browser/DiscPageCheck.h"
#include "core/browser/FrameWatch.h"
#include "core/browser/ReaderGesture.h"
#include "win32/browser/BrowserEvents.h"
#include "win32/browser/HookedBrowser.h"
#include "win32/browser/Win32RealPaths.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace dv {
class DownloadIndicator;
class StatusLine;
} // namespace dv

namespace dv::win32 {

class WebBrowserControl;

// The main browser: the WebBrowser control filling the host panel. Its
// download events drive the download indicator, its status texts reach the
// status line through the core's rule, and every navigation passes the
// command-link filter: a command link is cancelled and, when the page that
// navigates is one of the disc's own, its command is sent to the main window,
// as the reader's or the page script's (the reader's acts in the page tell),
// and has run, or been refused, when the event returns.
class Win32BrowserHost : public BrowserHost, public HookedBrowser, private BrowserEvents {
  public:
    struct Parts {
        HWND panel;         // IEPanel, which the control fills
        HWND commandWindow; // takes the command message
        std::string discRoot;
        StatusLine& status;
        DownloadIndicator& indicator;
        // The end of a page's loading in the control itself (not a frame),
        // whether the page loaded or not; may be empty.
        std::function<void()> pageLoaded = {};
    };

    explicit Win32BrowserHost(Parts parts);
    ~Win32BrowserHost() override;

    bool createControl() override;
    void destroyControl() override;
    bool hasControl() const override { return control_ != nullptr; }
    std::optional<std::string> engineVersionText() const override;
    char decimalSeparator() const override;
    void navigate(const std::string& address) override;

    // The control while there is one.
    WebBrowserControl* control() const { return control_.get(); }

    HWND browserWindow() const override;
    bool browserBusy() const override;
    Microsoft::WRL::ComPtr<IOleInPlaceActiveObject> inPlaceActiveObject() const override;
    void readerActed() override;

  private:
    void beforeNavigate2(IDispatch* frame, const std::wstring& url, bool& cancel) override;
    void downloadBegin() override;
    void downloadComplete() override;
    void progressChange(long progress, long maximum) override;
    void statusTextChange(const std::wstring& text) override;
    void navigateComplete2(IDispatch* frame, const std::wstring& url) override;
    void documentComplete(IDispatch* frame) override;
    void navigateError(IDispatch* frame) override;
    void pageEnded(IDispatch* frame);
    bool isControl(IDispatch* frame) const;

    // True when the browser that navigates, and the page around it, show
    // pages of the disc, and no frame of the page has shown one from
    // outside it.
    bool navigatesFromDiscPage(IDispatch* frame);
    // What an address shows: a disc page, the web, ...
    PageKind kindOf(const std::wstring& address) const;
    // Tells the watch what every frame of the page shows now.
    void lookAtFrames();

    Parts p_;
    Win32RealPaths realPaths_;
    DiscPageCheck discPages_;
    FrameWatch frames_;
    ReaderGesture gesture_;
    std::unique_ptr<WebBrowserControl> control_;
};

} // namespace dv::win32
