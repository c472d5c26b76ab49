#pragma once

#include <ole2.h>
#include <wrl/client.h>

namespace dv::win32 {

// What the application-wide message hook needs of the main browser.
class HookedBrowser {
  public:
    virtual ~HookedBrowser() = default;
    // The control's window; nullptr while there is no browser.
    virtual HWND browserWindow() const = 0;
    // The control's Busy property.
    virtual bool browserBusy() const = 0;
    // The in-place object behind the control's Application property; empty
    // when it has none.
    virtual Microsoft::WRL::ComPtr<IOleInPlaceActiveObject> inPlaceActiveObject() const = 0;
    // The reader clicked or pressed a key in the page (before the message
    // is handled: a link it follows navigates while it is).
    virtual void readerActed() = 0;
};

} // namespace dv::win32
