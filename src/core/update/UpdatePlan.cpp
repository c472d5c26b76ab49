#include "core/update/UpdatePlan.h"

#include "core/app/MessageBoxes.h"
#include "core/app/UrlHost.h"
#include "core/shell/MainWindowLayout.h"
#include "core/text/AnsiText.h"
#include "core/update/DocumentGroups.h"
#include "core/update/XmlDocument.h"

#include <exception>

namespace dv {

namespace {

const std::string kPlanCaptionTitle = layout::kApplicationTitle;

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
    if (const XmlNode* q = firstChildNamed(root, "quarantine"))
        for (const XmlNode* node : documentGroup(*q, "quarantined"))
            plan.quarantine.push_back(valueOf(*node));

    plan.failedIn = UpdatePlan::Part::Popups;
    if (const XmlNode* popup = firstChildNamed(root, "popup")) {
        for (const XmlNode* node : documentGroup(*popup, "url")) {
            std::string address = valueOf(*node);
            // Only web pages: the document comes over plain HTTP and must
            // not be able to start programs on the reader's machine.
            if (isWebPageAddress(address))
                plan.popups.push_back(std::move(address));
        }
    }

    plan.failedIn = UpdatePlan::Part::Notes;
    for (const XmlNode* node : documentGroup(root, "extrainfo"))
        plan.notes.push_back({fieldOf(*node, "filename"), fieldOf(*node, "information"),
                              fieldOf(*node, "url"), fieldOf(*node, "canrun") == "1"});

    plan.failedIn = UpdatePlan::Part::Messages;
    for (const XmlNode* node : documentGroup(root, "message")) {
        UpdatePlan::Message m;
        m.caption = kPlanCaptionTitle + " - " + fieldOf(*node, "caption");
        m.text = replaceLineMarks(fieldOf(*node, "text"));
        const std::string severity = upperAscii(fieldOf(*node, "severity"));
        m.stop = fieldOf(*node, "cancontinue") == "0";
        m.url = fieldOf(*node, "url");
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
    } catch (const std::exception& e) {
        plan.failedIn = UpdatePlan::Part::Parse;
        plan.failure = e.what();
        return plan;
    }
    try {
        read(root, plan);
    } catch (const std::exception& e) {
        // failedIn says where; what was read before stays in the plan.
        plan.failure = e.what();
    }
    return plan;
}

} // namespace dv
