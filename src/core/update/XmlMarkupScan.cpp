#include "update/XmlMarkupScan.h"

#include "update/XmlDocument.h"

#include <string>

namespace dv {

namespace {

bool blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Where a construct that ends with `end` and starts at `at` is over. An
// unterminated one is an error to libxml2; here its body is read on as
// markup, which can only count more.
std::size_t past(std::string_view s, std::size_t at, std::size_t openLength, std::string_view end) {
    const std::size_t e = s.find(end, at + openLength);
    return e == std::string_view::npos ? at + openLength : e + end.size();
}

class Scan {
public:
    explicit Scan(std::string_view s) : s_(s) {}

    void run() {
        for (std::size_t at = s_.find('<'); at != std::string_view::npos; at = s_.find('<', at)) {
            const std::string_view rest = s_.substr(at);
            if (rest.starts_with("<!--"))
                at = past(s_, at, 4, "-->");
            else if (rest.starts_with("<![CDATA["))
                at = past(s_, at, 9, "]]>");
            else if (rest.starts_with("<?"))
                at = past(s_, at, 2, "?>");
            else if (rest.starts_with("<!"))
                throw XmlError("the document declares a document type");
            else if (rest.starts_with("</"))
                at += 2;
            else
                at = startTag(at + 1);
        }
    }

private:
    // Counts the attributes of the tag whose name starts at `at`; returns
    // where the scan goes on. Like libxml2, the tag ends at ">" or at a "<"
    // outside a quoted value.
    std::size_t startTag(std::size_t at) {
        at = skipName(at);
        std::size_t attributes = 0;
        while (at < s_.size()) {
            while (at < s_.size() && (blank(s_[at]) || s_[at] == '/'))
                ++at;
            if (at >= s_.size() || s_[at] == '>' || s_[at] == '<')
                break;
            const std::size_t name = at;
            at = skipName(at);
            if (at == name) // a stray "=" or quote: step over it
                ++at;
            if (++attributes > XmlMarkupScan::kMaxAttributes)
                throw XmlError("an element has more than " + std::to_string(XmlMarkupScan::kMaxAttributes) +
                               " attributes");
            if (s_.substr(name).starts_with("xmlns") &&
                ++namespaces_ > XmlMarkupScan::kMaxNamespaceDeclarations)
                throw XmlError("the document declares more than " +
                               std::to_string(XmlMarkupScan::kMaxNamespaceDeclarations) + " namespaces");
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
                    at = s_[end] == '<' ? end : end + 1;
                }
            }
        }
        return at;
    }

    std::size_t skipName(std::size_t at) const {
        while (at < s_.size() && !blank(s_[at]) && s_[at] != '>' && s_[at] != '<' && s_[at] != '/' &&
               s_[at] != '=' && s_[at] != '"' && s_[at] != '\'')
            ++at;
        return at;
    }

    std::string_view s_;
    std::size_t namespaces_ = 0;
};

} // namespace

void XmlMarkupScan::check(std::string_view utf8) { Scan(utf8).run(); }

} // namespace dv
