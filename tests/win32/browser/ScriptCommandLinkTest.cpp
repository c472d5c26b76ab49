// The control's navigation event does not say whether the reader clicked a
// command link or the page's script followed it: the reader's clicks and
// keys in the page, seen by the program's message hook, tell. A script's
// links start one program, and another only after a quiet while; the
// reader's own clicks always run.

#include "BrowserTestSupport.h"

#include "win32/browser/WebBrowserControl.h"

#include <exdispid.h>
#include <gtest/gtest.h>

#include <atomic>
#include <functional>

namespace dv::win32::test {
namespace {

using Arguments = std::vector<std::string>;

class ScriptCommandLinkTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(program.start());
        ASSERT_TRUE(program.hookMade());
        ASSERT_TRUE(
            pumpUntil([&] { return program.location().find(L"ettan") != std::wstring::npos; }));
        pumpUntil([&] { return !program.browser().browserBusy(); });
    }

    // The control's event for a command link of the page, raised as the
    // control raises it (Navigate2 under Wine raises it later, from the loop).
    void follow(const std::wstring& address) {
        BSTR text = SysAllocString(address.c_str());
        VARIANT url = EventSender::text(text);
        VARIANT empty;
        VariantInit(&empty);
        VARIANT_BOOL cancel = VARIANT_FALSE;
        EventSender(program.browser().control()->eventSink())
            .send(DISPID_BEFORENAVIGATE2,
                  {EventSender::dispatch(&program.browser().control()->browser()),
                   EventSender::reference(&url), EventSender::reference(&empty),
                   EventSender::reference(&empty), EventSender::reference(&empty),
                   EventSender::reference(&empty), EventSender::flag(&cancel)});
        SysFreeString(text);
    }

    static std::wstring link(const std::wstring& argument) {
        return L"COMMAND:EXECUTE=<thisdir>\\program\\argrec.exe " + argument;
    }

    // A click of the reader's in the page, through the program's message
    // loop and its hook, as the system delivers it.
    void readerClicks() {
        const HWND page = program.browser().browserWindow();
        ASSERT_NE(page, nullptr);
        ASSERT_TRUE(PostMessageW(page, WM_LBUTTONUP, 0, MAKELPARAM(5, 5)));
        MSG waiting;
        ASSERT_TRUE(pumpUntil([&] {
            return !PeekMessageW(&waiting, page, WM_LBUTTONUP, WM_LBUTTONUP, PM_NOREMOVE);
        }));
    }

    TestDisc disc;
    TestProgram program{disc.root()};
};

// Calls made on the window thread from inside a modal loop: a thread timer's
// procedure runs wherever the thread's messages are dispatched.
std::function<void()>* duringTheDialog = nullptr;

void CALLBACK fireDuringTheDialog(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    if (duringTheDialog)
        (*duringTheDialog)();
}

// While a command runs (here its extra-information dialog is up), the
// page's script follows two more command links: they are refused, not kept
// for later; a link the reader clicks meanwhile runs after the first.
TEST_F(ScriptCommandLinkTest, WhileACommandRunsTheScriptsLinksAreRefusedAndTheReadersWait) {
    program.form().extraInfo().Add({"saknas.exe", "Läs först.", "", true});
    std::atomic<bool> fired{false};
    std::function<void()> links = [&] {
        follow(link(L"skript1"));
        program.browser().readerActed(); // the reader clicks a link meanwhile
        follow(link(L"läsaren"));
        follow(link(L"skript2"));
        fired = true;
    };
    duringTheDialog = &links;
    DialogAnswerer dialog(L"Datavinds cd - Mer information", [&](HWND w) {
        for (int i = 0; i < 1500 && !fired; ++i)
            Sleep(10);
        DialogAnswerer::clickButtonWithText(L"Nej")(w);
    });
    // The first link follows the reader's click in the page, through the
    // program's message loop and its hook.
    readerClicks();
    ASSERT_NE(SetTimer(nullptr, 0, 10, fireDuringTheDialog), 0u);
    follow(L"COMMAND:EXECUTE=<thisdir>\\program\\saknas.exe");
    dialog.finish();
    duringTheDialog = nullptr;
    ASSERT_TRUE(dialog.answered());
    ASSERT_TRUE(fired);
    EXPECT_EQ(disc.recordedArguments(), Arguments{"läsaren"});
    disc.forgetRecording();
    EXPECT_FALSE(disc.programRan(3000)); // the script's never come
}

} // namespace
} // namespace dv::win32::test
