#include "win32/browser/BrowserFrame.h"

namespace dv::win32 {

HRESULT BrowserFrame::QueryInterface(REFIID iid, void** object) {
    if (!object)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleWindow) ||
        IsEqualIID(iid, IID_IOleInPlaceUIWindow) || IsEqualIID(iid, IID_IOleInPlaceFrame)) {
        *object = static_cast<IOleInPlaceFrame*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG BrowserFrame::AddRef() {
    return ++references_;
}

ULONG BrowserFrame::Release() {
    const ULONG left = --references_;
    if (left == 0)
        delete this;
    return left;
}

HRESULT BrowserFrame::GetWindow(HWND* window) {
    if (!window)
        return E_POINTER;
    *window = GetAncestor(panel_, GA_ROOT);
    return *window ? S_OK : E_FAIL;
}

HRESULT BrowserFrame::ContextSensitiveHelp(WINBOOL) {
    return E_NOTIMPL;
}

// The control draws no toolbars into the frame.
HRESULT BrowserFrame::GetBorder(LPRECT) {
    return INPLACE_E_NOTOOLSPACE;
}
HRESULT BrowserFrame::RequestBorderSpace(LPCBORDERWIDTHS) {
    return INPLACE_E_NOTOOLSPACE;
}
HRESULT BrowserFrame::SetBorderSpace(LPCBORDERWIDTHS) {
    return S_OK;
}
HRESULT BrowserFrame::SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) {
    return S_OK;
}

HRESULT BrowserFrame::InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) {
    return S_OK;
}
HRESULT BrowserFrame::SetMenu(HMENU, HOLEMENU, HWND) {
    return S_OK;
}
HRESULT BrowserFrame::RemoveMenus(HMENU) {
    return S_OK;
}
// The status line follows the control's StatusTextChange event instead.
HRESULT BrowserFrame::SetStatusText(LPCOLESTR) {
    return S_OK;
}
HRESULT BrowserFrame::EnableModeless(WINBOOL) {
    return S_OK;
}
HRESULT BrowserFrame::TranslateAccelerator(LPMSG, WORD) {
    return S_FALSE;
}

} // namespace dv::win32
