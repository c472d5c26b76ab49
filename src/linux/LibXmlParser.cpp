#include "linux/LibXmlParser.h"

#include "core/update/XmlPreparse.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <memory>

namespace dv {

namespace {

struct DocFree {
    void operator()(xmlDoc* d) const { xmlFreeDoc(d); }
};

std::string textOf(const xmlChar* s) {
    return s ? reinterpret_cast<const char*>(s) : std::string();
}

// A prefix without a namespace declaration: libxml2 lets it pass, other
// parsers refuse the document.
bool undeclaredPrefix(const xmlChar* name, const xmlNs* ns) {
    return !ns && std::string_view(reinterpret_cast<const char*>(name)).find(':') !=
                      std::string_view::npos;
}

// The pre-parse step bounded the nesting, so the recursion is shallow.
XmlNode convert(const xmlNode* node) {
    if (undeclaredPrefix(node->name, node->ns))
        throw XmlError("the document uses a namespace prefix it does not declare");
    for (const xmlAttr* a = node->properties; a; a = a->next)
        if (undeclaredPrefix(a->name, a->ns))
            throw XmlError("the document uses a namespace prefix it does not declare");
    XmlNode out;
    out.name = textOf(node->name);
    bool hasElements = false;
    for (const xmlNode* c = node->children; c; c = c->next)
        hasElements = hasElements || c->type == XML_ELEMENT_NODE;
    for (const xmlNode* c = node->children; c; c = c->next) {
        switch (c->type) {
        case XML_ELEMENT_NODE:
            out.children.push_back(convert(c));
            break;
        case XML_TEXT_NODE:
        case XML_CDATA_SECTION_NODE: {
            XmlNode text{XmlNode::Kind::Text, {}, textOf(c->content), {}};
            if (XmlPreparse::keepsText(text.text, hasElements))
                out.children.push_back(std::move(text));
            break;
        }
        default:
            out.children.push_back({XmlNode::Kind::Other, textOf(c->name), textOf(c->content), {}});
            break;
        }
    }
    return out;
}

} // namespace

XmlNode LibXmlParser::parse(std::string_view bytes) {
    // Once, before any thread parses.
    static const bool initialised = (xmlInitParser(), true);
    (void)initialised;
    // Read by libxml2 as the UTF-8 it now is.
    const std::string text = XmlPreparse::text(bytes);
    xmlResetLastError();
    const int options =
        XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_IGNORE_ENC;
    const std::unique_ptr<xmlDoc, DocFree> doc(
        xmlReadMemory(text.data(), static_cast<int>(text.size()), nullptr, "UTF-8", options));
    if (!doc) {
        const xmlError* e = xmlGetLastError();
        throw XmlPreparse::notWellFormed(e ? e->line : 0, e && e->message ? e->message : "");
    }
    const xmlNode* root = xmlDocGetRootElement(doc.get());
    if (!root)
        throw XmlError("the document has no root element");
    return convert(root);
}

} // namespace dv
