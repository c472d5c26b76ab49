#include "core/browser/CommandRunner.h"

#include "core/app/MessageBoxes.h"
#include "core/browser/CommandText.h"
#include "core/browser/FileLauncher.h"
#include "core/browser/TExtraInfoList.h"
#include "core/shell/StatusLine.h"
#include "core/update/QuarantineList.h"

namespace dv {

void CommandRunner::DoCommand(std::string_view commandText) {
    const Command command = parseCommand(commandText, discRoot_);
    switch (command.verb) {
    case CommandVerb::Execute:
        execute(command);
        break;
    case CommandVerb::Quit:
        p_.window.closeMainWindow();
        break;
    case CommandVerb::Minimize:
        p_.window.minimiseApplication();
        break;
    case CommandVerb::ShowInetSettings:
        p_.status.setStatusText("Öppnar Kontrollpanelens Internetinställningar...");
        if (!p_.window.openInternetSettings())
            p_.status.setStatusText("Hittade inget program för Internetinställningar.");
        break;
    case CommandVerb::Unknown:
        break;
    }
}

// The checks and the box see the whole target with the disc root in; what
// starts was cut before the root went in.
void CommandRunner::execute(const Command& command) {
    const std::string& target = command.target;
    if (p_.quarantine.Quarantined(target)) {
        p_.boxes.show(QuarantineWarning(target));
        return;
    }
    if (const TExtraInfo* note = p_.extraInfo.Find(target)) {
        if (p_.extraInfoDialog.askToStart(*note))
            p_.launcher.ExecuteFile(target, command.launch);
        return;
    }
    p_.launcher.ExecuteFile(target, command.launch);
}

} // namespace dv
