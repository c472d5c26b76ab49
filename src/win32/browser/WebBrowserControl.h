#pragma once

#include <ole2.h>
#include <exdisp.h>
#include <wrl/client.h>

#include <memory>
#include <string>

namespace dv::win32 {

class BrowserEvents;
class BrowserEventSink;
class BrowserSite;

// The WebBrowser control, in-place active in a host panel that it fills, with
// its events going to a listener. Made only by create(); gone with its object.
class WebBrowserControl {
  public:
    // The control's automation properties the program uses.
    static constexpr DISPID kApplication = 200;
    static constexpr DISPID kBusy = 212;
    static constexpr DISPID kVisible = 402;
    static constexpr DISPID kRegisterAsBrowser = 552;

    // Creates the control in the panel and connects its events; nullptr when
    // the control cannot be created or wired.
    static std::unique_ptr<WebBrowserControl> create(HWND panel, BrowserEvents& events);
    ~WebBrowserControl();
    WebBrowserControl(const WebBrowserControl&) = delete;
    WebBrowserControl& operator=(const WebBrowserControl&) = delete;

    IWebBrowser2& browser() const { return *browser_.Get(); }
    // The control's own window inside the panel.
    HWND window() const { return window_; }
    // The sink the control's events arrive at.
    IDispatch& eventSink() const;

    // Navigates with the address alone: no flags, frame, post data or headers.
    void navigate(const std::wstring& address);

    // Reads a property through the control's dispatch interface; empty
    // variant when it cannot be read.
    VARIANT property(DISPID id) const;
    bool setProperty(DISPID id, bool value);

  private:
    WebBrowserControl() = default;
    bool build(HWND panel, BrowserEvents& events);

    bool oleStarted_ = false;
    BrowserSite* site_ = nullptr;
    BrowserEventSink* sink_ = nullptr;
    Microsoft::WRL::ComPtr<IOleObject> object_;
    Microsoft::WRL::ComPtr<IWebBrowser2> browser_;
    Microsoft::WRL::ComPtr<IConnectionPoint> events_;
    DWORD cookie_ = 0;
    HWND window_ = nullptr;
};

} // namespace dv::win32
