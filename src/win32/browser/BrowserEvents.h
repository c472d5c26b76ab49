#pragma once

#include <string>

struct IDispatch;

namespace dv::win32 {

// The events of the WebBrowser control the program listens to, as typed calls.
class BrowserEvents {
  public:
    virtual ~BrowserEvents() = default;

    // Before any navigation of the browser or one of its frames. frame is the
    // browser object that navigates (the control itself or a frame's browser);
    // setting cancel stops the navigation.
    virtual void beforeNavigate2(IDispatch* frame, const std::wstring& url, bool& cancel) = 0;
    virtual void downloadBegin() = 0;
    virtual void downloadComplete() = 0;
    virtual void progressChange(long progress, long maximum) = 0;
    virtual void statusTextChange(const std::wstring& text) = 0;
    // The browser or one of its frames has begun to show the page at url
    // (after redirects): its document exists, its scripts have not run yet.
    virtual void navigateComplete2(IDispatch* frame, const std::wstring& url) = 0;
    // A document of the browser or one of its frames has loaded, or failed
    // to (navigateError); frame as for beforeNavigate2.
    virtual void documentComplete(IDispatch* frame) = 0;
    virtual void navigateError(IDispatch* frame) = 0;
};

} // namespace dv::win32
