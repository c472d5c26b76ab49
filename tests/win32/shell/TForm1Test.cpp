#include "win32/shell/TForm1.h"

#include "OpenMainWindow.h"
#include "core/shell/MainWindowLayout.h"
#include "core/shell/SectionNavigation.h"
#include "win32/support/Utf16.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace dv::win32 {
namespace {

using wintest::ClientPicture;
using wintest::moveMouseTo;
using wintest::pumpUntil;

const PlatformFacts kXp24 = wintest::windowsFacts(5, 1, 24, OsVersionRecord::kPlatformNT);
const PlatformFacts kWindows10 = wintest::windowsFacts(10, 0, 32, OsVersionRecord::kPlatformNT);

Rect clientBoundsOf(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

std::string windowText(HWND window) {
    std::wstring text(256, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), 256)));
    return narrow(text);
}

class TForm1Test : public ::testing::Test, protected wintest::OpenMainWindow {
  protected:
    dv::test::FakeBrowserHost* browser = nullptr;
    DownloadIndicator* progress = nullptr;
    HWND browserPanel = nullptr;

    // The start-up tick is left to the window's own timer.
    void open(const PlatformFacts& facts, bool withBrowser = false) {
        TForm1::BrowserFactory createBrowser;
        if (withBrowser) {
            createBrowser = [this](const TForm1::BrowserPlace& place) {
                progress = &place.progress;
                browserPanel = place.panel;
                auto host = std::make_unique<dv::test::FakeBrowserHost>(log);
                browser = host.get();
                return host;
            };
        }
        openMainWindow(facts, std::move(createBrowser), Startup::ByTheLoop);
    }

    void TearDown() override { closeMainWindow(); }

    LRESULT hitAt(int x, int y) {
        const POINT p = wintest::onScreen(main(), x, y);
        return SendMessageW(main(), WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
    }

    void click(int x, int y) {
        PostMessageW(main(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        PostMessageW(main(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        ASSERT_TRUE(wintest::handlePosted());
    }

    const HotSpot& spot(std::string_view name) const { return *form->hotSpots().find(name); }
};

TEST_F(TForm1Test, OpensAsTheShapedWindowWithItsPanels) {
    open(kXp24);
    const auto style = GetWindowLongPtrW(main(), GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & WS_CAPTION);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_TRUE(GetWindowLongPtrW(main(), GWL_EXSTYLE) & WS_EX_LAYERED);
    COLORREF key = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(main(), &key, nullptr, &flags));
    EXPECT_EQ(key, RGB(166, 202, 240));
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_COLORKEY));
    RECT client;
    GetClientRect(main(), &client);
    EXPECT_EQ(client.right, 800);
    EXPECT_EQ(client.bottom, 600);
    EXPECT_EQ(windowText(main()), "Datavinds CD");
    EXPECT_EQ(form->discRoot(), "C:\\Skiva\\");

    EXPECT_EQ(clientBoundsOf(form->iePanel()), layout::kIEPanel);
    EXPECT_EQ(clientBoundsOf(form->statusPanel()), layout::kPanel2);
    EXPECT_EQ(clientBoundsOf(form->progressBar()), layout::kDocumentProgress);
    EXPECT_FALSE(IsWindowVisible(form->progressBar()));
    EXPECT_EQ(form->statusText(), "");

    // Centred on the work area.
    RECT window, area;
    GetWindowRect(main(), &window);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    EXPECT_LE(std::abs((window.left + window.right) - (area.left + area.right)), 1);
    EXPECT_LE(std::abs((window.top + window.bottom) - (area.top + area.bottom)), 1);
}

// Which Windows gets which shape is the core's table (useTransparency); the
// window takes the shape the tick chooses, once, the one way and the other.
TEST_F(TForm1Test, TheStartupTickChoosesTheShapeOnce) {
    struct Case {
        const char* what;
        PlatformFacts facts;
        bool bordered;
    };
    const Case cases[] = {
        {"XP at 24 bits", kXp24, false},
        {"Windows 10", kWindows10, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        open(c.facts);
        RECT before;
        GetWindowRect(main(), &before);
        form->StartupTimerTimer();
        form->StartupTimerTimer();
        EXPECT_EQ(form->isBordered(), c.bordered);
        const auto style = GetWindowLongPtrW(main(), GWL_STYLE);
        const auto exStyle = GetWindowLongPtrW(main(), GWL_EXSTYLE);
        if (c.bordered) {
            EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX),
                      WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
            EXPECT_FALSE(style & (WS_MAXIMIZEBOX | WS_THICKFRAME | WS_POPUP));
            EXPECT_FALSE(exStyle & WS_EX_LAYERED);
            RECT after;
            GetWindowRect(main(), &after);
            EXPECT_EQ(after.left, before.left); // grows from where it was
            EXPECT_EQ(after.top, before.top);
        } else {
            EXPECT_TRUE(style & WS_POPUP);
            EXPECT_TRUE(exStyle & WS_EX_LAYERED);
        }
        RECT client;
        GetClientRect(main(), &client);
        EXPECT_EQ(client.right, 800);
        EXPECT_EQ(client.bottom, 600);
        EXPECT_TRUE(IsWindowVisible(main()));
        // No browser here: reported once, and the panel keeps its caption.
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].text, "Kunde inte skapa IE");
        EXPECT_EQ(boxes.shown[0].caption, "Datavinds cd");
        boxes.shown.clear();
        TearDown();
    }
}

