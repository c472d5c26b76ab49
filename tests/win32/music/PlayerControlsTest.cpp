// The player's controls on a stand-in main window with the sample disc's
// track and the real MCI device: the title line, play and stop, seeking,
// the volume knob driven by mouse messages, and what they paint.

#include "PlayerHostWindow.h"
#include "WindowTesting.h"
#include "WineTestSupport.h"
#include "core/music/PlayerLayout.h"
#include "core/music/PlayerMath.h"
#include "win32/music/Win32SaveDialog.h"
#include "win32/support/ResourcePicture.h"
#include "win32/support/Utf16.h"

#include <gtest/gtest.h>

#include <dlgs.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace dv::win32 {
namespace {

namespace fs = std::filesystem;
using test::PlayerHostWindow;
using wintest::pumpUntil;

class NoSaveDialog : public SaveDialog {
  public:
    std::optional<std::string> askSaveFileName(const std::string&) override { return std::nullopt; }
};

LPARAM at(int x, int y) {
    return MAKELPARAM(x, y);
}

std::string sampleTrackBytes() {
    return test::fileBytes(fs::path(widen(test::sampleDisc() + "musik\\Vinterljus.mp3")));
}

class PlayerControlsTest : public testing::Test {
  protected:
    void SetUp() override {
        host = std::make_unique<PlayerHostWindow>(test::sampleDisc(), noDialog);
        controls().volume().SetVolume(65535);
        controls().player().LoadMusic();
    }
    void TearDown() override { host.reset(); }

    PlayerControls& controls() { return host->controls(); }
    MusicPlayer& player() { return controls().player(); }
    long position() { return controls().device().position(); }

