// The MCI device on the sample disc's track (8.3 s), under the real
// message loop: notifications arrive as window messages, after the command.

#include "win32/music/MciMediaDevice.h"
#include "WindowTesting.h"
#include "WineTestSupport.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace dv::win32 {
namespace {

using wintest::pumpFor;
using wintest::pumpUntil;

std::string track() {
    return test::sampleDisc() + "musik\\Vinterljus.mp3";
}

class MciMediaDeviceTest : public testing::Test {
  protected:
    int notifications = 0;
    MciMediaDevice device{[this] { ++notifications; }};
};

TEST_F(MciMediaDeviceTest, OpensTheTrackWithItsLengthInMilliseconds) {
    device.setTimeFormatMilliseconds(); // before the open, as the player does: no error
    device.open(track());
    EXPECT_TRUE(device.isOpen());
    EXPECT_NEAR(device.length(), 8333, 100);
    EXPECT_EQ(device.position(), 0);
    EXPECT_EQ(device.mode(), PlayerMode::Stopped);
    device.close();
    EXPECT_FALSE(device.isOpen());
    EXPECT_EQ(device.mode(), PlayerMode::NotReady);
}

TEST_F(MciMediaDeviceTest, ARequestedNotificationComesAfterTheCommandThroughTheLoop) {
    device.requestNotify();
    device.open(track());
    EXPECT_EQ(notifications, 0); // not while the open runs
    ASSERT_TRUE(pumpUntil([&] { return notifications == 1; }, 3000));
    // One request, one notification: the next command goes without.
    device.play();
    pumpFor(500);
    device.stop();
    pumpFor(500);
    EXPECT_EQ(notifications, 1);
}

TEST_F(MciMediaDeviceTest, PlayRunsUntilStoppedAndTellsSo) {
    device.open(track());
    device.requestNotify();
    device.play();
    EXPECT_EQ(device.mode(), PlayerMode::Playing);
    ASSERT_TRUE(pumpUntil([&] { return device.position() >= 600; }, 5000));
    EXPECT_EQ(notifications, 0); // playing has not ended
    device.stop();
    ASSERT_TRUE(pumpUntil([&] { return notifications >= 1; }, 3000)); // the play was stopped
    EXPECT_EQ(device.mode(), PlayerMode::Stopped);
}

TEST_F(MciMediaDeviceTest, SeekWhilePlayingPlaysOnFromThere) {
    device.open(track());
    device.play();
    pumpFor(300);
    device.seek(5000);
    device.play(); // as the player does after a seek while playing
    ASSERT_TRUE(pumpUntil([&] { return device.position() >= 5000; }, 3000));
    EXPECT_LT(device.position(), 7000);
    // On it goes from there (a seek may take the sound a moment to resume).
    EXPECT_TRUE(pumpUntil([&] { return device.position() >= 5300; }, 3000));
    EXPECT_EQ(device.mode(), PlayerMode::Playing);
    device.stop();
}

TEST_F(MciMediaDeviceTest, ASeekWhileStoppedMovesThePlaceTheNextPlayStartsFrom) {
    device.open(track());
    device.seek(6000);
    EXPECT_EQ(device.position(), 6000);
    device.play();
    ASSERT_TRUE(pumpUntil([&] { return device.position() > 6000; }, 3000));
    device.stop();
}

TEST_F(MciMediaDeviceTest, PlacesOutsideTheTrackAreIgnoredWithoutAWord) {
    device.open(track());
    for (long outside : {-1L, 8333L + 5000L, 1000000L})
        EXPECT_NO_THROW(device.seek(outside)) << outside;
    EXPECT_EQ(device.position(), 0);
}

TEST_F(MciMediaDeviceTest, FailuresCarryTheDevicesOwnText) {
    struct Case {
        const char* what;
        std::function<void()> command;
    };
    const Case cases[] = {
        {"open of a missing file",
         [&] { device.open(test::sampleDisc() + "musik\\finns-inte.mp3"); }},
        {"open of no file at all", [&] { device.open(""); }},
        {"play with nothing open", [&] { device.play(); }},
        {"stop with nothing open", [&] { device.stop(); }},
        {"length with nothing open", [&] { (void)device.length(); }},
        {"position with nothing open", [&] { (void)device.position(); }},
    };
    for (const Case& c : cases) {
        try {
            c.command();
            ADD_FAILURE() << c.what << " did not fail";
        } catch (const std::runtime_error& e) {
            const std::string text = e.what();
            EXPECT_GT(text.size(), 10u) << c.what;
            EXPECT_EQ(text.find("MCI-fel"), std::string::npos)
                << c.what << ": " << text; // a real text
        }
        EXPECT_FALSE(device.isOpen()) << c.what;
    }
}

} // namespace
} // namespace dv::win32
