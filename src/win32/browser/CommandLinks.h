#pragma once

#include "core/browser/CommandQueue.h"
#include "core/browser/CommandRunner.h"
#include "core/browser/FileLauncher.h"
#include "win32/browser/ShellProgramLauncher.h"

#include <windows.h>

#include <string>

namespace dv {
class MessageBoxes;
class QuarantineList;
class StatusLine;
class TExtraInfoList;
} // namespace dv

namespace dv::win32 {

class TExtraInfoForm;
class TProgStartingForm;

// What the main window's command links start, and how: the command runner
// with the quarantine check, the extra-information dialog and the shell
// launcher behind its waiting window. The main window owns one once its
// secondary windows exist and hands it every command message.
class CommandLinks {
  public:
    struct Parts {
        HWND mainWindow; // owns the launch error boxes and the dialog
        std::string discRoot;
        const QuarantineList& quarantine;
        const TExtraInfoList& extraInfo;
        TExtraInfoForm& extraInfoForm;
        TProgStartingForm& waitingWindow;
        MainWindowActions& window;
        StatusLine& status;
        MessageBoxes& boxes;
    };

    explicit CommandLinks(Parts parts);
    CommandLinks(const CommandLinks&) = delete;
    CommandLinks& operator=(const CommandLinks&) = delete;

    // Runs one command of a command link (DoCommand). The reader's that
    // arrives while another one's dialog is up runs after it, never inside
    // it; the page script's only when none runs or waits and the script
    // has been quiet for a while (CommandQueue).
    void run(const std::string& commandText, CommandStart start = CommandStart::ByReader);

    // ExecuteFile, for the extra-information dialog and the update.
    FileLauncher& fileLauncher() { return fileLauncher_; }

  private:
    ShellProgramLauncher launcher_;
    FileLauncher fileLauncher_;
    CommandRunner runner_;
    CommandQueue commands_;
};

} // namespace dv::win32