    NoSaveDialog noDialog;
    std::unique_ptr<PlayerHostWindow> host;
};

TEST_F(PlayerControlsTest, TitleLineShowsTagAndLength) {
    EXPECT_EQ(controls().titleText(), widen("Månadens MP3: Snöänglarna Vinterljus (00:08)"));
    EXPECT_TRUE(player().TrackLoaded());
    EXPECT_TRUE(controls().knobVisible());
    EXPECT_EQ(controls().knobLeft(), player::kKnobMax); // full volume
    EXPECT_EQ(controls().knobHint(), "Volymkontroll");
    EXPECT_EQ(host->statusText(), "");
    EXPECT_FALSE(controls().positionDisplayVisible());
    EXPECT_FALSE(host->trackBarVisible());
}

// The title line needs the track's tag and length only: the MCI device,
// and the media framework behind it, wait for the first play.
TEST(PlayerControlsStartTest, TheDeviceOpensTheTrackOnlyAtTheFirstPlay) {
    NoSaveDialog noDialog;
    const bool driverBefore = GetModuleHandleW(L"mciqtz32.dll") != nullptr;
    PlayerHostWindow host(test::sampleDisc(), noDialog);
    host.controls().player().LoadMusic();
    EXPECT_EQ(host.controls().titleText(), widen("Månadens MP3: Snöänglarna Vinterljus (00:08)"));
    EXPECT_TRUE(host.controls().player().TrackLoaded());
    EXPECT_TRUE(host.controls().knobVisible());
    EXPECT_FALSE(host.controls().device().isOpen());
    EXPECT_EQ(host.controls().device().mode(), PlayerMode::NotReady);
    if (!driverBefore) {
        EXPECT_EQ(GetModuleHandleW(L"mciqtz32.dll"),
                  nullptr); // the device's driver is not even loaded
    }
    EXPECT_EQ(host.statusText(), "");

    host.controls().player().lbPlayClick();
    EXPECT_TRUE(host.controls().device().isOpen());
    EXPECT_NE(GetModuleHandleW(L"mciqtz32.dll"), nullptr);
    ASSERT_TRUE(pumpUntil([&] { return host.controls().positionDisplayVisible(); }, 5000));
    EXPECT_EQ(host.controls().device().mode(), PlayerMode::Playing);
    EXPECT_EQ(host.controls().device().length() / 1000, 8);
    host.controls().player().lbStopClick();
    EXPECT_TRUE(pumpUntil([&] { return !host.controls().positionDisplayVisible(); }, 3000));
    EXPECT_EQ(host.statusText(), "");
}

TEST_F(PlayerControlsTest, PlayShowsThePositionAndStopHidesIt) {
    player().lbPlayClick();
    ASSERT_TRUE(pumpUntil([&] { return controls().positionDisplayVisible(); }, 5000));
    EXPECT_TRUE(host->trackBarVisible());
    // The position timer moves the labels and the bar.
    ASSERT_TRUE(pumpUntil([&] { return controls().positionText() >= L"00:01"; }, 5000));
    EXPECT_GT(controls().positionBar(), 0);
    EXPECT_EQ(host->statusText(), "");
    player().lbStopClick();
    ASSERT_TRUE(pumpUntil([&] { return !controls().positionDisplayVisible(); }, 3000));
    EXPECT_FALSE(host->trackBarVisible());
}

TEST_F(PlayerControlsTest, AClickOnTheBarSeeksAndKeepsPlaying) {
    player().lbPlayClick();
    ASSERT_TRUE(pumpUntil([&] { return controls().positionDisplayVisible(); }, 5000));
    player().lbTrackBarMouseUp(204, player::layout::kPositionBar.width); // about the middle
    EXPECT_EQ(host->statusText(), "");
    ASSERT_TRUE(pumpUntil([&] { return position() >= 4100; }, 3000));
    EXPECT_LT(position(), 7000);
    EXPECT_EQ(controls().device().mode(), PlayerMode::Playing);
    EXPECT_TRUE(pumpUntil([&] { return controls().positionText() >= L"00:04"; }, 3000));
    EXPECT_TRUE(controls().positionDisplayVisible());
    player().lbStopClick();
    EXPECT_TRUE(pumpUntil([&] { return !controls().positionDisplayVisible(); }, 3000));
}

TEST_F(PlayerControlsTest, DraggingTheKnobSetsTheVolumeAndSaysSo) {
    ASSERT_EQ(controls().knobLeft(), 139);
    const int y = player::layout::kKnobTop + 5;
    SendMessageW(host->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at(139 + 3, y));
    EXPECT_EQ(GetCapture(), host->hwnd()); // the drag goes on beside the knob
    SendMessageW(host->hwnd(), WM_MOUSEMOVE, MK_LBUTTON, at(139 + 3 - 39, y));
    EXPECT_EQ(controls().knobLeft(), 100);
    EXPECT_EQ(controls().volume().GetVolume(), 32342);
    EXPECT_EQ(host->statusText(), "Volym 49%");
    EXPECT_EQ(controls().knobHint(), "Volym 49%");
    // Past the left end the knob stays at silence.
    SendMessageW(host->hwnd(), WM_MOUSEMOVE, MK_LBUTTON, at(10, y));
    EXPECT_EQ(controls().knobLeft(), 62);
    EXPECT_EQ(controls().volume().GetVolume(), 0);
    EXPECT_EQ(host->statusText(), "Volym 0%");
    SendMessageW(host->hwnd(), WM_LBUTTONUP, 0, at(10, y));
    EXPECT_EQ(host->statusText(), "");
    EXPECT_EQ(controls().knobHint(), "Volym 0%"); // the hint keeps its last text
    EXPECT_NE(GetCapture(), host->hwnd());
    // Moves after the release do nothing.
    SendMessageW(host->hwnd(), WM_MOUSEMOVE, 0, at(120, y));
    EXPECT_EQ(controls().knobLeft(), 62);
}

TEST_F(PlayerControlsTest, OnlyTheLeftButtonOnTheKnobDrags) {
    const int y = player::layout::kKnobTop + 5;
    SendMessageW(host->hwnd(), WM_RBUTTONDOWN, MK_RBUTTON, at(139 + 3, y));
    SendMessageW(host->hwnd(), WM_MOUSEMOVE, MK_RBUTTON, at(100, y));
    EXPECT_EQ(controls().knobLeft(), 139);
    SendMessageW(host->hwnd(), WM_RBUTTONUP, 0, at(100, y));
    // A press beside the knob is not the knob's.
    SendMessageW(host->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at(120, y));
    SendMessageW(host->hwnd(), WM_MOUSEMOVE, MK_LBUTTON, at(80, y));
    SendMessageW(host->hwnd(), WM_LBUTTONUP, 0, at(80, y));
    EXPECT_EQ(controls().knobLeft(), 139);
    EXPECT_EQ(host->statusText(), "");
}

TEST_F(PlayerControlsTest, LosingTheMouseEndsTheDrag) {
    const int y = player::layout::kKnobTop + 5;
    SendMessageW(host->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at(139 + 3, y));
    SendMessageW(host->hwnd(), WM_MOUSEMOVE, MK_LBUTTON, at(120, y));
    ReleaseCapture(); // another window takes the mouse
    EXPECT_EQ(host->statusText(), "");
    SendMessageW(host->hwnd(), WM_MOUSEMOVE, 0, at(90, y));
    EXPECT_EQ(controls().knobLeft(), 139 + 120 - (139 + 3));
}

// The colour of a pixel of what the controls paint over a magenta background.
class Painting {
  public:
    explicit Painting(const PlayerControls& controls) {
        HDC screen = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen);
        bitmap_ = CreateCompatibleBitmap(screen, 800, 600);
        ReleaseDC(nullptr, screen);
        old_ = SelectObject(dc_, bitmap_);
        const HBRUSH background = CreateSolidBrush(PlayerHostWindow::kBackground);
        const RECT all{0, 0, 800, 600};
        FillRect(dc_, &all, background);
        DeleteObject(background);
        controls.paint(dc_);
    }
    ~Painting() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    COLORREF at(int x, int y) const { return GetPixel(dc_, x, y); }
    // How many pixels of the area have that colour.
    int count(const Rect& area, COLORREF colour) const {
        int n = 0;
        for (int y = area.top; y < area.top + area.height; ++y)
            for (int x = area.left; x < area.left + area.width; ++x)
                n += at(x, y) == colour;
        return n;
    }

