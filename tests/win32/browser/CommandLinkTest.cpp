#include "BrowserTestSupport.h"

#include "browser/SystemMessageText.h"
#include "browser/WebBrowserControl.h"
#include "support/MessageLoop.h"
#include "support/Utf16.h"
#include "update/QuarantineList.h"

#include <exdispid.h>
#include <gtest/gtest.h>

namespace dv::win32::test {
namespace {

using Arguments = std::vector<std::string>;

class CommandLinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(window.startBrowser());
        ASSERT_TRUE(window.showPage(disc.path("docs/ettan/index.htm")));
    }

    TestDisc disc;
    TestMainWindow window{disc.root()};
};

TEST_F(CommandLinkTest, LinksStartTheRecordingProgramWithTheirArguments) {
    struct Case {
        const wchar_t* link;
        Arguments arguments;
    };
    const Case cases[] = {
        {L"COMMAND:EXECUTE=<thisdir>\\program\\argrec.exe", {}},
        {L"command:execute=<THISDIR>\\program\\argrec.exe -a -b", {"-a", "-b"}},
        {L"Command:Execute=<ThisDir>\\PROGRAM\\ARGREC.EXE 'tre ord här'", {"tre", "ord", "här"}},
        {L"cOmMaNd:EXECUTE=%3Cthisdir%3E%5Cprogram%5Cargrec.exe%20x+y", {"x", "y"}},
        {L"%43OMMAND:EXECUTE=<thisdir>\\program\\argrec.exe sn%F6boll", {"snöboll"}},
        {L"COMMAND:EXECUTE=<thisdir>\\program\\argrec.exe sn%C3%B6boll%zz", {"snöboll"}},
    };
    for (const Case& c : cases) {
        disc.forgetRecording();
        const std::wstring before = window.location();
        window.navigate2(c.link);
        EXPECT_EQ(disc.recordedArguments(), c.arguments) << narrow(c.link);
        // The navigation was cancelled: the page stays.
        EXPECT_EQ(window.location(), before) << narrow(c.link);
    }
    EXPECT_FALSE(IsWindowVisible(window.waitingWindow().hwnd()));
}

TEST_F(CommandLinkTest, ACommandRunsToItsEndBeforeTheEventReturns) {
    window.quarantine().append("argrec.exe");
    DialogAnswerer box(L"Datavinds cd - Karantän!", DialogAnswerer::pressBoxButton(IDOK));
    // The event as the control raises it for a link of the page it shows.
    IWebBrowser2& browser = window.browser().browserHost().control()->browser();
    BSTR address = SysAllocString(L"COMMAND:EXECUTE=<thisdir>\\program\\argrec.exe");
    VARIANT url = EventSender::text(address);
    VARIANT empty;
    VariantInit(&empty);
    VARIANT_BOOL cancel = VARIANT_FALSE;
    EventSender(window.browser().browserHost().control()->eventSink())
        .send(DISPID_BEFORENAVIGATE2, {EventSender::dispatch(&browser), EventSender::reference(&url),
                                       EventSender::reference(&empty), EventSender::reference(&empty),
                                       EventSender::reference(&empty), EventSender::reference(&empty),
                                       EventSender::flag(&cancel)});
    SysFreeString(address);
    // The warning came and was answered inside the event.
    EXPECT_TRUE(box.answered());
    EXPECT_EQ(cancel, VARIANT_TRUE);
    box.finish();
}

TEST_F(CommandLinkTest, ACommandLinkOfAPageOutsideTheDiscRunsNothing) {
    ASSERT_TRUE(window.showPage(disc.outsidePage()));
    const std::wstring outside = window.location();
    window.navigate2(L"COMMAND:EXECUTE=<thisdir>\\program\\argrec.exe");
    window.navigate2(L"COMMAND:QUIT");
    EXPECT_FALSE(disc.programRan(3000));
    EXPECT_FALSE(window.closed());
    EXPECT_EQ(window.location(), outside); // and the command address is not shown either
}

