#pragma once

// What the browser tests share: a disc folder of their own with the recording
// program, a stand-in main window wired as the program's main window is, and
// an answerer for the modal boxes a command opens.

#include "core/app/MessageBoxes.h"
#include "core/browser/DownloadIndicator.h"
#include "core/browser/TExtraInfoList.h"
#include "core/shell/StatusLine.h"
#include "core/update/QuarantineList.h"
#include "win32/app/DiscWindows.h"
#include "win32/browser/ProgressBarView.h"
#include "win32/browser/TExtraInfoForm.h"
#include "win32/browser/TProgStartingForm.h"
#include "win32/browser/Win32BrowserHost.h"
#include "win32/support/Win32MessageBoxes.h"
#include "win32/support/Window.h"

#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace dv::win32::test {

// Handles the thread's messages (through the program's loop and its filters)
// until done() holds or the time is up; true when done() held.
bool pumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 15000);
void pumpFor(DWORD ms);

// A disc folder of the test's own under the temporary folder, with a blank in
// its name: docs\ettan\index.htm, docs\noje\index.htm and program\argrec.exe,
// which writes the arguments it was started with to a file.
class TestDisc {
  public:
    TestDisc();
    ~TestDisc();
    TestDisc(const TestDisc&) = delete;
    TestDisc& operator=(const TestDisc&) = delete;

    // The disc root with its trailing backslash, UTF-8.
    const std::string& root() const { return root_; }
    std::string path(std::string_view relative) const { return root_ + std::string(relative); }
    // A page in a folder beside the disc.
    std::string outsidePage() const { return outside_ + "sida.htm"; }

    // The arguments the recording program was started with, once it has run
    // (the program's messages are handled meanwhile); empty when it did not.
    std::optional<std::vector<std::string>> recordedArguments(DWORD timeoutMs = 15000) const;
    // Whether the recording program ran at all, after waiting this long.
    bool programRan(DWORD waitMs) const;
    void forgetRecording() const;

  private:
    std::string root_;
    std::string outside_;
    std::string record_;
};

// Finds the next top-level window of this process with the given caption
// from another thread, hands it to an action there, and keeps the text of
// its message (the static text of a message box). A window that never comes
// leaves answered() false; any message box still up at the end is closed so
// that no test waits for a person.
class DialogAnswerer {
  public:
    using Action = std::function<void(HWND window)>;
    using Match = std::function<bool(HWND window)>;
    DialogAnswerer(std::wstring caption, Action action, DWORD timeoutMs = 15000);
    DialogAnswerer(Match match, Action action, DWORD timeoutMs = 15000);
    ~DialogAnswerer();
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;

    // Handles the program's messages until the window was answered or the
    // time is up, then waits for the thread; the results below are final.
    void finish();
    bool answered() const { return answered_; }
    std::string text() const;
    std::wstring windowClass() const;

    // Actions: a message box's button (IDOK, IDYES, ...), one of our own
    // windows' buttons by its text, or a key posted to the focused control.
    static Action pressBoxButton(int id);
    static Action clickButtonWithText(std::wstring text);
    static Action postKey(UINT virtualKey);

  private:
    void run(const Match& match, const Action& action, DWORD timeoutMs);

    std::atomic<bool> answered_{false};
    std::atomic<bool> done_{false};
    mutable std::mutex mutex_;
    std::string text_;
    std::wstring class_;
    std::thread thread_; // last: it starts once everything above exists
};

// A window with the browser panel, a status line and a download bar, and
// the browser host over them, without the rest of the program.
class TestMainWindow : public Window, public StatusLine {
  public:
    explicit TestMainWindow(std::string discRoot);
    ~TestMainWindow() override;

    // Creates the browser as the start-up tick does.
    bool startBrowser();
    Win32BrowserHost& browser() { return *browser_; }
    // Starts a navigation of the control, as a click on a link would.
    void navigate2(const std::wstring& address);
    std::wstring location() const;
    // Navigates and waits until the control shows the page.
    bool showPage(const std::string& path);

    HWND panel() const { return panel_; }
    HWND progressBar() const { return bar_; }
    std::string statusText() const;
    const std::vector<std::string>& statusTexts() const { return statusTexts_; }

    void setStatusText(const std::string& text) override;

  protected:
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    HWND panel_ = nullptr;
    HWND status_ = nullptr;
    HWND bar_ = nullptr;
    std::vector<std::string> statusTexts_;
    ProgressBarView progress_;
    std::unique_ptr<DownloadIndicator> indicator_;
    std::unique_ptr<Win32BrowserHost> browser_;
};

// The program itself on a test disc: the main window and its secondary
// windows as the process entry makes them, with the WebBrowser control and
// the message hook, the disc root where the test disc lies.
class TestProgram {
  public:
    explicit TestProgram(const std::string& discRoot,
                         std::optional<PlatformFacts> facts = std::nullopt);
    ~TestProgram();
    TestProgram(const TestProgram&) = delete;
    TestProgram& operator=(const TestProgram&) = delete;

    // The start-up tick; true when it left a browser.
    bool start();
    bool hookMade() const { return hookMade_; }

    TForm1& form() { return *windows_->form1; }
    Win32BrowserHost& browser() { return *host_; }
    TProgStartingForm& waitingWindow() { return *windows_->progStarting; }
    TExtraInfoForm& extraInfoForm() { return *windows_->extraInfo; }
    TFileSearchForm& fileSearch() { return *windows_->fileSearch; }
    // The main window is gone (closed).
    bool closed() const { return !IsWindow(mainWindow_); }

    // Navigates as a link the reader clicked does.
    void navigate2(const std::wstring& address);
    std::wstring location() const;
    bool showPage(const std::string& path);

  private:
    Win32MessageBoxes boxes_;
    Win32BrowserHost* host_ = nullptr;
    bool hookMade_ = false;
    std::unique_ptr<DiscWindows> windows_;
    HWND mainWindow_ = nullptr;
};

// Sends one of the control's events to its sink as the control does: the
// arguments last to first.
class EventSender {
  public:
    explicit EventSender(IDispatch& sink) : sink_(sink) {}
    void send(DISPID id, std::vector<VARIANT> argumentsFirstToLast);
    static VARIANT number(long value);
    static VARIANT text(BSTR value);
    static VARIANT reference(VARIANT* value);
    static VARIANT dispatch(IDispatch* value);
    static VARIANT flag(VARIANT_BOOL* value);

  private:
    IDispatch& sink_;
};

// A disc folder the build made, whose docs\ut is a symbolic link to a
// folder beside the disc: its root in Windows' terms, with the trailing
// backslash.
std::string linkedDiscRoot();

// The window class of a window, and its text.
std::wstring classOf(HWND window);
std::wstring textOf(HWND window);

} // namespace dv::win32::test