  private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
};

TEST_F(PlayerControlsTest, LabelsPaintTheirTextOnlyOverTheBackground) {
    namespace layout = player::layout;
    const COLORREF shadow = RGB(layout::kShadow.red, layout::kShadow.green, layout::kShadow.blue);
    const Painting title(controls());
    const Rect line{177, 577, 353, 14};
    EXPECT_GT(title.count(line, RGB(255, 255, 255)), 50);
    EXPECT_GT(title.count(line, shadow), 20);
    // No box behind the text: most of the line is still the background.
    EXPECT_GT(title.count(line, PlayerHostWindow::kBackground), line.width * line.height / 2);
    // The position display is hidden: nothing of it is painted.
    EXPECT_EQ(title.count(layout::kPositionBar, PlayerHostWindow::kBackground), 409 * 5);
    // The knob is painted where it is.
    const ResourcePicture knob(L"Knob");
    ASSERT_FALSE(knob.empty());
    const Rgb inside = knob.pixel(1, 10);
    EXPECT_EQ(title.at(139 + 1, layout::kKnobTop + 10), RGB(inside.red, inside.green, inside.blue));

    PlayerView& view = controls();
    view.setPositionDisplayVisible(true);
    view.setPositionBar(50);
    view.setPositionText("00:04");
    const Painting shown(controls());
    const COLORREF back = RGB(layout::kBarBack.red, layout::kBarBack.green, layout::kBarBack.blue);
    const COLORREF fore = RGB(layout::kBarFore.red, layout::kBarFore.green, layout::kBarFore.blue);
    EXPECT_EQ(shown.at(176 + 10, 594), fore);
    EXPECT_EQ(shown.at(176 + 203, 594), fore);
    EXPECT_EQ(shown.at(176 + 206, 594), back);
    EXPECT_EQ(shown.at(176 + 408, 596), back);
    EXPECT_GT(shown.count(layout::kPosition, RGB(255, 255, 255)), 10);
    EXPECT_GT(shown.count(layout::kPosition, PlayerHostWindow::kBackground),
              layout::kPosition.width * 6);
    view.setPositionDisplayVisible(false);
}

TEST(PlayerControlsSaveTest, SavingWritesAnIdenticalCopyAndSaysWhere) {
    wchar_t temp[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temp);
    const fs::path folder =
        fs::path(temp) / (L"datavind-spara-" + std::to_wstring(GetTickCount64()));
    fs::create_directories(folder);
    // A file there already is replaced once the reader says yes.
    std::ofstream(folder / L"Gammal.mp3", std::ios::binary) << "en annan låt";
    Win32SaveDialog dialog;
    PlayerHostWindow host(test::sampleDisc(), dialog);
    dialog.setOwner(host.hwnd());
    host.controls().player().LoadMusic();

    for (const wchar_t* name : {L"Min kopia.mp3", L"Min låt.mp3", L"Gammal.mp3"}) {
        const fs::path target = folder / name;
        std::wstring proposed, told;
        UINT icon = 0;
        std::unique_ptr<test::DialogAnswerer> replace, box;
        test::DialogAnswerer save([&](HWND d) {
            proposed = test::itemText(d, cmb13);
            SetDlgItemTextW(d, cmb13, target.c_str());
            test::pressButton(d, IDOK);
            if (fs::exists(target))
                replace = std::make_unique<test::DialogAnswerer>(
                    [](HWND q) { test::pressButton(q, IDYES); }, d);
            box = std::make_unique<test::DialogAnswerer>(
                [&](HWND b) {
                    told = test::messageBoxText(b);
                    icon = test::messageBoxIcon(b);
                    test::pressButton(b, IDOK);
                },
                // The program's box, not the dialog's question about replacing.
                [](HWND b) {
                    return test::messageBoxText(b).find(L"Filen sparad") != std::wstring::npos;
                });
        });
        host.controls().lbSaveMP3Click();
        ASSERT_TRUE(save.answered()) << narrow(name);
        EXPECT_EQ(replace != nullptr, std::wstring(name) == L"Gammal.mp3");
        EXPECT_EQ(proposed, L"Vinterljus.mp3");
        EXPECT_EQ(told, L"Filen sparad som \"" + target.wstring() + L"\"!");
        EXPECT_EQ(icon, static_cast<UINT>(MB_ICONINFORMATION));
        EXPECT_EQ(test::fileBytes(target), sampleTrackBytes()) << narrow(name);
        EXPECT_EQ(host.statusText(), "");
    }
    // Nothing but the copies: no part file left beside them.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 3);
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}

