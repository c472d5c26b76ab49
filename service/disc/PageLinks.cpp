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

void collect(const xmlNode* node, std::vector<PageLink>& links) {
    for (; node; node = node->next) {
        if (node->type == XML_ELEMENT_NODE) {
            for (const xmlAttr* a = node->properties; a; a = a->next) {
                const std::string name = text(a->name);
                if (name != "href" && name != "src" && name != "background")
                    continue;
                xmlChar* value = xmlNodeListGetString(node->doc, a->children, 1);
                const long line = xmlGetLineNo(node);
                links.push_back({text(node->name), name, text(value),
                                 line > 0 && line < INT_MAX ? static_cast<int>(line) : 0});
                xmlFree(value);
            }
        }
        collect(node->children, links);
    }
}

} // namespace

std::vector<PageLink> PageLinks::read(std::string_view html) {
    std::vector<PageLink> links;
    if (html.empty() || html.size() > INT_MAX)
        return links;
    const int options = HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING |
                        HTML_PARSE_NONET | XML_PARSE_BIG_LINES;
    const std::unique_ptr<xmlDoc, DocumentFree> doc(
        htmlReadMemory(html.data(), static_cast<int>(html.size()), nullptr, nullptr, options));
    if (doc)
        collect(xmlDocGetRootElement(doc.get()), links);
    return links;
}

} // namespace dv
