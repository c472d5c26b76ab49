#include "BrowserTestSupport.h"

#include "win32/browser/ShellProgramLauncher.h"
#include "win32/browser/TProgStartingForm.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

namespace dv::win32::test {
namespace {

using Clock = std::chrono::steady_clock;

// Counts a timer's ticks on this thread: they come only while its messages
// are handled.
class TickCounter {
  public:
    TickCounter() : timer_(SetTimer(nullptr, 0, 50, &TickCounter::tick)) { ticks_ = 0; }
    ~TickCounter() { KillTimer(nullptr, timer_); }
    TickCounter(const TickCounter&) = delete;
    TickCounter& operator=(const TickCounter&) = delete;
    int ticks() const { return ticks_; }

  private:
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) { ++ticks_; }
    static inline int ticks_ = 0;
    UINT_PTR timer_;
};

// Wine's shell does not return for a path of a thousand characters; a
// network path may take as long on Windows. The window thread goes on
// meanwhile, and the wait ends with the patience.
TEST(ShellProgramLauncher, AShellThatDoesNotAnswerFreezesNothing) {
    const std::string paths[] = {
        "C:\\" + std::string(1000, 'a') + ".exe",
        "C:\\" + std::string(600, 'b') + "\\" + std::string(600, 'c') + ".exe",
    };
    for (const std::string& path : paths) {
        TProgStartingForm waiting;
        waiting.showWaiting();
        ShellProgramLauncher launcher;
        launcher.setPatience(3000);
        TickCounter counter;
        const auto start = Clock::now();
        const auto refusal = launcher.open(path, "");
        EXPECT_TRUE(refusal.has_value()) << "a path longer than the shell takes is refused";
        const auto took =
            std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
        waiting.hideWaiting();
        EXPECT_LT(took, 6000);
        // However long the shell took, this thread kept handling its timers
        // (one every 50 ms; a frozen thread gets none until it returns).
        if (took >= 500) {
            EXPECT_GE(counter.ticks(), took / 50 / 3) << took << " ms";
            EXPECT_GE(waiting.position(), static_cast<int>(took / 100 / 3)) << took << " ms";
        }
    }
}

// The reader's clicks and keys wait for the launch: the window is busy
// starting, and a second command must not start inside the first.
TEST(ShellProgramLauncher, InputWaitsUntilTheShellHasAnswered) {
    TProgStartingForm waiting;
    waiting.showWaiting();
    PostMessageW(waiting.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    PostMessageW(waiting.hwnd(), WM_KEYDOWN, VK_RETURN, 0);
    ShellProgramLauncher launcher;
    launcher.setPatience(1500);
    launcher.open("C:\\" + std::string(1000, 'a') + ".exe", "");
    MSG message{};
    EXPECT_TRUE(PeekMessageW(&message, waiting.hwnd(), WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_REMOVE));
    EXPECT_TRUE(PeekMessageW(&message, waiting.hwnd(), WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE));
    waiting.hideWaiting();
}

TEST(ShellProgramLauncher, ARefusalStillSaysWhy) {
    ShellProgramLauncher launcher;
    const auto refusal = launcher.open("C:\\finns-inte\\program.exe", "");
    ASSERT_TRUE(refusal.has_value());
    EXPECT_FALSE(refusal->empty());
}

} // namespace
} // namespace dv::win32::test
