#include "win32/browser/WebBrowserControl.h"

#include "win32/browser/BrowserEventSink.h"
#include "win32/browser/BrowserSite.h"

#include <ocidl.h>

using Microsoft::WRL::ComPtr;

namespace dv::win32 {

namespace {

// A BSTR for the length of one call.
class Bstr {
  public:
    explicit Bstr(const std::wstring& text)
        : value_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
    ~Bstr() { SysFreeString(value_); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    BSTR get() const { return value_; }

  private:
    BSTR value_;
};

} // namespace

std::unique_ptr<WebBrowserControl> WebBrowserControl::create(HWND panel, BrowserEvents& events) {
    std::unique_ptr<WebBrowserControl> control(new WebBrowserControl);
    if (!control->build(panel, events))
        return nullptr;
    return control;
}

bool WebBrowserControl::build(HWND panel, BrowserEvents& events) {
    if (!IsWindow(panel))
        return false;
    // The control needs OLE on this thread (drag and drop, the clipboard);
    // the calls nest, so each control holds one.
    if (FAILED(OleInitialize(nullptr)))
        return false;
    oleStarted_ = true;

    if (FAILED(CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(&object_))))
        return false;
    site_ = new BrowserSite(panel);
    if (FAILED(object_->SetClientSite(site_)))
        return false;
    if (FAILED(object_.As(&browser_)))
        return false;
    setProperty(kVisible, true);

    RECT bounds{};
    GetClientRect(panel, &bounds);
    if (FAILED(object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_, 0, panel, &bounds)))
        return false;
    ComPtr<IOleInPlaceObject> inPlace;
    if (FAILED(object_.As(&inPlace)) || FAILED(inPlace->GetWindow(&window_)) || !window_)
        return false;
    inPlace->SetObjectRects(&bounds, &bounds);
    EnableWindow(window_, TRUE);
    setProperty(kRegisterAsBrowser, true);

    ComPtr<IConnectionPointContainer> points;
    if (FAILED(object_.As(&points)) ||
        FAILED(points->FindConnectionPoint(DIID_DWebBrowserEvents2, &events_)))
        return false;
    sink_ = new BrowserEventSink(events);
    if (FAILED(events_->Advise(sink_, &cookie_))) {
        cookie_ = 0;
        return false;
    }
    return true;
}

WebBrowserControl::~WebBrowserControl() {
    if (sink_)
        sink_->detach();
    if (events_ && cookie_)
        events_->Unadvise(cookie_);
    events_.Reset();
    if (object_) {
        ComPtr<IOleInPlaceObject> inPlace;
        if (SUCCEEDED(object_.As(&inPlace)))
            inPlace->InPlaceDeactivate();
        object_->Close(OLECLOSE_NOSAVE);
        object_->SetClientSite(nullptr);
    }
    browser_.Reset();
    object_.Reset();
    if (sink_)
        sink_->Release();
    if (site_)
        site_->Release();
    if (oleStarted_)
        OleUninitialize();
}

IDispatch& WebBrowserControl::eventSink() const {
    return *sink_;
}

void WebBrowserControl::navigate(const std::wstring& address) {
    const Bstr url(address);
    VARIANT none;
    VariantInit(&none);
    browser_->Navigate(url.get(), &none, &none, &none, &none);
}

VARIANT WebBrowserControl::property(DISPID id) const {
    VARIANT result;
    VariantInit(&result);
    DISPPARAMS noArguments{nullptr, nullptr, 0, 0};
    if (FAILED(browser_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET,
                                &noArguments, &result, nullptr, nullptr)))
        VariantClear(&result);
    return result;
}

bool WebBrowserControl::setProperty(DISPID id, bool value) {
    VARIANT argument;
    VariantInit(&argument);
    argument.vt = VT_BOOL;
    argument.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{&argument, &named, 1, 1};
    return SUCCEEDED(browser_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT,
                                      &params, nullptr, nullptr, nullptr));
}

} // namespace dv::win32
