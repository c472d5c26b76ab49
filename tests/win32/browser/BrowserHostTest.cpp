#include "BrowserTestSupport.h"

#include "core/shell/SectionNavigation.h"
#include "win32/browser/BrowserSite.h"
#include "win32/browser/WebBrowserControl.h"
#include "win32/support/Utf16.h"

#include <commctrl.h>
#include <exdispid.h>
#include <gtest/gtest.h>

namespace dv::win32::test {
namespace {

class BrowserHostTest : public ::testing::Test {
  protected:
    TestDisc disc;
    TestMainWindow window{disc.root()};
    Win32BrowserHost& host = window.browser();
};

TEST_F(BrowserHostTest, CreatesTheControlFillingItsPanel) {
    ASSERT_TRUE(window.startBrowser());
    ASSERT_TRUE(host.hasControl());
    const HWND control = host.browserWindow();
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(classOf(control), L"Shell Embedding");
    EXPECT_EQ(GetParent(control), window.panel());
    EXPECT_TRUE(IsWindowEnabled(control));
    RECT panel{}, own{};
    GetClientRect(window.panel(), &panel);
    GetWindowRect(control, &own);
    MapWindowPoints(nullptr, window.panel(), reinterpret_cast<POINT*>(&own), 2);
    EXPECT_EQ(own.left, 0);
    EXPECT_EQ(own.top, 0);
    EXPECT_EQ(own.right, panel.right);
    EXPECT_EQ(own.bottom, panel.bottom);

    for (const DISPID property :
         {WebBrowserControl::kVisible, WebBrowserControl::kRegisterAsBrowser}) {
        VARIANT value = host.control()->property(property);
        EXPECT_EQ(value.vt, VT_BOOL) << property;
        EXPECT_EQ(value.boolVal, VARIANT_TRUE) << property;
        VariantClear(&value);
    }
    EXPECT_NE(host.inPlaceActiveObject(), nullptr);

    host.destroyControl();
    EXPECT_FALSE(host.hasControl());
    EXPECT_EQ(host.browserWindow(), nullptr);
}

TEST_F(BrowserHostTest, TheSiteRefusesTheContextMenuAndDrawsNoBorder) {
    const DWORD flags = BrowserSite::hostFlags();
    EXPECT_TRUE(flags & DOCHOSTUIFLAG_NO3DBORDER);
    EXPECT_FALSE(flags & DOCHOSTUIFLAG_OPENNEWWIN);
    EXPECT_FALSE(flags & DOCHOSTUIFLAG_DISABLE_UNTRUSTEDPROTOCOL); // would stop command links early

    ASSERT_TRUE(window.startBrowser());
    // The control finds the handler by asking its site.
    Microsoft::WRL::ComPtr<IOleObject> object;
    ASSERT_TRUE(SUCCEEDED(host.control()->browser().QueryInterface(IID_PPV_ARGS(&object))));
    Microsoft::WRL::ComPtr<IOleClientSite> site;
    ASSERT_TRUE(SUCCEEDED(object->GetClientSite(&site)) && site);
    Microsoft::WRL::ComPtr<IDocHostUIHandler> handler;
    ASSERT_TRUE(SUCCEEDED(site.As(&handler)));
    POINT at{10, 10};
    EXPECT_EQ(handler->ShowContextMenu(CONTEXT_MENU_DEFAULT, &at, nullptr, nullptr),
              S_OK); // shown: none
    DOCHOSTUIINFO info{};
    info.cbSize = sizeof info;
    ASSERT_EQ(handler->GetHostInfo(&info), S_OK);
    EXPECT_EQ(info.dwFlags, flags);
}

TEST_F(BrowserHostTest, BeforeNavigate2FiresForCommandLinksAndCancelsThem) {
    ASSERT_TRUE(window.startBrowser());
    ASSERT_TRUE(window.showPage(disc.path("docs/noje/index.htm")));
    const std::wstring page = window.location();
    EXPECT_NE(page.find(L"noje"), std::wstring::npos) << narrow(page);

    // An unknown verb runs nothing, but the control never goes there.
    window.navigate2(L"COMMAND:NOSUCHVERB");
    pumpFor(1500);
    EXPECT_EQ(window.location(), page);
}

TEST_F(BrowserHostTest, DownloadEventsDriveTheBarAndStatusTextsTheStatusLine) {
    ASSERT_TRUE(window.startBrowser());
    // Wine fires DownloadBegin, StatusTextChange and DownloadComplete for a
    // page even though it cannot render it.
    ASSERT_TRUE(window.showPage(disc.path("docs/noje/index.htm")));
    EXPECT_FALSE(IsWindowVisible(window.progressBar()));
    bool sawStartText = false;
    for (const std::string& text : window.statusTexts())
        sawStartText = sawStartText || text.find("noje") != std::string::npos;
    // The control names the page it loads; texts that begin with a disc page's
    // address never reach the line, others do.
    for (const std::string& text : window.statusTexts())
        EXPECT_FALSE(text.starts_with("file://")) << text;
    EXPECT_TRUE(sawStartText);
}

TEST_F(BrowserHostTest, StatusTextRuleThroughTheEventSink) {
    ASSERT_TRUE(window.startBrowser());
    EventSender events(host.control()->eventSink());
    struct Case {
        const wchar_t* text;
        std::string line; // what the status line shows after it
    };
    const Case cases[] = {
        {L"http://www.datavind.example/", "http://www.datavind.example/"},
        {L"command:EXECUTE=<thisdir>\\x.exe", "http://www.datavind.example/"}, // unchanged
        {L"file://C:\\skiva\\docs\\noje\\index.htm", "http://www.datavind.example/"},
        {L"COMMAND:QUIT", "COMMAND:QUIT"}, // the rule is exact: upper case is shown
        {L"Klar", "Klar"},
        {L"Hämtar sidan...", "Hämtar sidan..."},
        {L"", ""}, // an empty text empties the line
    };
    for (const Case& c : cases) {
        BSTR text = SysAllocString(c.text);
        events.send(DISPID_STATUSTEXTCHANGE, {EventSender::text(text)});
        SysFreeString(text);
        EXPECT_EQ(window.statusText(), c.line) << narrow(c.text);
    }
}

TEST_F(BrowserHostTest, DownloadBarThroughTheEventSink) {
    ASSERT_TRUE(window.startBrowser());
    EventSender events(host.control()->eventSink());
    const HWND bar = window.progressBar();
    auto position = [bar] { return static_cast<int>(SendMessageW(bar, PBM_GETPOS, 0, 0)); };
    auto maximum = [bar] { return static_cast<int>(SendMessageW(bar, PBM_GETRANGE, FALSE, 0)); };

    events.send(DISPID_DOWNLOADBEGIN, {});
    EXPECT_TRUE(IsWindowVisible(bar));
    // The position comes before its maximum and keeps its raw figure.
    events.send(DISPID_PROGRESSCHANGE, {EventSender::number(3000), EventSender::number(10000)});
    EXPECT_EQ(maximum(), 10000);
    EXPECT_EQ(position(), 3000);
    EXPECT_TRUE(IsWindowVisible(bar));
    events.send(DISPID_PROGRESSCHANGE, {EventSender::number(40), EventSender::number(100)});
    EXPECT_EQ(maximum(), 100);
    EXPECT_EQ(position(), 40);
    // -1 means done, even between begin and complete.
    events.send(DISPID_PROGRESSCHANGE, {EventSender::number(-1), EventSender::number(100)});
    EXPECT_FALSE(IsWindowVisible(bar));
    events.send(DISPID_DOWNLOADBEGIN, {});
    EXPECT_TRUE(IsWindowVisible(bar));
    events.send(DISPID_DOWNLOADCOMPLETE, {});
    EXPECT_FALSE(IsWindowVisible(bar));
}

TEST_F(BrowserHostTest, NavigateGoesNowhereWithoutTheControl) {
    EXPECT_FALSE(host.hasControl());
    host.navigate(disc.path("docs/noje/index.htm")); // must not crash
    EXPECT_FALSE(openSection("lbNoje", disc.root(), host));
    EXPECT_EQ(host.browserWindow(), nullptr);
    EXPECT_FALSE(host.browserBusy());
    EXPECT_EQ(host.inPlaceActiveObject(), nullptr);
}

} // namespace
} // namespace dv::win32::test