TEST_F(TForm1Test, TheStartupTimerFiresOnceWhenTheLoopRuns) {
    open(kXp24, true);
    EXPECT_FALSE(form->startupDone());
    EXPECT_TRUE(log.empty());
    ASSERT_TRUE(pumpUntil([&] { return form->startupDone(); }, 3000));
    // A second firing would come one interval after the first: a timer of
    // two intervals, started now, fires after it would have.
    wintest::pumpPastTimer(2 * layout::kStartupDelayMs);
    const dv::test::CallLog expected{"create", "navigate:C:\\Skiva\\docs/ettan/index.htm"};
    EXPECT_EQ(log, expected);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(TForm1Test, BareBackgroundIsADragHandleOnlyInTheShapedWindow) {
    struct Case {
        const char* what;
        int x, y;
        bool control;
    };
    const Case cases[] = {
        {"between logo and sections", 250, 60, false},
        {"in the menu bar between entries", 538, 112, false},
        {"below the status line", 400, 576, false},
        {"section label", 388, 40, true},
        {"exit", 784, 16, true},
        {"hidden screen strip", 97, 70, true},
        {"page panel", 400, 300, true},
        {"status panel", 300, 565, true},
        {"hidden track bar", 300, 590, false},
    };
    for (const bool shaped : {true, false}) {
        open(shaped ? kXp24 : kWindows10);
        form->StartupTimerTimer();
        for (const Case& c : cases) {
            const LRESULT expected = c.control || !shaped ? HTCLIENT : HTCAPTION;
            EXPECT_EQ(hitAt(c.x, c.y), expected) << c.what << (shaped ? " shaped" : " bordered");
        }
        TearDown();
    }
}

TEST_F(TForm1Test, ShownHighlightsAndShownHotSpotsAreControlsToo) {
    open(kXp24);
    form->StartupTimerTimer();
    // imAktTillagg reaches one pixel left of its label.
    EXPECT_EQ(hitAt(279, 50), HTCAPTION);
    form->hover().enter(spot("lbTillagg"));
    EXPECT_EQ(hitAt(279, 50), HTCLIENT);
    form->hover().leave(spot("lbTillagg"));
    EXPECT_EQ(hitAt(279, 50), HTCAPTION);

    form->setHotSpotVisible("lbTrackBar", true);
    EXPECT_EQ(hitAt(300, 590), HTCLIENT);
}

TEST_F(TForm1Test, HoverShowsHighlightAndStatusTextAndLeavingClearsThem) {
    open(kXp24);
    form->StartupTimerTimer();
    form->hover().setTrackLoaded(true);
    const ClientPicture before(main());
    int hovered = 0;
    for (const HotSpot& s : form->hotSpots().all()) {
        if (!s.reactsToHover() || !s.visibleAtStart)
            continue;
        SCOPED_TRACE(s.name);
        ++hovered;
        const Rect& b = s.bounds;
        moveMouseTo(main(), b.left + b.width / 2, b.top + b.height / 2);
        ASSERT_TRUE(pumpUntil([&] { return form->statusText() == s.statusText; }, 2000))
            << form->statusText();
        if (!s.highlight.empty()) {
            EXPECT_TRUE(form->isHighlightVisible(s.highlight));
            // Painted: the lit picture differs from the background somewhere in its place.
            const ClientPicture lit(main());
            const Rect& h = s.highlightBounds;
            bool differs = false;
            for (int y = h.top; y < h.top + h.height && !differs; ++y)
                for (int x = h.left; x < h.left + h.width && !differs; ++x)
                    differs = !(lit.at(x, y) == before.at(x, y));
            EXPECT_TRUE(differs);
        }
        moveMouseTo(main(), 250, 60);
        ASSERT_TRUE(pumpUntil([&] { return form->statusText().empty(); }, 2000));
        if (!s.highlight.empty()) {
            EXPECT_FALSE(form->isHighlightVisible(s.highlight));
        }
    }
    EXPECT_EQ(hovered, 19);
    const ClientPicture after(main());
    for (const auto& [x, y] : {std::pair{388, 40}, {150, 110}, {18, 588}})
        EXPECT_EQ(after.at(x, y), before.at(x, y)) << x << "," << y;
}

TEST_F(TForm1Test, LeavingOntoAPanelOrAnotherSpotClearsOrReplacesTheText) {
    open(kWindows10);
    form->StartupTimerTimer();
    moveMouseTo(main(), 388, 40);
    ASSERT_TRUE(pumpUntil([&] { return form->statusText() == "Nöjesavdelningen"; }));
    moveMouseTo(main(), 388, 300); // into the page panel, a window of its own
    ASSERT_TRUE(pumpUntil([&] { return form->statusText().empty(); }));
    EXPECT_FALSE(form->isHighlightVisible("imAktNoje"));

    moveMouseTo(main(), 388, 40);
    ASSERT_TRUE(pumpUntil([&] { return form->statusText() == "Nöjesavdelningen"; }));
    // Another part writes meanwhile; leaving still clears.
    form->statusLine().setStatusText("Automatisk uppdatering klar...");
    moveMouseTo(main(), 468, 40);
    ASSERT_TRUE(pumpUntil([&] { return form->statusText() == "Nyttoavdelningen"; }));
    EXPECT_FALSE(form->isHighlightVisible("imAktNoje"));
    EXPECT_TRUE(form->isHighlightVisible("imAktNytta"));
}

TEST_F(TForm1Test, PlayAndStopLightUpOnlyWithATrack) {
    open(kXp24);
    moveMouseTo(main(), 18, 588);
    ASSERT_TRUE(pumpUntil([&] { return form->statusText() == "Spela upp Månadens MP3"; }));
    EXPECT_FALSE(form->isHighlightVisible("imAktPlay"));
    moveMouseTo(main(), 250, 60);
    form->hover().setTrackLoaded(true);
    moveMouseTo(main(), 41, 588);
    ASSERT_TRUE(pumpUntil([&] { return form->statusText() == "Stoppa uppspelningen"; }));
    EXPECT_TRUE(form->isHighlightVisible("imAktStop"));
}

TEST_F(TForm1Test, EveryHintIsATooltipOfItsHotSpot) {
    open(kXp24);
    const auto& spots = form->hotSpots().all();
    int hints = 0;
    for (std::size_t i = 0; i < spots.size(); ++i) {
        EXPECT_EQ(form->toolTips().text(TForm1::toolId(i)), spots[i].hint) << spots[i].name;
        hints += spots[i].hint.empty() ? 0 : 1;
    }
    EXPECT_EQ(hints, 9);
    EXPECT_EQ(SendMessageW(form->toolTips().handle(), TTM_GETTOOLCOUNT, 0, 0), hints);
}

TEST_F(TForm1Test, CursorsFollowTheWindowsVersion) {
    const std::set<std::string> alwaysHand{"lbEttan", "lbTrackBar"};
    const std::set<std::string> alwaysArrow{"lbTillagg", "Label1"};
    for (const bool old : {false, true}) {
        open(old ? kWindows10 : kXp24); // NT 10 is not a version the rules know: old
        for (const HotSpot& s : form->hotSpots().all()) {
            const LPCWSTR expected = alwaysArrow.contains(s.name)  ? IDC_ARROW
                                     : alwaysHand.contains(s.name) ? IDC_HAND
                                     : old                         ? IDC_ARROW
                                                                   : IDC_HAND;
            EXPECT_EQ(form->cursorOf(s), expected) << s.name << (old ? " on Windows 10" : " on XP");
        }
        // And the window shows it.
        moveMouseTo(main(), 388, 40);
        EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, old ? IDC_ARROW : IDC_HAND));
        moveMouseTo(main(), 120, 69);
        EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
        TearDown();
    }
}

