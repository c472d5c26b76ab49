#pragma once

#include <ole2.h>

namespace dv::win32 {

class BrowserEvents;

// COM objects end through Release and are final, so the interfaces'
// non-virtual destructors are never used to delete them.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
// The sink of the control's DWebBrowserEvents2 connection point. It turns the
// dispatch calls into typed calls on its listener; detach() cuts it off when
// the control goes away while the control may still hold a reference.
class BrowserEventSink final : public IDispatch {
  public:
    explicit BrowserEventSink(BrowserEvents& listener) : listener_(&listener) {}
    BrowserEventSink(const BrowserEventSink&) = delete;
    BrowserEventSink& operator=(const BrowserEventSink&) = delete;

    void detach() { listener_ = nullptr; }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argumentError) override;

  private:
    ~BrowserEventSink() = default;
    HRESULT dispatch(DISPID id, const DISPPARAMS& params);

    ULONG references_ = 1;
    BrowserEvents* listener_;
};
#pragma GCC diagnostic pop

} // namespace dv::win32
