#include "win32/browser/BrowserEventSink.h"

#include "core/app/ErrorReportText.h"
#include "win32/browser/BrowserEvents.h"
#include "win32/support/ErrorReport.h"
#include "win32/support/StartupTrace.h"

#include <exdisp.h>
#include <exdispid.h>

#include <exception>
#include <string>

namespace dv::win32 {

namespace {

// The arguments come last to first; position counts from the first.
const VARIANT* argument(const DISPPARAMS& params, UINT position) {
    if (position >= params.cArgs || !params.rgvarg)
        return nullptr;
    const VARIANT* v = &params.rgvarg[params.cArgs - 1 - position];
    // Out and in-out arguments come as references to a variant.
    if (v->vt == (VT_BYREF | VT_VARIANT) && v->pvarVal)
        v = v->pvarVal;
    return v;
}

std::wstring textOf(const VARIANT* v) {
    if (!v)
        return {};
    if (v->vt == VT_BSTR && v->bstrVal)
        return {v->bstrVal, SysStringLen(v->bstrVal)};
    if (v->vt == (VT_BYREF | VT_BSTR) && v->pbstrVal && *v->pbstrVal)
        return {*v->pbstrVal, SysStringLen(*v->pbstrVal)};
    return {};
}

long numberOf(const VARIANT* v) {
    if (!v)
        return 0;
    VARIANT source = *v; // a shallow copy: the call takes no const source
    VARIANT converted;
    VariantInit(&converted);
    if (FAILED(VariantChangeType(&converted, &source, 0, VT_I4)))
        return 0;
    return converted.lVal;
}

IDispatch* dispatchOf(const VARIANT* v) {
    if (!v)
        return nullptr;
    if (v->vt == VT_DISPATCH)
        return v->pdispVal;
    if (v->vt == (VT_BYREF | VT_DISPATCH) && v->ppdispVal)
        return *v->ppdispVal;
    return nullptr;
}

VARIANT_BOOL* cancelFlagOf(const VARIANT* v) {
    if (v && v->vt == (VT_BYREF | VT_BOOL))
        return v->pboolVal;
    return nullptr;
}

} // namespace

HRESULT BrowserEventSink::QueryInterface(REFIID iid, void** object) {
    if (!object)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
        IsEqualIID(iid, DIID_DWebBrowserEvents2)) {
        *object = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG BrowserEventSink::AddRef() {
    return ++references_;
}

ULONG BrowserEventSink::Release() {
    const ULONG left = --references_;
    if (left == 0)
        delete this;
    return left;
}

HRESULT BrowserEventSink::GetTypeInfoCount(UINT* count) {
    if (count)
        *count = 0;
    return S_OK;
}

HRESULT BrowserEventSink::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info)
        *info = nullptr;
    return E_NOTIMPL;
}

HRESULT BrowserEventSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return E_NOTIMPL;
}

HRESULT BrowserEventSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                                 EXCEPINFO*, UINT*) {
    if (!params)
        return E_INVALIDARG;
    // The listener may close the program from inside an event; stay alive
    // until the call is done.
    AddRef();
    HRESULT result = S_OK;
    try {
        result = dispatch(id, *params);
    } catch (const std::exception& e) {
        reportUnhandled(e.what());
    } catch (...) {
        reportUnhandled(kUnknownErrorText);
    }
    Release();
    return result;
}

HRESULT BrowserEventSink::dispatch(DISPID id, const DISPPARAMS& params) {
    if (!listener_)
        return S_OK;
    switch (id) {
    case DISPID_BEFORENAVIGATE2: {
        // (pDisp, URL, Flags, TargetFrameName, PostData, Headers, Cancel)
        VARIANT_BOOL* cancelFlag = cancelFlagOf(argument(params, 6));
        bool cancel = cancelFlag && *cancelFlag != VARIANT_FALSE;
        listener_->beforeNavigate2(dispatchOf(argument(params, 0)), textOf(argument(params, 1)),
                                   cancel);
        if (cancelFlag && cancel)
            *cancelFlag = VARIANT_TRUE;
        return S_OK;
    }
    case DISPID_DOWNLOADBEGIN:
        listener_->downloadBegin();
        return S_OK;
    case DISPID_DOWNLOADCOMPLETE:
        listener_->downloadComplete();
        return S_OK;
    case DISPID_PROGRESSCHANGE:
        listener_->progressChange(numberOf(argument(params, 0)), numberOf(argument(params, 1)));
        return S_OK;
    case DISPID_STATUSTEXTCHANGE:
        listener_->statusTextChange(textOf(argument(params, 0)));
        return S_OK;
    case DISPID_NAVIGATECOMPLETE2:
        // (pDisp, URL)
        listener_->navigateComplete2(dispatchOf(argument(params, 0)), textOf(argument(params, 1)));
        return S_OK;
    case DISPID_DOCUMENTCOMPLETE:
        // (pDisp, URL)
        StartupTrace::mark("loaded");
        listener_->documentComplete(dispatchOf(argument(params, 0)));
        return S_OK;
    case DISPID_NAVIGATEERROR:
        // (pDisp, URL, Frame, StatusCode, Cancel): the control's own error
        // page follows, as it should.
        listener_->navigateError(dispatchOf(argument(params, 0)));
        return S_OK;
    default:
        // Every other event is left to the control's own behaviour.
        return S_OK;
    }
}

} // namespace dv::win32