TEST_F(TForm1Test, PageHotSpotsNavigateTheBrowser) {
    open(kWindows10, true);
    form->StartupTimerTimer();
    log.clear();
    std::vector<std::string> expected;
    for (const HotSpot& s : form->hotSpots().all()) {
        if (!isPageHotSpot(s.name))
            continue;
        click(s.bounds.left + s.bounds.width / 2, s.bounds.top + s.bounds.height / 2);
        expected.push_back("navigate:" + *sectionAddress(s.name, "C:\\Skiva\\"));
    }
    EXPECT_EQ(log, expected);
    EXPECT_EQ(expected.size(), 13u);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(TForm1Test, WithoutABrowserOnlyTheFileSearchOpens) {
    open(kWindows10);
    form->StartupTimerTimer();
    boxes.shown.clear();
    click(388, 40);
    click(150, 110);
    EXPECT_TRUE(log.size() == 1 && log[0] == "box:Kunde inte skapa IE") << log.size();
    EXPECT_FALSE(IsWindowVisible(fileSearch->hwnd()));
    click(349, 112);
    EXPECT_TRUE(IsWindowVisible(fileSearch->hwnd()));
    EXPECT_EQ(windowText(fileSearch->hwnd()), "Filsökaren");
    EXPECT_TRUE(IsWindow(main()));
}

TEST_F(TForm1Test, APressThatEndsOffTheLabelIsNoClick) {
    open(kWindows10);
    PostMessageW(main(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(349, 112));
    PostMessageW(main(), WM_LBUTTONUP, 0, MAKELPARAM(349, 200));
    ASSERT_TRUE(wintest::handlePosted());
    EXPECT_FALSE(IsWindowVisible(fileSearch->hwnd()));
}

TEST_F(TForm1Test, MinimiseMinimisesAndExitEndsTheProgram) {
    open(kXp24);
    click(762, 15);
    EXPECT_TRUE(IsIconic(main()));
    ShowWindow(main(), SW_RESTORE);
    ASSERT_TRUE(wintest::handlePosted());
    EXPECT_FALSE(IsIconic(main()));

    const HWND window = main();
    click(784, 16);
    ASSERT_TRUE(pumpUntil([&] { return !IsWindow(window); }));
    MSG quit;
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
}

TEST_F(TForm1Test, TheBrowserGoesIntoThePagePanelAndDrivesTheProgressBar) {
    open(kXp24, true);
    ASSERT_TRUE(progress);
    EXPECT_EQ(browserPanel, form->iePanel());
    form->StartupTimerTimer();
    EXPECT_EQ(hitAt(600, 588), HTCAPTION); // bare background while the bar is hidden
    const HWND bar = form->progressBar();
    progress->downloadBegin();
    EXPECT_TRUE(IsWindowVisible(bar));
    progress->progressChange(30, 200);
    EXPECT_EQ(SendMessageW(bar, PBM_GETRANGE, FALSE, 0), 200);
    EXPECT_EQ(SendMessageW(bar, PBM_GETPOS, 0, 0), 30);
    // Pressing on the shown bar is pressing on a control.
    EXPECT_EQ(hitAt(600, 588), HTCLIENT);
    progress->progressChange(-1, 200); // done, even before the download completes
    EXPECT_FALSE(IsWindowVisible(bar));
    progress->downloadBegin();
    progress->downloadComplete();
    EXPECT_FALSE(IsWindowVisible(bar));
}

TEST_F(TForm1Test, TheStatusLineShowsPlainGreyText) {
    open(kWindows10);
    const std::string text = "Fel & <b>fetstil</b> åäö";
    form->statusLine().setStatusText(text);
    EXPECT_EQ(form->statusText(), text);
    auto greyPixels = [&] {
        const ClientPicture panel(form->statusPanel());
        int grey = 0;
        for (int y = 0; y < panel.height(); ++y)
            for (int x = 0; x < panel.width(); ++x)
                grey += panel.at(x, y) == Rgb{128, 128, 128} ? 1 : 0;
        return grey;
    };
    const ClientPicture panel(form->statusPanel());
    EXPECT_EQ(panel.at(700, 7), layout::kStatusPanelColour);
    EXPECT_GT(greyPixels(), 40);
    form->statusLine().setStatusText("");
    EXPECT_EQ(greyPixels(), 0);
}

TEST_F(TForm1Test, TheBackgroundIsPaintedWithItsCornersInSkyBlue) {
    open(kXp24);
    const ClientPicture picture(main());
    for (const auto& [x, y] : {std::pair{0, 0}, {799, 0}, {0, 599}, {799, 599}, {2, 2}})
        EXPECT_EQ(picture.at(x, y), layout::kSkyBlue) << x << "," << y;
    const Rgb skin = picture.at(250, 60);
    EXPECT_FALSE(skin == layout::kSkyBlue);
    EXPECT_FALSE(skin == layout::kBackgroundCorner);
    EXPECT_FALSE(skin == (Rgb{0, 0, 0}));
}

// Sees whether a window was shown maximised, from inside the thread's message traffic.
class ShowWatch {
  public:
    explicit ShowWatch(HWND window) {
        watched_ = window;
        shown_ = 0;
        hook_ = SetWindowsHookExW(WH_CALLWNDPROC, &ShowWatch::seen, nullptr, GetCurrentThreadId());
    }
    ~ShowWatch() { UnhookWindowsHookEx(hook_); }
    int shown() const { return shown_; }

  private:
    static LRESULT CALLBACK seen(int code, WPARAM wParam, LPARAM lParam) {
        const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && call->hwnd == watched_ && call->message == WM_WINDOWPOSCHANGED &&
            (reinterpret_cast<const WINDOWPOS*>(call->lParam)->flags & SWP_SHOWWINDOW) &&
            IsZoomed(watched_))
            ++shown_;
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static inline HWND watched_ = nullptr;
    static inline int shown_ = 0;
    HHOOK hook_;
};

TEST_F(TForm1Test, TheKeySequenceOnTheLogoStripOpensTheHiddenScreen) {
    open(kXp24);
    const ShowWatch watch(form2->hwnd());
    auto type = [&](const char* keys) {
        for (const char* k = keys; *k; ++k) {
            // The screen is modal: close it again as soon as it runs, with a
            // click (press and release) on its black background.
            PostMessageW(form2->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, 0);
            PostMessageW(form2->hwnd(), WM_LBUTTONUP, 0, 0);
            SendMessageW(main(), WM_CHAR, static_cast<WPARAM>(*k), 0);
        }
        ASSERT_TRUE(wintest::handlePosted());
    };
    moveMouseTo(main(), 250, 60);
    type("MANGO");
    EXPECT_EQ(watch.shown(), 0);
    moveMouseTo(main(), 97, 70);
    type("xMANGO");
    EXPECT_EQ(watch.shown(), 1);
    EXPECT_FALSE(IsWindowVisible(form2->hwnd()));
    EXPECT_EQ(form->statusText(), ""); // the strip says nothing
}

} // namespace
} // namespace dv::win32
