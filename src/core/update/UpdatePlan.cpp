#include "update/UpdatePlan.h"

#include "app/MessageBoxes.h"
#include "app/UrlHost.h"
#include "shell/MainWindowLayout.h"
#include "text/AnsiText.h"
#include "update/XmlDocument.h"

#include <exception>

namespace dv {

namespace {

const std::string kTitle = layout::kApplicationTitle;

// The nodes of a group: from the first child of that name on, every
// following sibling, whatever its name. Empty when there is none.
std::vector<const XmlNode*> group(const XmlNode& parent, std::string_view name) {
    std::vector<const XmlNode*> nodes;
    bool started = false;
    for (const XmlNode& child : parent.children) {
        started = started || (child.kind == XmlNode::Kind::Element && child.name == name);
        if (started)
            nodes.push_back(&child);
    }
    return nodes;
}

const XmlNode* firstChild(const XmlNode& parent, std::string_view name) {
    for (const XmlNode& child : parent.children)
        if (child.kind == XmlNode::Kind::Element && child.name == name)
            return &child;
    return nullptr;
}

// An element's value is its single text; anything more is an error.
std::string valueOf(const XmlNode& node) {
    if (node.kind != XmlNode::Kind::Element)
        return node.text;
    if (node.children.empty())
        return {};
    if (node.children.size() == 1 && node.children[0].kind == XmlNode::Kind::Text)
        return node.children[0].text;
    throw XmlError("the element " + node.name + " holds more than a text");
}

std::string field(const XmlNode& node, std::string_view name) {
    if (node.kind != XmlNode::Kind::Element)
        return {};
    const XmlNode* child = firstChild(node, name);
    return child ? valueOf(*child) : std::string();
}

std::string replaceLineMarks(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i + 3 <= text.size() && text[i] == '#' && text[i + 1] == '1' && text[i + 2] == '3') {
            out += '\r';
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

void read(const XmlNode& root, UpdatePlan& plan) {
    plan.failedIn = UpdatePlan::Part::Quarantine;
    if (const XmlNode* q = firstChild(root, "quarantine"))
        for (const XmlNode* node : group(*q, "quarantined"))
            plan.quarantine.push_back(valueOf(*node));

    plan.failedIn = UpdatePlan::Part::Popups;
    if (const XmlNode* popup = firstChild(root, "popup")) {
        for (const XmlNode* node : group(*popup, "url")) {
            std::string address = valueOf(*node);
            // Only web pages: the document comes over plain HTTP and must
            // not be able to start programs on the reader's machine.
            if (isWebPageAddress(address))
                plan.popups.push_back(std::move(address));
        }
    }

    plan.failedIn = UpdatePlan::Part::Notes;
    for (const XmlNode* node : group(root, "extrainfo"))
        plan.notes.push_back({field(*node, "filename"), field(*node, "information"), field(*node, "url"),
                              field(*node, "canrun") == "1"});

    plan.failedIn = UpdatePlan::Part::Messages;
    for (const XmlNode* node : group(root, "message")) {
        UpdatePlan::Message m;
        m.caption = kTitle + " - " + field(*node, "caption");
        m.text = replaceLineMarks(field(*node, "text"));
        const std::string severity = upperAscii(field(*node, "severity"));
        m.stop = field(*node, "cancontinue") == "0";
        m.url = field(*node, "url");
        using Shows = UpdatePlan::Message::Shows;
        m.shows = Shows::Box;
        if (severity == "INFORMATION")
            m.icon = MessageIcon::Information;
        else if (severity == "WARNING")
            m.icon = MessageIcon::Warning;
        else if (severity == "ERROR")
            m.icon = MessageIcon::Error;
        else if (severity == "EXTRAINFO")
            m.shows = Shows::Notice;
        else
            m.shows = Shows::Nothing;
        if (m.shows != Shows::Nothing || m.stop)
            plan.messages.push_back(std::move(m));
    }
    plan.failedIn = UpdatePlan::Part::None;
}

} // namespace

UpdatePlan readUpdatePlan(XmlParser& parser, std::string_view text) {
    UpdatePlan plan;
    XmlNode root;
    try {
        root = parser.parse(text);
    } catch (const std::exception&) {
        plan.failedIn = UpdatePlan::Part::Parse;
        return plan;
    }
    try {
        read(root, plan);
    } catch (const std::exception&) {
        // failedIn says where; what was read before stays in the plan.
    }
    return plan;
}

} // namespace dv
