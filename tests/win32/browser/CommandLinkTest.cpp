#include "BrowserTestSupport.h"

#include "core/update/QuarantineList.h"
#include "win32/browser/CommandMessage.h"
#include "win32/browser/SystemMessageText.h"
#include "win32/browser/WebBrowserControl.h"
#include "win32/support/MessageLoop.h"
#include "win32/support/Utf16.h"

#include <exdispid.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace dv::win32::test {
namespace {

using Arguments = std::vector<std::string>;

class CommandLinkTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // The start-up tick creates the browser and opens the start page.
        ASSERT_TRUE(program.start());
        ASSERT_TRUE(
            pumpUntil([&] { return program.location().find(L"ettan") != std::wstring::npos; }));
        pumpUntil([&] { return !program.browser().browserBusy(); });
    }

    TestDisc disc;
    TestProgram program{disc.root()};
    TForm1& form = program.form();
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
        const std::wstring before = program.location();
        program.navigate2(c.link);
        EXPECT_EQ(disc.recordedArguments(), c.arguments) << narrow(c.link);
        // The navigation was cancelled: the page stays.
        EXPECT_EQ(program.location(), before) << narrow(c.link);
    }
    EXPECT_FALSE(IsWindowVisible(program.waitingWindow().hwnd()));
}

