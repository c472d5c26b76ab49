#include "core/music/MusicPlayer.h"

#include "FakeMediaDevice.h"
#include "RecordingPorts.h"
#include "core/music/Id3v1Tag.h"
#include "core/shell/HoverController.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

#ifdef __linux__
#include <sys/stat.h>
#endif

namespace dv {
namespace {

namespace fs = std::filesystem;

std::string taggedTrack(std::string_view title, std::string_view artist) {
    std::string bytes(1000, '\x55');
    std::string tag(128, '\0');
    tag.replace(0, 3, "TAG");
    tag.replace(3, title.size(), title);
    tag.replace(33, artist.size(), artist);
    return bytes + tag;
}

// An MPEG audio track of `frames` frames at 128 kbit/s (417 bytes each),
// tagged.
std::string framedTrack(int frames, std::string_view title, std::string_view artist) {
    std::string frame(417, '\0');
    frame.replace(0, 4, std::string("\xFF\xFB\x90\x00", 4));
    std::string bytes;
    for (int i = 0; i < frames; ++i)
        bytes += frame;
    return bytes + taggedTrack(title, artist).substr(1000);
}

class MusicPlayerTest : public ::testing::Test {
  protected:
    fs::path root =
        fs::temp_directory_path() /
        ("music-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    test::FakeMediaDevice device;
    test::FakeVolume volume;
    test::FakePlayerView view;
    test::FakeStatusLine status;
    test::FakeHighlights highlights;
    HoverController hover{status, highlights};
    MusicPlayer player{root.string() + "/", {device, volume, view, status, hover}};

    void SetUp() override { fs::create_directories(root); }
    void TearDown() override { fs::remove_all(root); }
    void track(const std::string& name, const std::string& bytes) {
        fs::create_directories(root / "musik");
        std::ofstream(root / "musik" / name, std::ios::binary) << bytes;
    }
};

TEST_F(MusicPlayerTest, LoadsTheTrackWithItsTagAndLength) {
    track("Manadens.MP3", taggedTrack("Song", "Band"));
    player.LoadMusic();
    EXPECT_EQ(view.title, "Månadens MP3: Band Song (03:07)");
    EXPECT_TRUE(player.TrackLoaded());
    EXPECT_TRUE(hover.trackLoaded());
    EXPECT_TRUE(view.knobVisible);
    EXPECT_EQ(view.left, 139); // full volume
    EXPECT_EQ(device.log,
              (std::vector<std::string>{"timeformat", "notify", "open " + player.trackPath()}));
    EXPECT_EQ(fs::path(player.trackPath()).filename(), "Manadens.MP3");
}

// The frames give the length: the device opens only at the first play, and
// the player shows what it showed with the device opened at start.
TEST_F(MusicPlayerTest, ATrackWhoseFramesTellItsLengthOpensTheDeviceAtTheFirstPlay) {
    track("a.mp3", framedTrack(1000, "Song", "Band")); // 1000 × 417 × 8 / 128 ms
    player.LoadMusic();
    EXPECT_EQ(view.title, "Månadens MP3: Band Song (00:26)");
    EXPECT_TRUE(player.TrackLoaded());
    EXPECT_TRUE(hover.trackLoaded());
    EXPECT_TRUE(view.knobVisible);
    EXPECT_EQ(view.left, 139);
    EXPECT_TRUE(device.log.empty());
    EXPECT_FALSE(device.isOpen());
    EXPECT_TRUE(status.texts.empty());

    player.MPTimerTimer(); // a tick before any play shows no time
    EXPECT_EQ(view.bar, 0);
    player.lbPlayClick();
    EXPECT_EQ(device.log, (std::vector<std::string>{"close", "notify", "open " + player.trackPath(),
                                                    "notify", "play"}));
    player.mPlayerNotify();
    EXPECT_TRUE(view.positionDisplay);
    device.trackLength = 26000;
    device.log.clear();
    player.lbTrackBarMouseUp(204, 409);
    EXPECT_EQ(device.log, (std::vector<std::string>{"seek 12968", "notify", "play"}));
    EXPECT_TRUE(status.texts.empty());
}

TEST_F(MusicPlayerTest, ADeviceThatRefusesAFramedTrackSaysSoAtPlay) {
    track("a.mp3", framedTrack(10, "Song", ""));
    device.openError = "Filen kan inte spelas upp.";
    player.LoadMusic();
    EXPECT_EQ(view.title, "Månadens MP3: Song (00:00)");
    EXPECT_TRUE(status.texts.empty());
    player.lbPlayClick();
    EXPECT_EQ(status.current(), "Filen kan inte spelas upp.");
    EXPECT_FALSE(device.isOpen());
}

TEST_F(MusicPlayerTest, UntaggedTrack) {
    track("a.mp3", std::string(50, 'x'));
    player.LoadMusic();
    EXPECT_EQ(view.title, "Månadens MP3:  (03:07)");
}

TEST_F(MusicPlayerTest, NoTrackShowsNothingButPlacesTheKnob) {
    volume.volume = -1;
    view.left = 5;
    player.LoadMusic();
    EXPECT_EQ(view.title, "");
    EXPECT_FALSE(view.knobVisible);
    EXPECT_FALSE(player.TrackLoaded());
    EXPECT_EQ(view.left, 62);
    EXPECT_TRUE(device.log.empty());
}

TEST_F(MusicPlayerTest, DeviceThatRefusesTheTrack) {
    track("a.mp3", taggedTrack("Song", ""));
    device.openError = "Filen kan inte spelas upp.";
    player.LoadMusic();
    EXPECT_EQ(status.current(), "Filen kan inte spelas upp.");
    EXPECT_EQ(view.title, "Månadens MP3: Song (--:--)");
    EXPECT_FALSE(player.TrackLoaded());
    EXPECT_FALSE(view.knobVisible);
    player.knobMouseDown(true, 3); // no drag without a track
    player.knobMouseMove(40);
    EXPECT_TRUE(volume.set.empty());
}

TEST_F(MusicPlayerTest, PlayReopensAndNotifiesShowTheDisplay) {
    track("a.mp3", taggedTrack("Song", "Band"));
    player.LoadMusic();
    device.log.clear();
    player.lbPlayClick();
    EXPECT_EQ(device.log, (std::vector<std::string>{"close", "notify", "open " + player.trackPath(),
                                                    "notify", "play"}));
    player.mPlayerNotify();
    EXPECT_TRUE(view.positionDisplay);
    device.trackPosition = 92500;
    device.trackLength = 185000;
    player.MPTimerTimer();
    EXPECT_EQ(view.positionText, "01:32");
    EXPECT_EQ(view.bar, 50);
    player.lbStopClick();
    player.MPTimerTimer();
    EXPECT_FALSE(view.positionDisplay);
    player.mPlayerNotify();
    EXPECT_FALSE(view.positionDisplay);
}

TEST_F(MusicPlayerTest, PlayWithoutATrackShowsTheDeviceError) {
    player.LoadMusic();
    player.lbPlayClick();
    EXPECT_EQ(status.current(), "Ingen fil angavs."); // the device's own text
}

TEST_F(MusicPlayerTest, SeekKeepsPlayingOnlyIfItWasPlaying) {
    track("a.mp3", taggedTrack("Song", "Band"));
    player.LoadMusic();
    device.trackLength = 200000;
    player.lbPlayClick();
    device.log.clear();
    player.lbTrackBarMouseUp(204, 409);
    EXPECT_EQ(device.log, (std::vector<std::string>{"seek 99756", "notify", "play"}));
    device.stop();
    device.log.clear();
    player.lbTrackBarMouseUp(0, 409);
    EXPECT_EQ(device.log, (std::vector<std::string>{"seek 0"}));
}

TEST_F(MusicPlayerTest, KnobDragSetsVolumeWithClampsAndTexts) {
    track("a.mp3", taggedTrack("Song", "Band"));
    volume.volume = 0;
    player.LoadMusic();
    EXPECT_EQ(view.left, 62);
    player.knobMouseDown(false, 3); // only the left button
    player.knobMouseMove(10);
    EXPECT_TRUE(volume.set.empty());
    player.knobMouseDown(true, 3);
    player.knobMouseMove(3 + 38);
    EXPECT_EQ(view.left, 100);
    EXPECT_EQ(volume.volume, 32342);
    EXPECT_EQ(view.hint, "Volym 49%");
    EXPECT_EQ(status.current(), "Volym 49%");
    player.knobMouseMove(3 + 500); // past the end
    EXPECT_EQ(view.left, 139);
    EXPECT_EQ(status.current(), "Volym 100%");
    player.knobMouseMove(3 - 500);
    EXPECT_EQ(view.left, 62);
    EXPECT_EQ(view.hint, "Volym 0%");
    player.knobMouseUp(true);
    EXPECT_EQ(status.current(), "");
    EXPECT_EQ(view.hint, "Volym 0%"); // the hint keeps its last text
    player.knobMouseMove(50);
    EXPECT_EQ(view.left, 62); // no longer dragging
}

TEST_F(MusicPlayerTest, WithoutVolumeControlOnlyTheKnobMoves) {
    track("a.mp3", taggedTrack("Song", "Band"));
    volume.volume = -1;
    player.LoadMusic();
    player.knobMouseDown(true, 0);
    player.knobMouseMove(77);
    EXPECT_EQ(view.left, 139);
    EXPECT_EQ(volume.volume, -1);
    EXPECT_EQ(view.hint, "Volym 100%");
}

#ifdef __linux__
// Names that end in .mp3 but are no file: never a track, never a wait.
TEST_F(MusicPlayerTest, SpecialFilesAreNoTrack) {
    fs::create_directories(root / "musik");
    ASSERT_EQ(mkfifo((root / "musik" / "a.mp3").c_str(), 0644), 0);
    fs::create_directory(root / "musik" / "b.mp3");
    fs::create_symlink("saknas.mp3", root / "musik" / "c.mp3");
    fs::create_symlink("/dev/zero", root / "musik" / "d.mp3");
    player.LoadMusic();
    EXPECT_EQ(view.title, "");
    EXPECT_FALSE(player.TrackLoaded());
    EXPECT_TRUE(device.log.empty());
    EXPECT_TRUE(status.texts.empty());
    // The tag reader on its own refuses them too, with the reason.
    for (const char* name : {"a.mp3", "b.mp3", "c.mp3", "d.mp3"})
        EXPECT_THROW(FindMP3Tag((root / "musik" / name).string()), std::runtime_error) << name;

    track("e.mp3", taggedTrack("Song", "Band"));
    player.LoadMusic();
    EXPECT_EQ(fs::path(player.trackPath()).filename(), "e.mp3");
    EXPECT_EQ(view.title, "Månadens MP3: Band Song (03:07)");
}

TEST_F(MusicPlayerTest, ALinkToATrackIsATrack) {
    fs::create_directories(root / "musik");
    std::ofstream(root / "spar.bin", std::ios::binary) << taggedTrack("Song", "Band");
    fs::create_symlink(root / "spar.bin", root / "musik" / "lank.mp3");
    player.LoadMusic();
    EXPECT_EQ(view.title, "Månadens MP3: Band Song (03:07)");
}

#endif

} // namespace
} // namespace dv
