#include "UpdatePreview.h"

#include "DocumentAdvice.h"

#include "core/app/MessageBoxes.h"
#include "core/browser/CommandRunner.h"
#include "core/browser/FileLauncher.h"
#include "core/browser/TExtraInfoList.h"
#include "core/shell/StatusLine.h"
#include "core/update/QuarantineList.h"
#include "core/update/UpdateDocument.h"
#include "core/update/UpdatePlan.h"
#include "core/update/XmlDocument.h"
#include "linux/LibXmlParser.h"

#include <ostream>

namespace dv {

namespace {

const char* iconName(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return "information";
    case MessageIcon::Warning:
        return "warning";
    case MessageIcon::Error:
        return "error";
    case MessageIcon::None:
        break;
    }
    return "no icon";
}

// Line breaks of the program's texts as the reader will see them.
std::string lines(std::string text, const char* indent) {
    std::string out;
    for (const char c : text)
        out += c == '\r' ? std::string("\n") + indent : std::string(1, c);
    return out;
}

class Teller : public MessageBoxes,
               public ProgramLauncher,
               public WaitingWindow,
               public ExtraInfoDialog,
               public StatusLine,
               public ApplicationEnd {
  public:
    explicit Teller(std::ostream& out) : out_(out) {}

    MessageAnswer show(const MessageBoxRequest& r) override {
        out_ << "Message box (" << iconName(r.icon) << "): " << r.caption << "\n    "
             << lines(r.text, "    ") << "\n";
        return MessageAnswer::Ok;
    }
    std::optional<std::string> open(const std::string& file,
                                    const std::string& parameters) override {
        out_ << "Opens in the web browser: " << file << (parameters.empty() ? "" : " " + parameters)
             << "\n";
        return std::nullopt;
    }
    void showWaiting() override {}
    void hideWaiting() override {}
    bool askToStart(const TExtraInfo&) override { return false; }
    void showNotice(const TExtraInfo& note, const std::string& caption) override {
        out_ << "Note dialog: " << caption << "\n    " << lines(note.Information, "    ") << "\n";
        if (!note.Url.empty())
            out_ << "    More on the web: " << note.Url << "\n";
    }
    void setStatusText(const std::string& text) override { status = text; }
    void requestTermination() override { out_ << "The program ends after the last message.\n"; }

    std::string status;

  private:
    std::ostream& out_;
};

const char* partName(UpdatePlan::Part part) {
    switch (part) {
    case UpdatePlan::Part::Quarantine:
        return "quarantine";
    case UpdatePlan::Part::Popups:
        return "popup";
    case UpdatePlan::Part::Notes:
        return "extrainfo";
    case UpdatePlan::Part::Messages:
        return "message";
    case UpdatePlan::Part::None:
    case UpdatePlan::Part::Parse:
        break;
    }
    return "";
}

// The reason, from what the parser or the reading said.
std::optional<std::string> refusalOf(std::string_view document, const UpdatePlan& plan) {
    if (document.size() > kMaxXmlDocumentBytes)
        return "too large: more than 1 MiB (1048576 bytes), the most the program reads";
    if (plan.failedIn == UpdatePlan::Part::None)
        return std::nullopt;
    const std::string failure =
        plan.failure.empty() ? std::string("no reason given") : plan.failure;
    if (plan.failedIn == UpdatePlan::Part::Parse)
        return failure;
    return std::string("the ") + partName(plan.failedIn) + " entries cannot be read: " + failure;
}

} // namespace

std::optional<std::string> updateRefusal(std::string_view document) {
    if (document.size() > kMaxXmlDocumentBytes)
        return refusalOf(document, {});
    LibXmlParser parser;
    return refusalOf(document, readUpdatePlan(parser, document));
}

bool previewUpdateDocument(std::string_view document, std::ostream& out) {
    Teller teller(out);
    LibXmlParser parser;
    QuarantineList quarantine;
    TExtraInfoList notes;
    FileLauncher launcher(teller, teller, teller);
    UpdateDocument processor({parser, quarantine, notes, teller, launcher, teller, teller, teller});
    processor.answerReceived();
    const UpdatePlan plan = readUpdatePlan(parser, document);
    processor.AutoUpdatePlanned(plan);

    out << "Quarantined: " << (quarantine.empty() ? "nothing" : "") << "\n";
    for (std::size_t i = 0; i < quarantine.count(); ++i)
        out << "    " << quarantine.entry(i) << "\n";
    out << "Notes kept: " << (notes.Count() == 0 ? "none" : "") << "\n";
    for (std::size_t i = 0; i < notes.Count(); ++i) {
        const TExtraInfo& n = notes.at(i);
        if (n.FileName.empty())
            continue; // never matches a target
        out << "    " << n.FileName << (n.CanRun ? " (may still start)" : " (may not start)")
            << ": " << lines(n.Information, "      ") << (n.Url.empty() ? "" : " [" + n.Url + "]")
            << "\n";
    }
    out << "Status line: " << teller.status << "\n";
    if (const auto refusal = refusalOf(document, plan))
        out << "Refused: " << *refusal << "\n";
    const std::vector<std::string> advice = documentAdvice(document);
    if (!advice.empty())
        out << "Take note (the program does not do what the document may seem to say):\n";
    for (const std::string& note : advice)
        out << "    " << note << "\n";
    return teller.status == "Automatisk uppdatering klar...";
}

} // namespace dv