TEST_F(CommandLinkTest, ACommandRunsToItsEndBeforeTheEventReturns) {
    form.quarantine().append("argrec.exe");
    DialogAnswerer box(L"Datavinds cd - Karantän!", DialogAnswerer::pressBoxButton(IDOK));
    // The event as the control raises it for a link of the page it shows.
    IWebBrowser2& browser = program.browser().control()->browser();
    BSTR address = SysAllocString(L"COMMAND:EXECUTE=<thisdir>\\program\\argrec.exe");
    VARIANT url = EventSender::text(address);
    VARIANT empty;
    VariantInit(&empty);
    VARIANT_BOOL cancel = VARIANT_FALSE;
    EventSender(program.browser().control()->eventSink())
        .send(DISPID_BEFORENAVIGATE2,
              {EventSender::dispatch(&browser), EventSender::reference(&url),
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
    ASSERT_TRUE(program.showPage(disc.outsidePage()));
    const std::wstring outside = program.location();
    program.navigate2(L"COMMAND:EXECUTE=<thisdir>\\program\\argrec.exe");
    program.navigate2(L"COMMAND:QUIT");
    EXPECT_FALSE(disc.programRan(3000));
    EXPECT_FALSE(program.closed());
    EXPECT_EQ(program.location(), outside); // and the command address is not shown either
}

TEST_F(CommandLinkTest, APathOutOfTheDiscIsNoDiscPage) {
    // The control keeps the ".." in the address it shows.
    const std::string outside = disc.outsidePage();
    const std::string folder = outside.substr(0, outside.size() - std::string("sida.htm").size());
    const std::string name = folder.substr(folder.rfind('\\', folder.size() - 2) + 1);
    ASSERT_TRUE(program.showPage(disc.root() + "docs\\..\\..\\" + name + "sida.htm"));
    ASSERT_NE(program.location().find(L"docs\\..\\.."), std::wstring::npos)
        << narrow(program.location());
    program.navigate2(L"COMMAND:EXECUTE=<thisdir>\\program\\argrec.exe");
    EXPECT_FALSE(disc.programRan(3000));
}

TEST_F(CommandLinkTest, AnOutsidePageNamingADiscPageInItsFragmentOrQueryRunsNothing) {
    // The part after "#" or "?" names no file: an outside page whose address
    // ends in "#/../../<disc>/docs/..." is still the outside page.
    std::string outside = disc.outsidePage();
    for (char& c : outside)
        if (c == '\\')
            c = '/';
    std::string discName = disc.root().substr(0, disc.root().size() - 1);
    discName = discName.substr(discName.rfind('\\') + 1);
    for (const char* mark : {"#", "?"}) {
        const std::wstring address =
            widen("file:///" + outside + mark + "/../../" + discName + "/docs/ettan/index.htm");
        program.navigate2(address);
        ASSERT_TRUE(pumpUntil([&] {
            return program.location().find(widen(mark)) != std::wstring::npos &&
                   !program.browser().browserBusy();
        })) << narrow(program.location());
        program.navigate2(L"COMMAND:EXECUTE=<thisdir>\\program\\argrec.exe");
        EXPECT_FALSE(disc.programRan(3000)) << narrow(program.location());
    }
    // A disc page at one of its anchors is still the disc page.
    std::string page = disc.root() + "docs\\ettan\\index.htm";
    for (char& c : page)
        if (c == '\\')
            c = '/';
    program.navigate2(widen("file:///" + page + "#kapitel"));
    ASSERT_TRUE(pumpUntil([&] {
        return program.location().find(L"#kapitel") != std::wstring::npos &&
               !program.browser().browserBusy();
    })) << narrow(program.location());
    program.navigate2(L"COMMAND:EXECUTE=<thisdir>\\program\\argrec.exe");
    EXPECT_TRUE(disc.programRan(15000));
}

// The control reports a local page's "#" unescaped: a page in a folder named
// like the disc's followed by "#" is no disc page for that.
TEST_F(CommandLinkTest, AnOutsidePageInAFolderNamedLikeTheDiscAndAHashRunsNothing) {
    const std::string root = disc.root().substr(0, disc.root().size() - 1);
    for (const char* folder : {"#x", "#", "?x"}) {
        const std::string page = root + folder + "\\ond.htm";
        std::error_code error;
        std::filesystem::create_directories(std::filesystem::path(widen(root + folder)), error);
        if (error)
            continue; // "?" is no part of a Windows name
        {
            std::ofstream file(std::filesystem::path(widen(page)));
            file << "<html><body>Utanf&ouml;r</body></html>\n";
        }
        ASSERT_TRUE(program.showPage(page)) << narrow(program.location());
        ASSERT_NE(program.location().find(L"ond.htm"), std::wstring::npos)
            << narrow(program.location());
        program.navigate2(L"COMMAND:EXECUTE=<thisdir>\\program\\argrec.exe");
        EXPECT_FALSE(disc.programRan(3000)) << narrow(program.location());
        std::filesystem::remove_all(std::filesystem::path(widen(root + folder)), error);
    }
    // A disc page in a folder with "#" in its name is still a disc page.
    const std::string inside = disc.root() + "docs\\C#\\index.htm";
    std::filesystem::create_directories(std::filesystem::path(widen(disc.root() + "docs\\C#")));
    {
        std::ofstream file(std::filesystem::path(widen(inside)));
        file << "<html><body>Inne</body></html>\n";
    }
    ASSERT_TRUE(program.showPage(inside)) << narrow(program.location());
    program.navigate2(L"COMMAND:EXECUTE=<thisdir>\\program\\argrec.exe");
    EXPECT_TRUE(disc.programRan(15000)) << narrow(program.location());
}

TEST_F(CommandLinkTest, AnOutsidePageWhoseNameLooksEscapedRunsNothing) {
    // A file name may hold "%5C": it is no separator of the page's path.
    std::string discName = disc.root().substr(0, disc.root().size() - 1);
    discName = discName.substr(discName.rfind('\\') + 1);
    const std::string outside = disc.outsidePage();
    const std::string page = outside.substr(0, outside.size() - std::string("sida.htm").size()) +
                             "a%5C..%5C..%5C" + discName + "%5Cdocs%5Cettan%5Cindex.htm";
    {
        std::ofstream file(std::filesystem::path(widen(page)));
        file << "<html><body>Utanf&ouml;r</body></html>\n";
    }
    ASSERT_TRUE(program.showPage(page)) << narrow(program.location());
    program.navigate2(L"COMMAND:EXECUTE=<thisdir>\\program\\argrec.exe");
    EXPECT_FALSE(disc.programRan(3000)) << narrow(program.location());
}

TEST(CommandLinks, PagesAreJudgedByWhereTheyReallyLie) {
    struct Case {
        const char* page;
        bool runs;
    };
    const Case cases[] = {
        {"docs\\ettan\\index.htm", true},
        {"docs\\ut\\sida.htm", false}, // through the link, out of the disc
        {"docs\\ut\\..\\ettan\\index.htm", true},
    };
    const std::string root = linkedDiscRoot();
    for (const Case& c : cases) {
        TestProgram program(root);
        ASSERT_TRUE(program.start());
        ASSERT_TRUE(program.showPage(root + c.page)) << c.page;
        // Minimising is the command whose effect shows at once.
        program.navigate2(L"COMMAND:MINIMIZE");
        EXPECT_EQ(pumpUntil([&] { return IsIconic(program.form().hwnd()) != FALSE; },
                            c.runs ? 15000 : 3000),
                  c.runs)
            << c.page;
    }
}

TEST_F(CommandLinkTest, ACommandMessageFromElsewhereRunsNothing) {
    // Any program may send the main window this message number; its word
    // parameter is then no record of ours.
    auto* stray = new TCommand{"MINIMIZE"};
    const LRESULT answer =
        SendMessageW(form.hwnd(), kCommandMessage, reinterpret_cast<WPARAM>(stray), 0);
    EXPECT_NE(answer, kCommandTaken);
    pumpUntil([&] { return IsIconic(form.hwnd()) != FALSE; }, 1000);
    EXPECT_FALSE(IsIconic(form.hwnd()));
    if (answer != kCommandTaken)
        delete stray; // still ours
    PostMessageW(form.hwnd(), kCommandMessage, 12345, 0);
    pumpUntil([] { return false; }, 300);
    EXPECT_FALSE(program.closed());
    // The program's own commands still run.
    program.navigate2(L"COMMAND:MINIMIZE");
    EXPECT_TRUE(pumpUntil([&] { return IsIconic(form.hwnd()) != FALSE; }, 15000));
}

TEST_F(CommandLinkTest, AQuarantinedTargetGetsTheWarningOnly) {
    form.quarantine().append("argrec.exe");
    // A note for it too: the quarantine comes first and alone.
    form.extraInfo().Add({"argrec", "Läs först", "", true});
    DialogAnswerer box(L"Datavinds cd - Karantän!", DialogAnswerer::pressBoxButton(IDOK));
    program.navigate2(L"COMMAND:EXECUTE=<thisdir>\\program\\argrec.exe x");
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
        form.extraInfo().Clear();
        form.extraInfo().Add({"argrec.exe", "Programmet kräver 3D-kort & ljud.", "", c.canRun});
        disc.forgetRecording();
        DialogAnswerer dialog(L"Datavinds cd - Mer information",
                              DialogAnswerer::clickButtonWithText(c.button));
        program.navigate2(L"COMMAND:EXECUTE=<thisdir>\\program\\argrec.exe");
        dialog.finish();
        ASSERT_TRUE(dialog.answered()) << narrow(c.button);
        EXPECT_EQ(disc.programRan(c.runs ? 15000 : 2000), c.runs) << narrow(c.button);
    }
}

TEST_F(CommandLinkTest, AMissingProgramGivesTheSystemsText) {
    bool waitingShown = true;
    DialogAnswerer box(L"Datavinds cd", [&](HWND w) {
        waitingShown = IsWindowVisible(program.waitingWindow().hwnd()) != FALSE;
        DialogAnswerer::pressBoxButton(IDOK)(w);
    });
    program.navigate2(L"COMMAND:EXECUTE=<thisdir>\\program\\saknas.exe /s");
    box.finish();
    ASSERT_TRUE(box.answered());
    EXPECT_EQ(box.text(), systemMessageText(ERROR_FILE_NOT_FOUND) + " (" +
                              disc.path("program\\saknas.exe /s") + ")");
    EXPECT_FALSE(waitingShown);
}

TEST_F(CommandLinkTest, QuitEndsTheProgram) {
    program.navigate2(L"COMMAND:QUITNOW"); // letters behind the verb change nothing
    ASSERT_TRUE(pumpUntil([&] { return program.closed(); }));
    EXPECT_EQ(MessageLoop::instance().run(), 0);
}

TEST_F(CommandLinkTest, MinimizeTakesTheSearchWindowAlong) {
    program.fileSearch().showModeless();
    ASSERT_TRUE(pumpUntil([&] { return IsWindowVisible(program.fileSearch().hwnd()) != FALSE; }));
    program.navigate2(L"command:minimize");
    EXPECT_TRUE(pumpUntil([&] { return IsIconic(form.hwnd()) != FALSE; }));
    EXPECT_TRUE(pumpUntil([&] { return !IsWindowVisible(program.fileSearch().hwnd()); }));
    EXPECT_FALSE(program.closed());
    // Back from the task bar, both come back.
    ShowWindow(form.hwnd(), SW_RESTORE);
    EXPECT_TRUE(pumpUntil([&] { return IsWindowVisible(program.fileSearch().hwnd()) != FALSE; }));
}

TEST_F(CommandLinkTest, PageHotSpotsOpenTheirPagesInTheBrowser) {
    const HotSpot& noje = *form.hotSpots().find("lbNoje");
    const int x = noje.bounds.left + noje.bounds.width / 2;
    const int y = noje.bounds.top + noje.bounds.height / 2;
    PostMessageW(form.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageW(form.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    EXPECT_TRUE(pumpUntil([&] { return program.location().find(L"noje") != std::wstring::npos; }));
}

TEST_F(CommandLinkTest, InternetSettingsOpenTheControlPanelApplet) {
    std::string statusWhenOpen;
    DialogAnswerer applet([&](HWND w) { return classOf(w) == L"#32770" && w != form.hwnd(); },
                          [&](HWND w) {
                              statusWhenOpen = form.statusText();
                              PostMessageW(w, WM_CLOSE, 0, 0);
                          });
    program.navigate2(L"COMMAND:SHOWINETSETTINGS");
    applet.finish();
    EXPECT_TRUE(applet.answered());
    // The text is there before the applet, and stays until something else writes.
    EXPECT_EQ(statusWhenOpen, "Öppnar Kontrollpanelens Internetinställningar...");
}

} // namespace
} // namespace dv::win32::test
