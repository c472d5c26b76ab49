#include "update/UpdateDocument.h"

#include "app/MessageBoxes.h"
#include "app/UrlHost.h"
#include "browser/CommandRunner.h"
#include "browser/FileLauncher.h"
#include "browser/TExtraInfoList.h"
#include "shell/MainWindowLayout.h"
#include "shell/StatusLine.h"
#include "update/QuarantineList.h"
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

} // namespace

void UpdateDocument::AutoUpdateComplete(std::string_view text) {
    p_.status.setStatusText("Uppdateringarna inlästa...");
    bool end = false;
    try {
        process(text, end);
        p_.status.setStatusText("Automatisk uppdatering klar...");
    } catch (const std::exception&) {
        p_.status.setStatusText("Automatisk uppdatering misslyckades!");
    }
    // Asked for only now: an end requested at once would take effect inside
    // the next box's own event loop and take every later box with it.
    if (end)
        p_.end.requestTermination();
}

void UpdateDocument::process(std::string_view text, bool& end) {
    const XmlNode root = p_.parser.parse(text);

    p_.quarantine.clear();
    if (const XmlNode* q = firstChild(root, "quarantine")) {
        for (const XmlNode* node : group(*q, "quarantined"))
            p_.quarantine.append(valueOf(*node));
        if (!p_.quarantine.empty())
            p_.boxes.show({kTitle + " - Karantän",
                           "Denna skiva innehåller en eller flera filer eller länkar som satts i "
                           "karantän efter att skivan trycktes!\r\rAnledningen till karantänen är att "
                           "problem upptäckts när skivan redan distribuerats. Du kan utan problem\r"
                           "fortsätta använda skivan, eftersom de filer som är satta i karantän inte "
                           "kommer att kunna startas.",
                           MessageIcon::Information, MessageButtons::Ok});
    }

    if (const XmlNode* popup = firstChild(root, "popup")) {
        for (const XmlNode* node : group(*popup, "url")) {
            const std::string address = valueOf(*node);
            // Only web pages: the document comes over plain HTTP and must
            // not be able to start programs on the reader's machine.
            if (!isWebPageAddress(address))
                continue;
            p_.boxes.show({kTitle,
                           "Den automatiska uppdateringen kommer nu att starta ett webbläsarfönster,\r"
                           "eftersom Datavinds redaktion har något viktigt att berätta om denna skiva.",
                           MessageIcon::Information, MessageButtons::Ok});
            p_.launcher.ExecuteFile(address);
        }
    }

    p_.extraInfo.Clear();
    for (const XmlNode* node : group(root, "extrainfo"))
        p_.extraInfo.Add({field(*node, "filename"), field(*node, "information"), field(*node, "url"),
                          field(*node, "canrun") == "1"});

    for (const XmlNode* node : group(root, "message")) {
        const std::string caption = kTitle + " - " + field(*node, "caption");
        const std::string body = replaceLineMarks(field(*node, "text"));
        const std::string severity = upperAscii(field(*node, "severity"));
        const bool stop = field(*node, "cancontinue") == "0";
        const std::string url = field(*node, "url");
        if (severity == "INFORMATION")
            p_.boxes.show({caption, body, MessageIcon::Information, MessageButtons::Ok});
        else if (severity == "WARNING")
            p_.boxes.show({caption, body, MessageIcon::Warning, MessageButtons::Ok});
        else if (severity == "ERROR")
            p_.boxes.show({caption, body, MessageIcon::Error, MessageButtons::Ok});
        else if (severity == "EXTRAINFO")
            p_.dialog.showNotice({"", body, url, false}, caption);
        end = end || stop;
    }
}

} // namespace dv
