#include "win32/browser/CommandLinks.h"

#include "win32/browser/TExtraInfoForm.h"
#include "win32/browser/TProgStartingForm.h"
#include "win32/browser/Win32RealPaths.h"

namespace dv::win32 {

CommandLinks::CommandLinks(Parts parts)
    : launcher_(parts.mainWindow),
      fileLauncher_(launcher_, parts.waitingWindow, parts.boxes,
                    std::make_unique<DiscTargets>(
                        parts.discRoot, std::make_unique<Win32RealPaths>(), PathCase::Insensitive)),
      runner_(parts.discRoot,
              CommandRunner::Parts{parts.quarantine, parts.extraInfo, parts.extraInfoForm,
                                   fileLauncher_, parts.window, parts.status, parts.boxes}),
      commands_([this](const std::string& command) { runner_.DoCommand(command); }) {
    parts.extraInfoForm.setOwner(parts.mainWindow);
    parts.extraInfoForm.setLauncher(&fileLauncher_);
}

void CommandLinks::run(const std::string& commandText, CommandStart start) {
    commands_.push(commandText, start);
}

} // namespace dv::win32
