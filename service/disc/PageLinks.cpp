#include "PageLinks.h"

#include <libxml/HTMLparser.h>
#include <libxml/tree.h>

#include <algorithm>
#include <climits>
#include <memory>

namespace dv {

namespace {

struct DocumentFree {
    void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};

std::string text(const xmlChar* s) {
    return s ? std::string(reinterpret_cast<const char*>(s)) : std::string();
}

void visit(const xmlNode* node, std::vector<PageLink>& links) {
    if (node->type != XML_ELEMENT_NODE)
        return;
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

bool startsWith(std::string_view text, std::string_view bytes) {
    return text.substr(0, bytes.size()) == bytes;
}

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

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Blanks the attributes of a start tag past the bound, line breaks kept so
// that every line number stays; returns the lines of the tags cut. One pass
// over the page: a value in quotes is one, comments are skipped.
std::vector<int> thinAttributes(std::string& html) {
    std::vector<int> cut;
    int line = 1;
    const std::size_t n = html.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (html[i] == '\n')
            ++line;
        if (html[i] != '<' || i + 1 >= n)
            continue;
        if (html.compare(i, 4, "<!--") == 0) {
            const std::size_t end = html.find("-->", i + 4);
            const std::size_t stop = end == std::string::npos ? n : end + 3;
            line += static_cast<int>(std::count(html.begin() + static_cast<std::ptrdiff_t>(i),
                                                html.begin() + static_cast<std::ptrdiff_t>(stop),
                                                '\n'));
            i = stop - 1;
            continue;
        }
        if (!isLetter(html[i + 1]))
            continue;
        const int tagLine = line;
        std::size_t j = i + 1;
        while (j < n && !isBlank(html[j]) && html[j] != '>')
            ++j;
        int attributes = 0;
        std::size_t cutFrom = std::string::npos;
        bool afterEquals = false;
        bool inToken = false;
        for (; j < n && html[j] != '>'; ++j) {
            const char c = html[j];
            if (c == '\n')
                ++line;
            if (afterEquals && (c == '"' || c == '\'')) {
                const std::size_t close = html.find(c, j + 1);
                const std::size_t end = close == std::string::npos ? n - 1 : close;
                line += static_cast<int>(std::count(html.begin() + static_cast<std::ptrdiff_t>(j),
                                                    html.begin() + static_cast<std::ptrdiff_t>(end),
                                                    '\n'));
                j = end;
                afterEquals = false;
                inToken = true;
                continue;
            }
            if (isBlank(c)) {
                inToken = false;
                continue;
            }
            if (c == '=') {
                afterEquals = true;
                continue;
            }
            if (!inToken && !afterEquals && c != '/') {
                if (++attributes > PageLinks::kMaxAttributes && cutFrom == std::string::npos)
                    cutFrom = j;
            }
            afterEquals = false;
            inToken = true;
        }
        if (cutFrom != std::string::npos) {
            for (std::size_t k = cutFrom; k < j; ++k)
                if (html[k] != '\n')
                    html[k] = ' ';
            cut.push_back(tagLine);
        }
        i = j < n ? j : n - 1;
    }
    return cut;
}

} // namespace

std::vector<PageLink> PageLinks::read(std::string_view html, std::vector<int>* crowded) {
    std::vector<PageLink> links;
    std::string replaced;
    if (html.find('\0') != std::string_view::npos && !isWide(html)) {
        replaced = withoutNulBytes(html);
        html = replaced;
    }
    if (!isWide(html)) {
        if (replaced.empty())
            replaced.assign(html);
        const std::vector<int> cut = thinAttributes(replaced);
        if (crowded)
            *crowded = cut;
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
