#pragma once

#include "browser/CommandQueue.h"
#include "browser/CommandRunner.h"
#include "browser/DownloadIndicator.h"
#include "browser/FileLauncher.h"
#include "browser/ShellProgramLauncher.h"
#include "browser/Win32BrowserHost.h"
#include "browser/Win32MainWindowActions.h"

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

namespace dv {
class MessageBoxes;
class ProgressView;
class QuarantineList;
class StatusLine;
class TExtraInfoList;
} // namespace dv

namespace dv::win32 {

class MyMessageHandler;
class TExtraInfoForm;
class TProgStartingForm;

// The main window's browser and everything that hangs off it: the control in
// its panel, the command links and the commands they run, the launcher with
// its waiting window and the extra-information dialog, the application-wide
// message hook and the page hot-spots. The main window owns one and forwards
// its events to it.
class MainBrowser {
public:
    struct Parts {
        HWND mainWindow;
        HWND panel; // IEPanel
        std::string discRoot;
        StatusLine& status;
        ProgressView& progress; // pbDocument
        MessageBoxes& boxes;
        const QuarantineList& quarantine;
        const TExtraInfoList& extraInfo;
    };

    explicit MainBrowser(Parts parts);
    ~MainBrowser();
    MainBrowser(const MainBrowser&) = delete;
    MainBrowser& operator=(const MainBrowser&) = delete;

    // The secondary windows, created after the main window.
    void attachWindows(TProgStartingForm& progStarting, TExtraInfoForm& extraInfo, HWND fileSearch);

    Win32BrowserHost& browserHost() { return host_; }
    // Only once attachWindows has run.
    FileLauncher& fileLauncher() { return *fileLauncher_; }

    // From now on the hook sees every queued message; once the browser exists.
    void installMessageHook();
    bool messageHookInstalled() const { return hook_ != nullptr; }

    // The handler of the command message (kCommandMessage).
    LRESULT IECommand(WPARAM wParam);
    // Runs one command of a command link, after any command still running.
    void DoCommand(const std::string& commandText);
    bool ExecuteFile(std::string_view target);

    // A page hot-spot's click: its page in the browser, when there is one.
    void openSection(std::string_view label);

private:
    Parts p_;
    DownloadIndicator indicator_;
    Win32BrowserHost host_;
    ShellProgramLauncher launcher_;
    Win32MainWindowActions actions_;
    std::unique_ptr<FileLauncher> fileLauncher_;
    std::unique_ptr<CommandRunner> runner_;
    CommandQueue commands_;
    std::unique_ptr<MyMessageHandler> hook_;
};

} // namespace dv::win32
