#include "win32/browser/BrowserSite.h"

#include "win32/browser/BrowserFrame.h"

namespace dv::win32 {

BrowserSite::BrowserSite(HWND panel) : panel_(panel), frame_(new BrowserFrame(panel)) {}

BrowserSite::~BrowserSite() {
    frame_->Release();
}

DWORD BrowserSite::hostFlags() {
    // Pages fill the panel edge to edge, with the system's themed controls,
    // at the display's real resolution (the program is DPI aware).
    return DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_NO3DOUTERBORDER | DOCHOSTUIFLAG_THEME |
           DOCHOSTUIFLAG_DPI_AWARE;
}

HRESULT BrowserSite::QueryInterface(REFIID iid, void** object) {
    if (!object)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleClientSite))
        *object = static_cast<IOleClientSite*>(this);
    else if (IsEqualIID(iid, IID_IOleWindow) || IsEqualIID(iid, IID_IOleInPlaceSite))
        *object = static_cast<IOleInPlaceSite*>(this);
    else if (IsEqualIID(iid, IID_IDocHostUIHandler))
        *object = static_cast<IDocHostUIHandler*>(this);
    else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG BrowserSite::AddRef() {
    return ++references_;
}

ULONG BrowserSite::Release() {
    const ULONG left = --references_;
    if (left == 0)
        delete this;
    return left;
}

// IOleClientSite: a site without storage or monikers.
HRESULT BrowserSite::SaveObject() {
    return S_OK;
}

HRESULT BrowserSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    if (moniker)
        *moniker = nullptr;
    return E_NOTIMPL;
}

HRESULT BrowserSite::GetContainer(IOleContainer** container) {
    if (container)
        *container = nullptr;
    return E_NOINTERFACE;
}

HRESULT BrowserSite::ShowObject() {
    return S_OK;
}
HRESULT BrowserSite::OnShowWindow(WINBOOL) {
    return S_OK;
}
HRESULT BrowserSite::RequestNewObjectLayout() {
    return E_NOTIMPL;
}

// IOleInPlaceSite: the control lives inside the panel and fills it.
HRESULT BrowserSite::GetWindow(HWND* window) {
    if (!window)
        return E_POINTER;
    *window = panel_;
    return S_OK;
}

HRESULT BrowserSite::ContextSensitiveHelp(WINBOOL) {
    return E_NOTIMPL;
}
HRESULT BrowserSite::CanInPlaceActivate() {
    return S_OK;
}
HRESULT BrowserSite::OnInPlaceActivate() {
    return S_OK;
}
HRESULT BrowserSite::OnUIActivate() {
    return S_OK;
}

HRESULT BrowserSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                      LPRECT position, LPRECT clip,
                                      LPOLEINPLACEFRAMEINFO frameInfo) {
    if (!frame || !document || !position || !clip || !frameInfo)
        return E_POINTER;
    frame_->AddRef();
    *frame = frame_;
    *document = nullptr;
    GetClientRect(panel_, position);
    *clip = *position;
    frameInfo->fMDIApp = FALSE;
    frameInfo->hwndFrame = GetAncestor(panel_, GA_ROOT);
    frameInfo->haccel = nullptr;
    frameInfo->cAccelEntries = 0;
    return S_OK;
}

HRESULT BrowserSite::Scroll(SIZE) {
    return E_NOTIMPL;
}
HRESULT BrowserSite::OnUIDeactivate(WINBOOL) {
    return S_OK;
}
HRESULT BrowserSite::OnInPlaceDeactivate() {
    return S_OK;
}
HRESULT BrowserSite::DiscardUndoState() {
    return E_NOTIMPL;
}
HRESULT BrowserSite::DeactivateAndUndo() {
    return E_NOTIMPL;
}
HRESULT BrowserSite::OnPosRectChange(LPCRECT) {
    return S_OK;
}

// IDocHostUIHandler
HRESULT BrowserSite::ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) {
    // S_OK says the host has shown its own menu: none opens.
    return S_OK;
}

HRESULT BrowserSite::GetHostInfo(DOCHOSTUIINFO* info) {
    if (!info || info->cbSize < sizeof(DOCHOSTUIINFO))
        return E_INVALIDARG;
    info->dwFlags = hostFlags();
    info->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
    info->pchHostCss = nullptr;
    info->pchHostNS = nullptr;
    return S_OK;
}

// The program shows no menus or toolbars of the document's.
HRESULT BrowserSite::ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*, IOleInPlaceFrame*,
                            IOleInPlaceUIWindow*) {
    return S_OK;
}

HRESULT BrowserSite::HideUI() {
    return S_OK;
}
HRESULT BrowserSite::UpdateUI() {
    return S_OK;
}
HRESULT BrowserSite::EnableModeless(WINBOOL) {
    return S_OK;
}
HRESULT BrowserSite::OnDocWindowActivate(WINBOOL) {
    return S_OK;
}
HRESULT BrowserSite::OnFrameWindowActivate(WINBOOL) {
    return S_OK;
}
HRESULT BrowserSite::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, WINBOOL) {
    return S_OK;
}
// Keys go to the document's own handling (the message hook decides which).
HRESULT BrowserSite::TranslateAccelerator(LPMSG, const GUID*, DWORD) {
    return S_FALSE;
}

HRESULT BrowserSite::GetOptionKeyPath(LPOLESTR* key, DWORD) {
    if (key)
        *key = nullptr;
    return S_FALSE;
}

HRESULT BrowserSite::GetDropTarget(IDropTarget*, IDropTarget** target) {
    if (target)
        *target = nullptr;
    return E_NOTIMPL;
}

HRESULT BrowserSite::GetExternal(IDispatch** external) {
    // Pages get no object of the program's to script.
    if (external)
        *external = nullptr;
    return S_FALSE;
}

HRESULT BrowserSite::TranslateUrl(DWORD, LPWSTR, LPWSTR* translated) {
    if (translated)
        *translated = nullptr;
    return S_FALSE;
}

HRESULT BrowserSite::FilterDataObject(IDataObject*, IDataObject** filtered) {
    if (filtered)
        *filtered = nullptr;
    return S_FALSE;
}

} // namespace dv::win32
