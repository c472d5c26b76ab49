#include "DocumentAdvice.h"

#include "core/app/UrlHost.h"
#include "core/text/AnsiText.h"
#include "core/update/DocumentGroups.h"
#include "linux/LibXmlParser.h"

#include <functional>
#include <set>

namespace dv {

namespace {

constexpr std::string_view kBlanks = " \t\r\n";

std::string shortQuote(std::string_view text) {
    std::string out = "\"";
    out += text.size() > 60 ? std::string(text.substr(0, 57)) + "..." : std::string(text);
    for (char& c : out)
        if (c == '\r' || c == '\n' || c == '\t')
            c = ' ';
    return out + "\"";
}

// How a node of a group reads to an editor.
std::string nodeName(const XmlNode& node) {
    if (node.kind == XmlNode::Kind::Element)
        return "the element <" + node.name + ">";
    if (node.kind == XmlNode::Kind::Text)
        return "the text " + shortQuote(node.text);
    if (node.name == "comment")
        return "the comment " + shortQuote(node.text);
    return "the node " + node.name + " " + shortQuote(node.text);
}

// A node's value, or nothing when the program would stop at it (the
// preview reports that).
bool tryValue(const XmlNode& node, std::string& value) {
    try {
        value = valueOf(node);
        return true;
    } catch (const XmlError&) {
        return false;
    }
}

bool tryField(const XmlNode& node, std::string_view name, std::string& value) {
    try {
        value = fieldOf(node, name);
        return true;
    } catch (const XmlError&) {
        return false;
    }
}

bool hasField(const XmlNode& node, std::string_view name) {
    return node.kind == XmlNode::Kind::Element && firstChildNamed(node, name) != nullptr;
}

// What blanks do to a text that must match or show something; empty when
// the text is fine.
std::string blankTrouble(const std::string& text, const std::string& what,
                         const std::string& whenEmpty) {
    if (text.empty())
        return what + " is empty: " + whenEmpty;
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string::npos)
        return what + " is only blanks: " + whenEmpty;
    if (first != 0 || text.find_last_not_of(kBlanks) != text.size() - 1)
        return what + " " + shortQuote(text) +
               " has blanks or line breaks around it, which are part of it";
    return {};
}

std::string addressTrouble(std::string_view address) {
    if (address.empty())
        return "it is empty";
    if (address.find_first_of(kBlanks) != std::string_view::npos)
        return "it holds a blank, tab or line break (write a blank as %20)";
    if (address.find('\'') != std::string_view::npos)
        return "it holds an apostrophe (write it as %27)";
    const std::string scheme = lowerAscii(address.substr(0, address.find("://")));
    if (address.find("://") == std::string_view::npos || (scheme != "http" && scheme != "https"))
        return "it is not an http:// or https:// address";
    if (hostName(address).empty())
        return "it names no host";
    return "it is not a web page address";
}

class Advisor {
  public:
    std::vector<std::string> notes;

    void quarantine(const XmlNode& root) {
        const XmlNode* q = firstChildNamed(root, "quarantine");
        if (!q)
            return;
        int n = 0;
        for (const XmlNode* node : documentGroup(*q, "quarantined")) {
            ++n;
            std::string value;
            if (!tryValue(*node, value))
                return;
            const std::string entry = "quarantine entry " + std::to_string(n);
            if (!isNamed(*node, "quarantined"))
                notes.push_back(capital(nodeName(*node)) +
                                " after the first <quarantined> becomes " + entry + " " +
                                shortQuote(value));
            add(blankTrouble(value, entry,
                             value.empty() ? "it never matches a target"
                                           : "it matches every target that holds these blanks"));
        }
    }

    void popups(const XmlNode& root) {
        const XmlNode* popup = firstChildNamed(root, "popup");
        if (!popup)
            return;
        int n = 0;
        for (const XmlNode* node : documentGroup(*popup, "url")) {
            ++n;
            std::string address;
            if (!tryValue(*node, address))
                return;
            const std::string which = "popup " + std::to_string(n);
            if (!isNamed(*node, "url"))
                notes.push_back(capital(nodeName(*node)) +
                                " after the first <url> of <popup> is read as " + which);
            if (!isWebPageAddress(address))
                notes.push_back(capital(which) + " " + shortQuote(address) +
                                " is skipped, notice and all: " + addressTrouble(address));
        }
    }