// A disc folder of its own with a musik folder made for one case.
class TemporaryDisc {
  public:
    TemporaryDisc() {
        wchar_t folder[MAX_PATH] = L"";
        GetTempPathW(MAX_PATH, folder);
        // A name beyond ASCII, as a disc's or reader's folder may have.
        root_ = fs::path(folder) / (L"datavind-skiva-å-" + std::to_wstring(GetTickCount64()));
        fs::create_directories(root_ / L"musik");
    }
    ~TemporaryDisc() {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }
    void addTrack(const std::wstring& name, const std::string& bytes) const {
        std::ofstream(root_ / L"musik" / name, std::ios::binary) << bytes;
    }
    std::string discRoot() const { return narrow(root_.wstring()) + "\\"; }

  private:
    fs::path root_;
};

std::string tag(const std::string& title, const std::string& artist) {
    std::string block(128, '\0');
    block.replace(0, 3, "TAG");
    block.replace(3, title.size(), title);
    block.replace(33, artist.size(), artist);
    return block;
}

TEST(PlayerControlsDiscTest, WhatTheTitleLineAndKnobShowForEachDisc) {
    const std::string track = sampleTrackBytes();
    ASSERT_GT(track.size(), 1000u);
    const std::string untagged = track.substr(0, track.size() - 128);
    struct Case {
        const char* what;
        std::wstring file; // empty: no track at all
        std::string bytes;
        std::wstring title;
        bool loaded;
    };
    const Case cases[] = {
        {"no track", L"", "", L"", false},
        {"a track without a tag", L"utan.MP3", untagged, L"Månadens MP3:  (00:08)", true},
        {"a tag of Windows-1252 text", L"läsk.mp3", untagged + tag("V\xe4rld", "K\xf6r & Co"),
         L"Månadens MP3: Kör & Co Värld (00:08)", true},
        {"a file the device cannot play", L"trasig.mp3",
         std::string(4000, 'x') + tag("Brus", "Ingen"), L"Månadens MP3: Ingen Brus (--:--)", false},
    };
    for (const Case& c : cases) {
        TemporaryDisc disc;
        if (!c.file.empty())
            disc.addTrack(c.file, c.bytes);
        NoSaveDialog dialog;
        PlayerHostWindow host(disc.discRoot(), dialog);
        host.controls().player().LoadMusic();
        EXPECT_EQ(host.controls().titleText(), c.title) << c.what;
        EXPECT_EQ(host.controls().player().TrackLoaded(), c.loaded) << c.what;
        EXPECT_EQ(host.controls().knobVisible(), c.loaded) << c.what;
        // Only a device failure speaks, in the device's own words.
        const bool failed = c.file == L"trasig.mp3";
        EXPECT_EQ(!host.statusText().empty(), failed) << c.what << ": " << host.statusText();
    }
}

TEST(PlayerControlsDiscTest, TheDisplayGoesWhenTheTrackEndsByItself) {
    // The first two seconds of the sample track, tagged.
    TemporaryDisc disc;
    disc.addTrack(L"kort.mp3", sampleTrackBytes().substr(0, 16000) + tag("Kort", "Snöänglarna"));
    NoSaveDialog dialog;
    PlayerHostWindow host(disc.discRoot(), dialog);
    host.controls().player().LoadMusic();
    ASSERT_TRUE(host.controls().player().TrackLoaded());
    host.controls().player().lbPlayClick();
    ASSERT_TRUE(pumpUntil([&] { return host.controls().positionDisplayVisible(); }, 5000));
    EXPECT_TRUE(pumpUntil([&] { return !host.controls().positionDisplayVisible(); }, 8000));
    EXPECT_FALSE(host.trackBarVisible());
    EXPECT_EQ(host.statusText(), "");
}

} // namespace
} // namespace dv::win32
