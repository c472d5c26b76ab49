#pragma once

// What the browser tests share: a disc folder of their own with the recording
// program, a stand-in main window wired as the program's main window is, and
// an answerer for the modal boxes a command opens.

#include "app/MessageBoxes.h"
#include "browser/MainBrowser.h"
#include "browser/ProgressBarView.h"
#include "browser/TExtraInfoForm.h"
#include "browser/TExtraInfoList.h"
#include "browser/TProgStartingForm.h"
#include "shell/StatusLine.h"
#include "support/Win32MessageBoxes.h"
#include "support/Window.h"
#include "update/QuarantineList.h"

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

// The main window as the program builds it, in small: the browser panel, the
// status line, the download bar and the secondary windows, wired to a
// MainBrowser; the command message goes to it.
class TestMainWindow : public Window, public StatusLine {
public:
    explicit TestMainWindow(std::string discRoot);
    ~TestMainWindow() override;

    // Creates the browser as the start-up tick does, then the hook.
    bool startBrowser();
    // Starts a navigation of the control, as a click on a link would.
    void navigate2(const std::wstring& address);
    // The address the control shows.
    std::wstring location() const;
    // Navigates and waits until the control shows the page.
    bool showPage(const std::string& path);

    MainBrowser& browser() { return *browser_; }
    QuarantineList& quarantine() { return quarantine_; }
    TExtraInfoList& extraInfo() { return extraInfo_; }
    TProgStartingForm& waitingWindow() { return waiting_; }
    TExtraInfoForm& extraInfoForm() { return extraForm_; }
    HWND panel() const { return panel_; }
    HWND progressBar() const { return bar_; }
    bool closed() const { return closed_; }
    std::string statusText() const;
    const std::vector<std::string>& statusTexts() const { return statusTexts_; }

    void setStatusText(const std::string& text) override;

protected:
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    HWND panel_ = nullptr;
    HWND status_ = nullptr;
    HWND bar_ = nullptr;
    bool closed_ = false;
    std::vector<std::string> statusTexts_;
    ProgressBarView progress_;
    Win32MessageBoxes boxes_;
    QuarantineList quarantine_;
    TExtraInfoList extraInfo_;
    TProgStartingForm waiting_;
    TExtraInfoForm extraForm_;
    std::unique_ptr<MainBrowser> browser_;
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

// The window class of a window, and its text.
std::wstring classOf(HWND window);
std::wstring textOf(HWND window);

} // namespace dv::win32::test