TEST_F(CommandLinkTest, AQuarantinedTargetGetsTheWarningOnly) {
    window.quarantine().append("argrec.exe");
    // A note for it too: the quarantine comes first and alone.
    window.extraInfo().Add({"argrec", "Läs först", "", true});
    DialogAnswerer box(L"Datavinds cd - Karantän!", DialogAnswerer::pressBoxButton(IDOK));
    window.navigate2(L"COMMAND:EXECUTE=<thisdir>\\program\\argrec.exe x");
    box.finish();
    ASSERT_TRUE(box.answered());
    EXPECT_EQ(box.windowClass(), L"#32770");
    const std::string target = disc.path("program\\argrec.exe x");
    EXPECT_EQ(box.text(), QuarantineWarning(target).text);
    EXPECT_FALSE(disc.programRan(2000));
}

TEST_F(CommandLinkTest, TheExtraInformationDecides) {
    struct Case {
        bool canRun;
        const wchar_t* button;
        bool runs;
    };
    const Case cases[] = {{true, L"Ja", true}, {true, L"Nej", false}, {false, L"Stäng", false}};
    for (const Case& c : cases) {
        window.extraInfo().Clear();
        window.extraInfo().Add({"argrec.exe", "Programmet kräver 3D-kort & ljud.", "", c.canRun});
        disc.forgetRecording();
        DialogAnswerer dialog(L"Datavinds cd - Mer information", DialogAnswerer::clickButtonWithText(c.button));
        window.navigate2(L"COMMAND:EXECUTE=<thisdir>\\program\\argrec.exe");
        dialog.finish();
        ASSERT_TRUE(dialog.answered()) << narrow(c.button);
        EXPECT_EQ(disc.programRan(c.runs ? 15000 : 2000), c.runs) << narrow(c.button);
    }
}

TEST_F(CommandLinkTest, AMissingProgramGivesTheSystemsText) {
    bool waitingShown = true;
    DialogAnswerer box(L"Datavinds cd", [&](HWND w) {
        waitingShown = IsWindowVisible(window.waitingWindow().hwnd()) != FALSE;
        DialogAnswerer::pressBoxButton(IDOK)(w);
    });
    window.navigate2(L"COMMAND:EXECUTE=<thisdir>\\program\\saknas.exe /s");
    box.finish();
    ASSERT_TRUE(box.answered());
    EXPECT_EQ(box.text(), systemMessageText(ERROR_FILE_NOT_FOUND) + " (" + disc.path("program\\saknas.exe /s") + ")");
    EXPECT_FALSE(waitingShown);
}

TEST_F(CommandLinkTest, QuitEndsTheProgram) {
    window.navigate2(L"COMMAND:QUITNOW"); // letters behind the verb change nothing
    ASSERT_TRUE(pumpUntil([&] { return window.closed(); }));
    EXPECT_EQ(MessageLoop::instance().run(), 0);
}

TEST_F(CommandLinkTest, MinimizeSendsTheWindowToTheTaskBar) {
    window.navigate2(L"command:minimize");
    EXPECT_TRUE(pumpUntil([&] { return IsIconic(window.hwnd()) != FALSE; }));
    EXPECT_FALSE(window.closed());
}

TEST_F(CommandLinkTest, InternetSettingsOpenTheControlPanelApplet) {
    std::string statusWhenOpen;
    DialogAnswerer applet(
        [&](HWND w) { return classOf(w) == L"#32770" && w != window.hwnd(); },
        [&](HWND w) {
            statusWhenOpen = window.statusText();
            PostMessageW(w, WM_CLOSE, 0, 0);
        });
    window.navigate2(L"COMMAND:SHOWINETSETTINGS");
    applet.finish();
    EXPECT_TRUE(applet.answered());
    EXPECT_EQ(statusWhenOpen, "Öppnar Kontrollpanelens Internetinställningar...");
    EXPECT_EQ(window.statusText(), "Öppnar Kontrollpanelens Internetinställningar...");
}

} // namespace
} // namespace dv::win32::test
