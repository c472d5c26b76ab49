// The player and the hidden screen inside the real main window, started on
// the sample disc: the start-up tick loads the track, the hot-spots play,
// stop, seek and save, the knob drags, and the key sequence on the logo
// strip opens the hidden screen with the disc's film. Everything goes
// through the window's own mouse and keyboard messages.

#include "RecordingPorts.h"
#include "WindowTesting.h"
#include "WineTestSupport.h"
#include "core/music/PlayerLayout.h"
#include "win32/browser/TExtraInfoForm.h"
#include "win32/browser/TProgStartingForm.h"
#include "win32/filesearch/TFileSearchForm.h"
#include "win32/music/MciVideoWindow.h"
#include "win32/music/PlayerControls.h"
#include "win32/shell/TForm1.h"
#include "win32/shell/TForm2.h"
#include "win32/support/Utf16.h"
#include "win32/update/TAutoUpdateSettingsForm.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <dlgs.h>

#include <array>

#include <filesystem>

namespace dv::win32 {
namespace {

namespace fs = std::filesystem;
using wintest::pumpFor;
using wintest::pumpUntil;

class ScriptedSaveDialog : public SaveDialog {
  public:
    std::optional<std::string> answer;
    std::optional<std::string> askSaveFileName(const std::string&) override { return answer; }
};

class PlayerWiringTest : public testing::Test {
  protected:
    void SetUp() override { open(); }

    // The windows on the sample disc, started; with a scripted save dialog
    // or Windows' own.
    void open(SaveDialog* saveDialog = nullptr) {
        TearDown();
        TForm1::Environment environment{
            &boxes, test::sampleDisc() + "datavind.exe", wintest::windowsFacts(5, 1, 24), {}, {}};
        environment.saveDialog = saveDialog;
        // A browser that is there, so that the start-up tick goes on to the music.
        environment.createBrowser = [this](const TForm1::BrowserPlace&) {
            return std::make_unique<dv::test::FakeBrowserHost>(log);
        };
        form = std::make_unique<TForm1>(environment);
        fileSearch = std::make_unique<TFileSearchForm>(form->discRoot(), boxes);
        progStarting = std::make_unique<TProgStartingForm>();
        consent = std::make_unique<TAutoUpdateSettingsForm>();
        extraInfo = std::make_unique<TExtraInfoForm>();
        form2 = std::make_unique<TForm2>(form->hwnd());
        form->attachWindows(*fileSearch, *progStarting, *consent, *extraInfo, *form2);
        form->show();
        ASSERT_TRUE(pumpUntil([&] { return form->startupDone(); }, 5000));
    }

    void TearDown() override {
        form2.reset();
        form.reset();
        fileSearch.reset();
        MSG quit;
        while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }

    HWND main() const { return form->hwnd(); }
    PlayerControls& player() { return form->playerControls(); }
    long position() { return player().device().position(); }

