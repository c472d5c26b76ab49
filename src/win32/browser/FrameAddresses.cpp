#include "win32/browser/FrameAddresses.h"

#include <exdisp.h>
#include <mshtml.h>
#include <servprov.h>
#include <wrl/client.h>

using Microsoft::WRL::ComPtr;

namespace dv::win32 {

namespace {

// Frames deeper than this are not looked into; a page that nests them so
// deep counts as showing something unknown.
constexpr int kMaxDepth = 8;

std::wstring taken(BSTR text) {
    if (!text)
        return {};
    std::wstring out(text, SysStringLen(text));
    SysFreeString(text);
    return out;
}

std::wstring addressOf(IHTMLWindow2& window) {
    ComPtr<IHTMLLocation> location;
    BSTR href = nullptr;
    if (SUCCEEDED(window.get_location(&location)) && location &&
        SUCCEEDED(location->get_href(&href)) && href)
        return taken(href);
    // Where the page's location is out of reach, the frame's browser says.
    ComPtr<IServiceProvider> services;
    ComPtr<IWebBrowser2> browser;
    BSTR url = nullptr;
    if (SUCCEEDED(window.QueryInterface(IID_PPV_ARGS(&services))) &&
        SUCCEEDED(services->QueryService(IID_IWebBrowserApp, IID_PPV_ARGS(&browser))) && browser &&
        SUCCEEDED(browser->get_LocationURL(&url)) && url)
        return taken(url);
    return {};
}

void collect(IHTMLDocument2& document, int depth, std::vector<std::wstring>& addresses) {
    ComPtr<IHTMLFramesCollection2> frames;
    long count = 0;
    if (FAILED(document.get_frames(&frames)) || !frames || FAILED(frames->get_length(&count)))
        return;
    for (long i = 0; i < count; ++i) {
        VARIANT index;
        VariantInit(&index);
        index.vt = VT_I4;
        index.lVal = i;
        VARIANT item;
        VariantInit(&item);
        ComPtr<IHTMLWindow2> window;
        if (SUCCEEDED(frames->item(&index, &item)) && item.vt == VT_DISPATCH && item.pdispVal)
            item.pdispVal->QueryInterface(IID_PPV_ARGS(&window));
        VariantClear(&item);
        if (!window) {
            addresses.emplace_back();
            continue;
        }
        addresses.push_back(addressOf(*window.Get()));
        ComPtr<IHTMLDocument2> inner;
        if (depth + 1 >= kMaxDepth) {
            addresses.emplace_back();
            continue;
        }
        if (SUCCEEDED(window->get_document(&inner)) && inner)
            collect(*inner.Get(), depth + 1, addresses);
    }
}

} // namespace

std::vector<std::wstring> frameAddressesOf(IWebBrowser2& browser) {
    std::vector<std::wstring> addresses;
    ComPtr<IDispatch> dispatch;
    ComPtr<IHTMLDocument2> document;
    if (SUCCEEDED(browser.get_Document(&dispatch)) && dispatch &&
        SUCCEEDED(dispatch->QueryInterface(IID_PPV_ARGS(&document))) && document)
        collect(*document.Get(), 0, addresses);
    return addresses;
}

} // namespace dv::win32
