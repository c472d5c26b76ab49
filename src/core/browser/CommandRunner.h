#pragma once

#include "core/browser/ExtraInfoDialog.h"
#include "core/browser/MainWindowActions.h"

#include <string>
#include <string_view>

namespace dv {

class FileLauncher;
class MessageBoxes;
class QuarantineList;
class StatusLine;
class TExtraInfoList;
struct Command;
struct TExtraInfo;

// Runs one command of a command link: a target to start (refused when
// quarantined, shown with its note first when it has one), quit, minimise,
// or the Internet settings (the status line says when there is nothing to
// open them with). Unknown verbs do nothing.
class CommandRunner {
  public:
    struct Parts {
        const QuarantineList& quarantine;
        const TExtraInfoList& extraInfo;
        ExtraInfoDialog& extraInfoDialog;
        FileLauncher& launcher;
        MainWindowActions& window;
        StatusLine& status;
        MessageBoxes& boxes;
    };

    CommandRunner(std::string discRoot, Parts parts) : discRoot_(std::move(discRoot)), p_(parts) {}

    void DoCommand(std::string_view commandText);

  private:
    void execute(const Command& command);

    std::string discRoot_;
    Parts p_;
};

} // namespace dv
