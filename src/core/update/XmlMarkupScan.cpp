#include "core/update/XmlMarkupScan.h"

#include "core/update/XmlDocument.h"

#include <algorithm>
#include <string>

namespace dv {

namespace {

bool blank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

class Scan {
  public:
    explicit Scan(std::string_view s) : s_(s) {}

    void run() {
        std::size_t text = 0;
        for (std::size_t at = s_.find('<'); at != std::string_view::npos; at = s_.find('<', at)) {
            entities(text, at);
            const std::string_view rest = s_.substr(at);
            if (rest.starts_with("<!--"))
                at = past(counted(at), 4, "-->", "a comment");
            else if (rest.starts_with("<![CDATA["))
                at = past(counted(at), 9, "]]>", "a CDATA section");
            else if (rest.starts_with("<?"))
                at = past(counted(at), 2, "?>", "a processing instruction");
            else if (rest.starts_with("<!"))
                throw XmlError("the document declares a document type (DTD) at line " + line(at));
            else if (rest.starts_with("</")) {
                depth_ = depth_ > 0 ? depth_ - 1 : 0;
                at += 2;
            } else
                at = startTag(at);
            text = at;
        }
        entities(text, s_.size());
    }

  private:
    // Where a construct that ends with `end` and starts at `at` is over.
    // Each one is searched once, from its own start: the scan goes on behind
    // its end, or stops.
    std::size_t past(std::size_t at, std::size_t openLength, std::string_view end,
                     const char* what) const {
        const std::size_t e = s_.find(end, at + openLength);
        if (e == std::string_view::npos)
            throw XmlError("the document is not well-formed XML at line " + line(at) + ": " + what +
                           " is not closed");
        return e + end.size();
    }

    // Counts one more piece of markup: an element, an attribute, a comment,
    // a CDATA section or a processing instruction.
    std::size_t counted(std::size_t at) {
        if (++pieces_ > XmlMarkupScan::kMaxPieces)
            throw XmlError(
                "the document holds more than " + std::to_string(XmlMarkupScan::kMaxPieces) +
                " elements, attributes, comments and other markup (line " + line(at) + ")");
        return at;
    }

    // Counts the attributes of the tag that starts at `at` and the level it
    // opens; returns where the scan goes on. Like libxml2, the tag ends at
    // ">" or at a "<" outside a quoted value.
    std::size_t startTag(const std::size_t tag) {
        std::size_t at = skipName(tag + 1);
        std::size_t attributes = 0;
        bool closed = false;
        while (at < s_.size()) {
            while (at < s_.size() && (blank(s_[at]) || s_[at] == '/'))
                ++at;
            if (at >= s_.size() || s_[at] == '<')
                break;
            if (s_[at] == '>') {
                closed = s_[at - 1] == '/';
                break;
            }
            const std::size_t name = at;
            at = skipName(at);
            if (at == name) // a stray "=" or quote: step over it
                ++at;
            counted(name);
            if (++attributes > XmlMarkupScan::kMaxAttributes)
                throw XmlError("the element at line " + line(tag) + " has more than " +
                               std::to_string(XmlMarkupScan::kMaxAttributes) + " attributes");
            if (s_.substr(name).starts_with("xmlns") &&
                ++namespaces_ > XmlMarkupScan::kMaxNamespaceDeclarations)
                throw XmlError("the document declares more than " +
                               std::to_string(XmlMarkupScan::kMaxNamespaceDeclarations) +
                               " namespaces (line " + line(name) + ")");
            while (at < s_.size() && blank(s_[at]))
                ++at;
            if (at < s_.size() && s_[at] == '=') {
                ++at;
                while (at < s_.size() && blank(s_[at]))
                    ++at;
                if (at < s_.size() && (s_[at] == '"' || s_[at] == '\'')) {
                    const std::size_t end = s_.find_first_of(std::string{s_[at], '<'}, at + 1);
                    if (end == std::string_view::npos)
                        return s_.size();
                    entities(at + 1, end);
                    at = s_[end] == '<' ? end : end + 1;
                }
            }
        }
        counted(tag);
        if (!closed && ++depth_ > XmlMarkupScan::kMaxDepth)
            throw XmlError("the document is nested more than " +
                           std::to_string(XmlMarkupScan::kMaxDepth) + " levels deep (line " +
                           line(tag) + ")");
        return at;
    }

    // Refuses a named entity reference between `from` and `to` that is not
    // one of XML's five; character references and stray ampersands are the
    // parser's to judge.
    void entities(std::size_t from, std::size_t to) const {
        static constexpr std::string_view known[] = {"amp", "lt", "gt", "quot", "apos"};
        const std::string_view part = s_.substr(0, to); // never searched beyond `to`
        for (std::size_t at = part.find('&', from); at != std::string_view::npos;
             at = part.find('&', at + 1)) {
            // The name runs to ";"; the next "&" or a blank ends the look,
            // so each character is looked at once.
            std::size_t end = at + 1;
            while (end < to && s_[end] != ';' && s_[end] != '&' && !blank(s_[end]))
                ++end;
            if (end >= to || s_[end] != ';' || s_[at + 1] == '#')
                continue;
            const std::string_view name = s_.substr(at + 1, end - at - 1);
            if (name.empty() || std::ranges::find(known, name) != std::end(known))
                continue;
            throw XmlError("the document refers to an undeclared entity at line " + line(at));
        }
    }

    std::size_t skipName(std::size_t at) const {
        while (at < s_.size() && !blank(s_[at]) && s_[at] != '>' && s_[at] != '<' &&
               s_[at] != '/' && s_[at] != '=' && s_[at] != '"' && s_[at] != '\'')
            ++at;
        return at;
    }

    // The line of a position, counted as parsers count it; only ever asked
    // once, for the error.
    std::string line(std::size_t at) const {
        const auto head = s_.substr(0, std::min(at, s_.size()));
        return std::to_string(1 + std::count(head.begin(), head.end(), '\n'));
    }

    std::string_view s_;
    std::size_t namespaces_ = 0;
    std::size_t depth_ = 0;
    std::size_t pieces_ = 0;
};

} // namespace

void XmlMarkupScan::check(std::string_view utf8) {
    Scan(utf8).run();
}

} // namespace dv
