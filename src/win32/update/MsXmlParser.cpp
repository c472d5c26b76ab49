#include "win32/update/MsXmlParser.h"

#include "core/update/XmlPreparse.h"
#include "win32/support/Utf16.h"

#include <msxml2.h>
#include <objbase.h>
#include <wrl/client.h>

#include <string>

using Microsoft::WRL::ComPtr;

namespace dv::win32 {

namespace {

// MinGW's headers name neither, and no import library defines the MSXML
// identifiers they declare.
constexpr CLSID kDomDocument60 = {
    0x88d96a05, 0xf192, 0x11d4, {0xa6, 0x5f, 0x00, 0x40, 0x96, 0x32, 0x51, 0xe5}};
constexpr IID kIXMLDOMDocument2 = {
    0x2933bf95, 0x7b36, 0x11d2, {0xb2, 0x0e, 0x00, 0xc0, 0x4f, 0x98, 0x3e, 0x60}};

// Owns a BSTR that MSXML hands out.
class Bstr {
  public:
    Bstr() = default;
    explicit Bstr(const wchar_t* text) : text_(SysAllocString(text)) {}
    explicit Bstr(const std::wstring& text)
        : text_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    ~Bstr() { SysFreeString(text_); }

    BSTR* out() { return &text_; }
    operator BSTR() const { return text_; }
    std::string utf8() const {
        return text_ ? narrow({text_, SysStringLen(text_)}) : std::string();
    }
    bool empty() const { return SysStringLen(text_) == 0; }

  private:
    BSTR text_ = nullptr;
};

// COM for as long as a parse runs, when the thread had none.
class ComApartment {
  public:
    ComApartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment() {
        if (SUCCEEDED(result_))
            CoUninitialize();
    }

  private:
    HRESULT result_;
};

void setProperty(IXMLDOMDocument2& document, const wchar_t* name, VARIANT value) {
    const Bstr property(name);
    // Older MSXML builds may not know a property: the checks below hold anyway.
    document.setProperty(property, value);
}

VARIANT boolean(bool value) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BOOL;
    v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    return v;
}

std::string valueOf(IXMLDOMNode& node) {
    VARIANT value;
    VariantInit(&value);
    std::string text;
    if (SUCCEEDED(node.get_nodeValue(&value)) && value.vt == VT_BSTR && value.bstrVal)
        text = narrow({value.bstrVal, SysStringLen(value.bstrVal)});
    VariantClear(&value);
    return text;
}

// Walked sibling by sibling: a node list's item(i) walks from the first
// child each time in some MSXML implementations (Wine's), which made a
// document of many siblings take minutes.
std::vector<ComPtr<IXMLDOMNode>> childrenOf(IXMLDOMNode& node) {
    std::vector<ComPtr<IXMLDOMNode>> children;
    ComPtr<IXMLDOMNode> child;
    if (FAILED(node.get_firstChild(&child)))
        return children;
    while (child) {
        ComPtr<IXMLDOMNode> next;
        if (FAILED(child->get_nextSibling(&next)))
            next.Reset();
        children.push_back(std::move(child));
        child = std::move(next);
    }
    return children;
}

DOMNodeType typeOf(IXMLDOMNode& node) {
    DOMNodeType type = NODE_INVALID;
    node.get_nodeType(&type);
    return type;
}

// The same tree the libxml2 adapter builds: local names, white space
// between elements dropped, other nodes kept with their text. The
// pre-parse step bounded the nesting, so the recursion is shallow.
XmlNode convert(IXMLDOMNode& node) {
    XmlNode out;
    Bstr name;
    node.get_baseName(name.out());
    out.name = name.utf8();
    const std::vector<ComPtr<IXMLDOMNode>> children = childrenOf(node);
    bool hasElements = false;
    for (const auto& c : children)
        hasElements = hasElements || typeOf(*c.Get()) == NODE_ELEMENT;
    for (const auto& c : children) {
        switch (typeOf(*c.Get())) {
        case NODE_ELEMENT:
            out.children.push_back(convert(*c.Get()));
            break;
        case NODE_TEXT:
        case NODE_CDATA_SECTION: {
            XmlNode text{XmlNode::Kind::Text, {}, valueOf(*c.Get()), {}};
            if (XmlPreparse::keepsText(text.text, hasElements))
                out.children.push_back(std::move(text));
            break;
        }
        default: {
            Bstr otherName;
            c->get_nodeName(otherName.out());
            out.children.push_back({XmlNode::Kind::Other, otherName.utf8(), valueOf(*c.Get()), {}});
            break;
        }
        }
    }
    return out;
}

XmlError refusalOf(IXMLDOMDocument2& document) {
    ComPtr<IXMLDOMParseError> error;
    Bstr reason;
    long line = 0;
    if (SUCCEEDED(document.get_parseError(&error)) && error) {
        error->get_reason(reason.out());
        error->get_line(&line);
    }
    return XmlPreparse::notWellFormed(line, reason.utf8());
}

} // namespace

XmlNode MsXmlParser::parse(std::string_view bytes) {
    // The steps every parser of the program shares; MSXML then reads
    // Unicode text and leaves the declaration's encoding alone.
    const Bstr source(widen(XmlPreparse::text(bytes)));

    const ComApartment apartment;
    ComPtr<IXMLDOMDocument2> document;
    if (FAILED(CoCreateInstance(kDomDocument60, nullptr, CLSCTX_INPROC_SERVER, kIXMLDOMDocument2,
                                reinterpret_cast<void**>(document.GetAddressOf()))))
        throw XmlError("MSXML 6 is not available");
    document->put_async(VARIANT_FALSE);
    document->put_validateOnParse(VARIANT_FALSE);
    document->put_resolveExternals(VARIANT_FALSE);
    document->put_preserveWhiteSpace(VARIANT_TRUE);
    setProperty(*document.Get(), L"ProhibitDTD", boolean(true));
    setProperty(*document.Get(), L"AllowDocumentFunction", boolean(false));
    setProperty(*document.Get(), L"AllowXsltScript", boolean(false));

    VARIANT_BOOL loaded = VARIANT_FALSE;
    if (FAILED(document->loadXML(source, &loaded)) || loaded != VARIANT_TRUE)
        throw refusalOf(*document.Get());

    // The document needs none, and a DTD is where entity attacks live.
    ComPtr<IXMLDOMDocumentType> doctype;
    if (SUCCEEDED(document->get_doctype(&doctype)) && doctype)
        throw XmlError("the document declares a document type (DTD)");
    ComPtr<IXMLDOMElement> root;
    if (FAILED(document->get_documentElement(&root)) || !root)
        throw XmlError("the document has no root element");
    return convert(*root.Get());
}

} // namespace dv::win32
