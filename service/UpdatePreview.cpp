#include "UpdatePreview.h"

#include "DocumentAdvice.h"

#include "LibXmlParser.h"
#include "app/MessageBoxes.h"
#include "browser/CommandRunner.h"
#include "browser/FileLauncher.h"
#include "browser/TExtraInfoList.h"
#include "shell/StatusLine.h"
#include "update/QuarantineList.h"
#include "update/UpdateDocument.h"

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
    std::optional<std::string> open(const std::string& file, const std::string& parameters) override {
        out_ << "Opens in the web browser: " << file << (parameters.empty() ? "" : " " + parameters) << "\n";
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

} // namespace

bool previewUpdateDocument(std::string_view document, std::ostream& out) {
    Teller teller(out);
    LibXmlParser parser;
    QuarantineList quarantine;
    TExtraInfoList notes;
    FileLauncher launcher(teller, teller, teller);
    UpdateDocument processor({parser, quarantine, notes, teller, launcher, teller, teller, teller});
    processor.AutoUpdateComplete(document);

    out << "Quarantined: " << (quarantine.empty() ? "nothing" : "") << "\n";
    for (std::size_t i = 0; i < quarantine.count(); ++i)
        out << "    " << quarantine.entry(i) << "\n";
    out << "Notes kept: " << (notes.Count() == 0 ? "none" : "") << "\n";
    for (std::size_t i = 0; i < notes.Count(); ++i) {
        const TExtraInfo& n = notes.at(i);
        if (n.FileName.empty())
            continue; // never matches a target
        out << "    " << n.FileName << (n.CanRun ? " (may still start)" : " (may not start)") << ": "
            << lines(n.Information, "      ") << (n.Url.empty() ? "" : " [" + n.Url + "]") << "\n";
    }
    out << "Status line: " << teller.status << "\n";
    const std::vector<std::string> advice = documentAdvice(document);
    if (!advice.empty())
        out << "Take note (the program does not do what the document may seem to say):\n";
    for (const std::string& note : advice)
        out << "    " << note << "\n";
    return teller.status == "Automatisk uppdatering klar...";
}

} // namespace dv