    void extraInfo(const XmlNode& root) {
        int n = 0;
        for (const XmlNode* node : documentGroup(root, "extrainfo")) {
            ++n;
            std::string file, information, url, canrun;
            if (!tryField(*node, "filename", file) ||
                !tryField(*node, "information", information) || !tryField(*node, "url", url) ||
                !tryField(*node, "canrun", canrun))
                return;
            const std::string which = "note " + std::to_string(n);
            // A stray node without a file name makes a note that never matches: no
            // need to tell.
            if (!isNamed(*node, "extrainfo")) {
                if (!file.empty())
                    notes.push_back(capital(nodeName(*node)) +
                                    " after the first <extrainfo> is read as " + which +
                                    ", for targets holding " + shortQuote(file));
            } else
                add(blankTrouble(file, which + "'s file name",
                                 file.empty()
                                     ? "the note never matches a target"
                                     : "the note matches every target that holds these blanks"));
            if (isNamed(*node, "extrainfo") &&
                information.find_first_not_of(kBlanks) == std::string::npos)
                notes.push_back(capital(which) + " has no text to show");
            if (hasField(*node, "canrun") && canrun != "0" && canrun != "1")
                notes.push_back(capital(which) + "'s canrun " + shortQuote(canrun) +
                                " is neither \"0\" nor \"1\": the item may not be started");
            if (!url.empty() && !isWebPageAddress(url))
                notes.push_back(capital(which) + "'s address " + shortQuote(url) +
                                " is shown but never opened: " + addressTrouble(url));
        }
    }

    void messages(const XmlNode& root) {
        int n = 0;
        for (const XmlNode* node : documentGroup(root, "message")) {
            ++n;
            std::string caption, text, severity, cancontinue, url;
            if (!tryField(*node, "caption", caption) || !tryField(*node, "text", text) ||
                !tryField(*node, "severity", severity) ||
                !tryField(*node, "cancontinue", cancontinue) || !tryField(*node, "url", url))
                return;
            const std::string which = "message " + std::to_string(n);
            const std::string upper = upperAscii(severity);
            const bool shows = kSeverities.count(upper) != 0;
            const bool ends = cancontinue == "0";
            // A stray node that shows nothing and ends nothing does nothing.
            if (!isNamed(*node, "message")) {
                if (shows || ends)
                    notes.push_back(
                        capital(nodeName(*node)) + " after the first <message> is read as " +
                        which + (shows ? ", which is shown (severity " + upper + ")" : "") +
                        (shows && ends ? " and" : "") + (ends ? ", which ends the program" : ""));
            } else if (!shows)
                notes.push_back(capital(which) +
                                (severity.empty()
                                     ? " has no severity"
                                     : "'s severity " + shortQuote(severity) + " is none") +
                                " of INFORMATION, WARNING, ERROR or EXTRAINFO: it shows nothing");
            if (hasField(*node, "cancontinue") && cancontinue != "0" && cancontinue != "1")
                notes.push_back(capital(which) + "'s cancontinue " + shortQuote(cancontinue) +
                                " is neither \"0\" nor \"1\": the program goes on after it");
            if (!shows)
                continue;
            if (text.find_first_not_of(kBlanks) == std::string::npos)
                notes.push_back(capital(which) + " has no text to show");
            if (caption.find_first_not_of(kBlanks) == std::string::npos)
                notes.push_back(capital(which) +
                                " has no caption: its box is captioned \"Datavinds cd - \"");
            if (upper == "EXTRAINFO" && !url.empty() && !isWebPageAddress(url))
                notes.push_back(capital(which) + "'s address " + shortQuote(url) +
                                " is shown but never opened: " + addressTrouble(url));
        }
    }

    // Elements under the root that no rule reads: misspelt names, names in
    // another case, a second <quarantine> or <popup>.
    void unread(const XmlNode& root) {
        std::set<const XmlNode*> read;
        for (const char* name : {"quarantine", "popup"})
            read.insert(firstChildNamed(root, name));
        for (const char* name : {"extrainfo", "message"})
            for (const XmlNode* node : documentGroup(root, name))
                read.insert(node);
        for (const XmlNode& child : root.children)
            if (child.kind == XmlNode::Kind::Element && !read.count(&child))
                notes.push_back("The element <" + child.name + "> is not read" +
                                (child.name == "quarantine" || child.name == "popup"
                                     ? " (only the first <" + child.name + "> is)"
                                     : " (names are matched exactly, letter case too)"));
    }

  private:
    inline static const std::set<std::string, std::less<>> kSeverities = {"INFORMATION", "WARNING",
                                                                          "ERROR", "EXTRAINFO"};

    static bool isNamed(const XmlNode& node, std::string_view name) {
        return node.kind == XmlNode::Kind::Element && node.name == name;
    }
    static std::string capital(std::string text) {
        if (!text.empty() && text[0] >= 'a' && text[0] <= 'z')
            text[0] = static_cast<char>(text[0] - 'a' + 'A');
        return text;
    }
    void add(std::string note) {
        if (!note.empty())
            notes.push_back(capital(std::move(note)));
    }
};

} // namespace

std::vector<std::string> documentAdvice(const XmlNode& root) {
    Advisor advisor;
    advisor.unread(root);
    advisor.quarantine(root);
    advisor.popups(root);
    advisor.extraInfo(root);
    advisor.messages(root);
    return advisor.notes;
}

std::vector<std::string> documentAdvice(std::string_view document) {
    try {
        LibXmlParser parser;
        return documentAdvice(parser.parse(document));
    } catch (const XmlError&) {
        return {};
    }
}

} // namespace dv
