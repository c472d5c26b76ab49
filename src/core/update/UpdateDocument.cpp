#include "core/update/UpdateDocument.h"

#include "core/app/MessageBoxes.h"
#include "core/browser/CommandRunner.h"
#include "core/browser/FileLauncher.h"
#include "core/browser/TExtraInfoList.h"
#include "core/shell/MainWindowLayout.h"
#include "core/shell/StatusLine.h"
#include "core/update/QuarantineList.h"

namespace dv {

namespace {

const std::string kDocumentBoxTitle = layout::kApplicationTitle;

} // namespace

void UpdateDocument::AutoUpdateComplete(std::string_view text) {
    answerReceived();
    AutoUpdatePlanned(readUpdatePlan(p_.parser, text));
}

void UpdateDocument::answerReceived() {
    p_.status.setStatusText("Uppdateringarna inlästa...");
}

void UpdateDocument::AutoUpdatePlanned(const UpdatePlan& plan) {
    using Part = UpdatePlan::Part;
    bool end = false;
    // Each part as far as the document could be read; a failure stops there.
    const auto carriedOut = [&]() -> bool {
        if (plan.failedIn == Part::Parse)
            return false; // both lists stay as they were
        p_.quarantine.assign(plan.quarantine);
        if (plan.failedIn == Part::Quarantine)
            return false;
        if (!p_.quarantine.empty())
            p_.boxes.show(
                {kDocumentBoxTitle + " - Karantän",
                 "Denna skiva innehåller en eller flera filer eller länkar som satts i "
                 "karantän efter att skivan trycktes!\r\rAnledningen till karantänen är att "
                 "problem upptäckts när skivan redan distribuerats. Du kan utan problem\r"
                 "fortsätta använda skivan, eftersom de filer som är satta i karantän inte "
                 "kommer att kunna startas.",
                 MessageIcon::Information, MessageButtons::Ok});

        for (const std::string& address : plan.popups) {
            p_.boxes.show(
                {kDocumentBoxTitle,
                 "Den automatiska uppdateringen kommer nu att starta ett webbläsarfönster,\r"
                 "eftersom Datavinds redaktion har något viktigt att berätta om denna skiva.",
                 MessageIcon::Information, MessageButtons::Ok});
            p_.launcher.ExecuteFile(address);
        }
        if (plan.failedIn == Part::Popups)
            return false;

        p_.extraInfo.assign(plan.notes);
        if (plan.failedIn == Part::Notes)
            return false;

        using Shows = UpdatePlan::Message::Shows;
        for (const UpdatePlan::Message& m : plan.messages) {
            if (m.shows == Shows::Box)
                p_.boxes.show({m.caption, m.text, m.icon, MessageButtons::Ok});
            else if (m.shows == Shows::Notice)
                p_.dialog.showNotice({"", m.text, m.url, false}, m.caption);
            end = end || m.stop;
        }
        return plan.failedIn == Part::None;
    };
    p_.status.setStatusText(carriedOut() ? "Automatisk uppdatering klar..."
                                         : "Automatisk uppdatering misslyckades!");
    // Asked for only now: an end requested at once would take effect inside
    // the next box's own event loop and take every later box with it.
    if (end)
        p_.end.requestTermination();
}

} // namespace dv
