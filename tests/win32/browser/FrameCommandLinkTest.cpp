// A web page in a frame of a disc page can move the top browser to a
// command link (target="_top", top.location), and the control names the top
// browser as the one that navigates. Wine renders no pages, so the frames'
// events are raised here as the control raises them, with a browser object
// of the control's own kind standing for the frame.

#include "BrowserTestSupport.h"

#include "win32/browser/WebBrowserControl.h"
#include "win32/support/Utf16.h"

#include <exdisp.h>
#include <exdispid.h>
#include <gtest/gtest.h>
#include <wrl/client.h>

namespace dv::win32::test {
namespace {

using Microsoft::WRL::ComPtr;

class FrameCommandLinkTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(program.start());
        ASSERT_TRUE(
            pumpUntil([&] { return program.location().find(L"ettan") != std::wstring::npos; }));
        pumpUntil([&] { return !program.browser().browserBusy(); });
        page = program.location();
        // A frame's browser: an object that is not the control.
        ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER,
                                                  IID_PPV_ARGS(&frameBrowser)));
        frame = frameBrowser.Get();
        top = &program.browser().control()->browser();
    }
    void TearDown() override { frameBrowser.Reset(); }

    EventSender events() { return EventSender(program.browser().control()->eventSink()); }

    void beforeNavigate(IDispatch* browser, const std::wstring& address) {
        BSTR text = SysAllocString(address.c_str());
        VARIANT url = EventSender::text(text);
        VARIANT empty;
        VariantInit(&empty);
        VARIANT_BOOL cancel = VARIANT_FALSE;
        events().send(DISPID_BEFORENAVIGATE2,
                      {EventSender::dispatch(browser), EventSender::reference(&url),
                       EventSender::reference(&empty), EventSender::reference(&empty),
                       EventSender::reference(&empty), EventSender::reference(&empty),
                       EventSender::flag(&cancel)});
        SysFreeString(text);
    }
    void navigateComplete(IDispatch* browser, const std::wstring& address) {
        BSTR text = SysAllocString(address.c_str());
        VARIANT url = EventSender::text(text);
        events().send(DISPID_NAVIGATECOMPLETE2,
                      {EventSender::dispatch(browser), EventSender::reference(&url)});
        SysFreeString(text);
    }
    void documentComplete(IDispatch* browser) {
        VARIANT empty;
        VariantInit(&empty);
        events().send(DISPID_DOCUMENTCOMPLETE,
                      {EventSender::dispatch(browser), EventSender::reference(&empty)});
    }
    // The top browser shows its disc page anew, as the control tells it.
    void topShowsPageAgain() {
        navigateComplete(top, page);
        documentComplete(top);
    }
    // Whether a command link of the page runs its program now.
    bool commandRuns(bool expected) {
        EXPECT_EQ(program.location(), page);
        disc.forgetRecording();
        program.navigate2(L"COMMAND:EXECUTE=<thisdir>\\program\\argrec.exe");
        return disc.programRan(expected ? 15000 : 3000);
    }

    TestDisc disc;
    TestProgram program{disc.root()};
    std::wstring page;
    ComPtr<IWebBrowser2> frameBrowser;
    IDispatch* frame = nullptr;
    IDispatch* top = nullptr;
};

// Once a frame has shown a page from outside the disc, the page's command
// links run nothing until the top browser shows a disc page again.
TEST_F(FrameCommandLinkTest, AWebPageInAFrameRefusesThePagesCommandLinks) {
    for (const wchar_t* framed : {L"http://annons.example/ruta.htm", L"https://x.example/",
                                  L"file://C:\\windows\\win.ini"}) {
        topShowsPageAgain();
        beforeNavigate(frame, framed);
        navigateComplete(frame, framed);
        documentComplete(frame);
        EXPECT_FALSE(commandRuns(false)) << narrow(framed);
        topShowsPageAgain();
        EXPECT_TRUE(commandRuns(true)) << narrow(framed);
    }
    // Frames that show the disc's own pages, or nothing, change nothing.
    const std::wstring discPage = widen("file://" + disc.root() + "docs\\ettan\\index.htm");
    beforeNavigate(frame, L"about:blank");
    navigateComplete(frame, L"about:blank");
    beforeNavigate(frame, discPage);
    navigateComplete(frame, discPage);
    documentComplete(frame);
    EXPECT_TRUE(commandRuns(true));
}

// A frame's page is judged when it begins (NavigateComplete2: before its
// scripts run, at the address it ended at after redirects), and only the top
// browser's beginning a new page forgets the frames of the old one: a frame
// that began loading before the page around it ended is the page's all the
// same.
TEST_F(FrameCommandLinkTest, AFramesPageIsJudgedWhenItBeginsWhateverItsNavigationSaid) {
    const std::wstring web = L"http://annons.example/ruta.htm";
    const std::wstring discPage = widen("file://" + disc.root() + "docs\\noje\\index.htm");
    enum What { TopBegins, TopEnds, FrameNavigates, FrameBegins, FrameEnds };
    struct Step {
        What what;
        std::wstring address; // of the frame
    };
    struct Life {
        const char* what;
        std::vector<Step> steps;
        bool runs;
    };
    const std::vector<Life> lives = {
        {"a web frame still loading when the page ended",
         {{TopBegins, {}},
          {FrameNavigates, web},
          {TopEnds, {}},
          {FrameBegins, web},
          {FrameEnds, {}}},
         false},
        {"a web frame begun, its document not yet complete",
         {{TopBegins, {}}, {FrameNavigates, web}, {TopEnds, {}}, {FrameBegins, web}},
         false},
        {"a frame redirected to the web",
         {{TopBegins, {}}, {FrameNavigates, L"about:blank"}, {FrameBegins, web}},
         false},
        {"the page ending after its web frame",
         {{TopBegins, {}},
          {FrameNavigates, web},
          {FrameBegins, web},
          {FrameEnds, {}},
          {TopEnds, {}}},
         false},
        {"a new disc page after a web frame",
         {{FrameBegins, web}, {TopBegins, {}}, {TopEnds, {}}},
         true},
        {"frames of the disc",
         {{TopBegins, {}},
          {FrameNavigates, discPage},
          {FrameBegins, discPage},
          {FrameEnds, {}},
          {TopEnds, {}}},
         true},
    };
    for (const Life& life : lives) {
        topShowsPageAgain(); // every life begins on a disc page without frames
        for (const Step& step : life.steps) {
            switch (step.what) {
            case TopBegins:
                navigateComplete(top, page);
                break;
            case TopEnds:
                documentComplete(top);
                break;
            case FrameNavigates:
                beforeNavigate(frame, step.address);
                break;
            case FrameBegins:
                navigateComplete(frame, step.address);
                break;
            case FrameEnds:
                documentComplete(frame);
                break;
            }
        }
        EXPECT_EQ(commandRuns(life.runs), life.runs) << life.what;
    }
}

} // namespace
} // namespace dv::win32::test