    void press(UINT down, UINT up, int x, int y) {
        PostMessageW(main(), down, MK_LBUTTON, MAKELPARAM(x, y));
        PostMessageW(main(), up, 0, MAKELPARAM(x, y));
        pumpFor(50);
    }
    void click(int x, int y) { press(WM_LBUTTONDOWN, WM_LBUTTONUP, x, y); }
    LRESULT hitAt(int x, int y) {
        const POINT p = wintest::onScreen(main(), x, y);
        return SendMessageW(main(), WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
    }

    dv::test::CallLog log;
    dv::test::FakeMessageBoxes boxes{&log};
    std::unique_ptr<TForm1> form;
    std::unique_ptr<TFileSearchForm> fileSearch;
    std::unique_ptr<TProgStartingForm> progStarting;
    std::unique_ptr<TAutoUpdateSettingsForm> consent;
    std::unique_ptr<TExtraInfoForm> extraInfo;
    std::unique_ptr<TForm2> form2;
};

TEST_F(PlayerWiringTest, TheStartUpTickLoadsTheTrackAndTheWindowPaintsItsTitle) {
    EXPECT_EQ(player().titleText(), widen("Månadens MP3: Snöänglarna Vinterljus (00:08)"));
    EXPECT_TRUE(player().knobVisible());
    EXPECT_EQ(form->statusText(), "");
    // The window paints the title over its background, and the knob.
    const wintest::ClientPicture picture(main());
    int white = 0;
    for (int x = 177; x < 529; ++x)
        for (int y = 577; y < 590; ++y)
            white += picture.at(x, y) == Rgb{255, 255, 255};
    EXPECT_GT(white, 50);
    // The knob is a control, not a handle to drag the window by.
    const RECT knob = player().knobBounds();
    EXPECT_EQ(hitAt(knob.left + 3, knob.top + 5), HTCLIENT);
    EXPECT_EQ(hitAt(knob.left - 4, knob.top + 5), HTCAPTION);
}

// The text shown by a tooltip window now, "" when none shows.
std::string shownTip(HWND tips) {
    if (!IsWindowVisible(tips))
        return {};
    std::array<wchar_t, 256> text{};
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.lpszText = text.data();
    if (!SendMessageW(tips, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&tool)))
        return {};
    return narrow(text.data());
}

// The hot-spots' tooltips and the knob's live on the same window: each
// hint shows under the real pointer, not only as a text the control holds.
TEST_F(PlayerWiringTest, EveryHintShowsUnderThePointer) {
    SetForegroundWindow(main());
    const HWND spotTips = form->toolTips().handle();
    const auto& spots = form->hotSpots().all();
    int shown = 0;
    for (const HotSpot& s : spots) {
        if (s.hint.empty() || !s.visibleAtStart)
            continue;
        SCOPED_TRACE(s.name);
        wintest::moveMouseTo(main(), 250, 60);
        ASSERT_TRUE(pumpUntil([&] { return shownTip(spotTips).empty(); }, 3000));
        wintest::moveMouseTo(main(), s.bounds.left + s.bounds.width / 2,
                             s.bounds.top + s.bounds.height / 2);
        EXPECT_TRUE(pumpUntil([&] { return shownTip(spotTips) == s.hint; }, 4000))
            << shownTip(spotTips);
        ++shown;
    }
    EXPECT_GE(shown, 8);
    // And the knob's, from its own tooltip control.
    const RECT knob = player().knobBounds();
    wintest::moveMouseTo(main(), 250, 60);
    wintest::moveMouseTo(main(), (knob.left + knob.right) / 2, (knob.top + knob.bottom) / 2);
    EXPECT_TRUE(pumpUntil(
        [&] {
            for (HWND tips = FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr); tips;
                 tips = FindWindowExW(nullptr, tips, TOOLTIPS_CLASSW, nullptr))
                if (GetWindow(tips, GW_OWNER) == main() && shownTip(tips) == player().knobHint())
                    return true;
            return false;
        },
        4000));
}

TEST_F(PlayerWiringTest, PlayAndStopHotSpotsShowAndHideThePositionAndTheBarSeeks) {
    EXPECT_EQ(hitAt(300, 590), HTCAPTION); // no click strip yet
    click(18, 588);                        // lbPlay
    ASSERT_TRUE(pumpUntil([&] { return player().positionDisplayVisible(); }, 5000));
    EXPECT_EQ(hitAt(300, 590), HTCLIENT); // the strip is there
    ASSERT_TRUE(pumpUntil([&] { return player().positionText() >= L"00:01"; }, 5000));
    const wintest::ClientPicture shown(main());
    const auto& fore = player::layout::kBarFore;
    EXPECT_EQ(shown.at(177, 594), fore);

    click(176 + 204, 590); // the middle of the bar
    ASSERT_TRUE(pumpUntil([&] { return position() >= 4100; }, 3000));
    EXPECT_EQ(player().device().mode(), PlayerMode::Playing);
    EXPECT_EQ(form->statusText(), "Hoppa i låten"); // the bar's own text, no error

    click(41, 588); // lbStop
    ASSERT_TRUE(pumpUntil([&] { return !player().positionDisplayVisible(); }, 3000));
    EXPECT_EQ(hitAt(300, 590), HTCAPTION);
}

TEST_F(PlayerWiringTest, TheKnobSetsTheVolumeAndWritesItOnTheStatusLine) {
    player().volume().SetVolume(65535);
    const int left = player().knobLeft();
    const int y = player::layout::kKnobTop + 5;
    PostMessageW(main(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(left + 3, y));
    PostMessageW(main(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(100 + 3, y));
    pumpFor(50);
    EXPECT_EQ(player().knobLeft(), 100);
    EXPECT_EQ(player().volume().GetVolume(), 32342);
    EXPECT_EQ(form->statusText(), "Volym 49%");
    EXPECT_EQ(player().knobHint(), "Volym 49%");
    PostMessageW(main(), WM_LBUTTONUP, 0, MAKELPARAM(100 + 3, y));
    pumpFor(50);
    EXPECT_EQ(form->statusText(), "");
    EXPECT_EQ(player().knobLeft(), 100);
}

TEST_F(PlayerWiringTest, TheSaveHotSpotWritesAnIdenticalCopyAndSaysWhere) {
    wchar_t temp[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temp);
    const fs::path folder = fs::path(temp) / (L"datavind-hot-" + std::to_wstring(GetTickCount64()));
    fs::create_directories(folder);
    const fs::path target = folder / L"Vinterljus.mp3";
    test::DialogAnswerer save([&](HWND dialog) {
        SetDlgItemTextW(dialog, cmb13, target.c_str());
        test::pressButton(dialog, IDOK);
    });
    click(160, 587); // lbSaveMP3
    EXPECT_TRUE(pumpUntil([&] { return !boxes.shown.empty(); }, 15000));
    EXPECT_TRUE(save.answered());
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Filen sparad som \"" + narrow(target.wstring()) + "\"!");
    EXPECT_EQ(boxes.shown[0].caption, "Datavinds cd");
    EXPECT_TRUE(boxes.shown[0].icon == MessageIcon::Information);
    EXPECT_EQ(test::fileBytes(target),
              test::fileBytes(fs::path(widen(test::sampleDisc() + "musik\\Vinterljus.mp3"))));
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}

TEST_F(PlayerWiringTest, TheSequenceOnTheLogoStripOpensTheHiddenScreenWithTheDiscsFilm) {
    wintest::moveMouseTo(main(), 97, 70); // Label1
    bool checked = false;
    // Runs inside the screen's modal loop, once the sequence has opened it.
    test::runSoon([&] {
        EXPECT_TRUE(IsWindowVisible(form2->hwnd()));
        EXPECT_FALSE(IsWindowEnabled(main()));
        for (int tick = 0; tick < 3; ++tick)
            form2->Timer1Timer();
        EXPECT_EQ(form2->player().lastError(), "");
        EXPECT_TRUE(pumpUntil([&] { return form2->player().playing(); }, 5000));
        checked = true;
        PostMessageW(form2->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        PostMessageW(form2->hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    });
    for (const char key : std::string("MANGO"))
        SendMessageW(main(), WM_CHAR, static_cast<WPARAM>(key), 0);
    EXPECT_TRUE(checked);
    EXPECT_FALSE(IsWindowVisible(form2->hwnd()));
    EXPECT_FALSE(form2->player().playing());
    EXPECT_TRUE(IsWindowEnabled(main()));
}

TEST_F(PlayerWiringTest, ATargetThatCannotBeCreatedGoesToTheErrorReport) {
    ScriptedSaveDialog dialog;
    dialog.answer = "C:\\finns\\inte\\låt.mp3";
    open(&dialog);
    click(160, 587); // lbSaveMP3
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(boxes.shown[0].icon == MessageIcon::Error);
    EXPECT_NE(boxes.shown[0].text.find("C:\\finns\\inte"), std::string::npos)
        << boxes.shown[0].text;
    // Only the hot-spot's own text: the status line is for failures of the copy.
    EXPECT_EQ(form->statusText(), "Spara Månadens MP3 på din hårddisk");
    EXPECT_TRUE(IsWindowVisible(main())); // and the program goes on
}

} // namespace
} // namespace dv::win32
