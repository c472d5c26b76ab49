#include "PageLinks.h"

#include <libxml/HTMLparser.h>
#include <libxml/tree.h>

#include <climits>
#include <memory>

namespace dv {

namespace {

struct DocumentFree {
    void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};

std::string text(const xmlChar* s) { return s ? std::string(reinterpret_cast<const char*>(s)) : std::string(); }

void visit(const xmlNode* node, std::vector<PageLink>& links) {
    if (node->type != XML_ELEMENT_NODE)
        return;
    for (const xmlAttr* a = node->properties; a; a = a->next) {
        const std::string name = text(a->name);
        if (name != "href" && name != "src" && name != "background")
            continue;
        xmlChar* value = xmlNodeListGetString(node->doc, a->children, 1);
        const long line = xmlGetLineNo(node);
        links.push_back({text(node->name), name, text(value), line > 0 && line < INT_MAX ? static_cast<int>(line) : 0});
        xmlFree(value);
    }
}

// Every node from the root element on, in document order, without recursion:
// a page may nest thousands deep.
void collect(const xmlDoc* doc, std::vector<PageLink>& links) {
    const xmlNode* node = xmlDocGetRootElement(doc);
    while (node) {
        visit(node, links);
        if (node->children) {
            node = node->children;
            continue;
        }
        while (node && !node->next) {
            node = node->parent;
            if (static_cast<const void*>(node) == static_cast<const void*>(doc))
                node = nullptr;
        }
        if (node)
            node = node->next;
    }
}

bool startsWith(std::string_view text, std::string_view bytes) { return text.substr(0, bytes.size()) == bytes; }

// A NUL byte ends libxml2's reading of an attribute and of the page with it,
// where a browser reads on with a replacement character. Only bytes of an
// 8-bit or UTF-8 page are replaced; in UTF-16 and UTF-32 they are half of
// every character.
std::string withoutNulBytes(std::string_view html) {
    std::string out;
    out.reserve(html.size());
    for (const char c : html) {
        if (c == '\0')
            out += "\xEF\xBF\xBD";
        else
            out += c;
    }
    return out;
}

bool isWide(std::string_view html) {
    return startsWith(html, "\xFE\xFF") || startsWith(html, "\xFF\xFE") ||
           startsWith(html, std::string_view("\0\0\xFE\xFF", 4));
}

} // namespace

std::vector<PageLink> PageLinks::read(std::string_view html) {
    std::vector<PageLink> links;
    std::string replaced;
    if (html.find('\0') != std::string_view::npos && !isWide(html)) {
        replaced = withoutNulBytes(html);
        html = replaced;
    }
    if (html.empty() || html.size() > INT_MAX)
        return links;
    // Without the huge option libxml2 stops reading at 256 elements deep,
    // which an old page reaches with <font> tags it never closes.
    const int options = HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING |
                        HTML_PARSE_NONET | XML_PARSE_BIG_LINES | XML_PARSE_HUGE;
    const std::unique_ptr<xmlDoc, DocumentFree> doc(
        htmlReadMemory(html.data(), static_cast<int>(html.size()), nullptr, nullptr, options));
    if (doc)
        collect(doc.get(), links);
    return links;
}

} // namespace dv
