#pragma once

// What the tests of the music player and the hidden screen share: the
// sample disc as Windows sees it, work run from inside a modal loop, and
// answering the dialogs the code opens from inside their own loops.

#include <windows.h>

#include <filesystem>
#include <functional>
#include <string>

namespace dv::win32::test {

// The sample disc of the source tree, as a Windows path with its trailing
// backslash (the disc root the program would have).
std::string sampleDisc();
// A Unix path of the host as Windows sees it under Wine (drive Z:).
std::string windowsPath(std::string unixPath);

// All of a file.
std::string fileBytes(const std::filesystem::path& path);

// Runs the work once, soon, from whatever message loop the thread is in
// then (a modal one too).
void runSoon(std::function<void()> work, int delayMs = 50);

// Answers the next dialog box of this thread once it shows (a message
// box or a common dialog) and is one it takes: the action runs on it from
// inside its own modal loop. Gives up after the time.
class DialogAnswerer {
  public:
    using Action = std::function<void(HWND dialog)>;
    using Accept = std::function<bool(HWND dialog)>;
    // Any box but the one given (one already up).
    explicit DialogAnswerer(Action action, HWND besides = nullptr, int timeoutMs = 15000);
    DialogAnswerer(Action action, Accept accept, int timeoutMs = 15000);
    ~DialogAnswerer();
    bool answered() const { return answered_; }

  private:
    static void CALLBACK tick(HWND, UINT, UINT_PTR id, DWORD);

    Action action_;
    Accept accept_;
    DWORD deadline_;
    UINT_PTR timer_ = 0;
    bool answered_ = false;
};

// The text of a message box (its static text), its icon (MB_ICON...), the
// text of a dialog's control, and pressing one of its buttons.
std::wstring messageBoxText(HWND box);
UINT messageBoxIcon(HWND box);
std::wstring itemText(HWND dialog, int id);
void pressButton(HWND dialog, int id);
// A visible top-level window of this thread of that class that the test
// takes, or nullptr.
HWND threadWindowWithClass(
    const wchar_t* className, const std::function<bool(HWND)>& accept = [](HWND) { return true; });

} // namespace dv::win32::test
