#include "core/shell/HoverController.h"

#include "RecordingPorts.h"
#include "core/shell/HotSpotCatalog.h"

#include <gtest/gtest.h>

namespace dv {
namespace {

using Calls = std::vector<std::string>;

class HoverTest : public ::testing::Test {
  protected:
    HotSpotCatalog catalog{"www.datavind.example"};
    test::FakeStatusLine status;
    test::FakeHighlights highlights;
    HoverController hover{status, highlights};
    const HotSpot& spot(const char* name) { return *catalog.find(name); }
};

TEST_F(HoverTest, EnterShowsPictureAndTextLeaveHidesAndClears) {
    hover.enter(spot("lbNoje"));
    EXPECT_EQ(status.current(), "Nöjesavdelningen");
    hover.leave(spot("lbNoje"));
    EXPECT_EQ(status.current(), "");
    EXPECT_EQ(highlights.calls, (Calls{"imAktNoje=shown", "imAktNoje=hidden"}));
}

TEST_F(HoverTest, LeaveClearsEvenAfterAnotherWriter) {
    hover.enter(spot("lbTMom"));
    status.setStatusText("Klar");
    hover.leave(spot("lbTMom"));
    EXPECT_EQ(status.current(), "");
}

TEST_F(HoverTest, LabelWithoutPictureOnlyWritesText) {
    hover.enter(spot("lbExit"));
    hover.leave(spot("lbExit"));
    EXPECT_TRUE(highlights.calls.empty());
    EXPECT_EQ(status.texts, (Calls{"Avsluta skivan", ""}));
}

TEST_F(HoverTest, PlayAndStopLightUpOnlyWithATrack) {
    hover.enter(spot("lbPlay"));
    EXPECT_EQ(highlights.calls.back(), "imAktPlay=hidden");
    EXPECT_EQ(status.current(), "Spela upp Månadens MP3");
    hover.setTrackLoaded(true);
    hover.enter(spot("lbStop"));
    EXPECT_EQ(highlights.calls.back(), "imAktStop=shown");
}

TEST_F(HoverTest, SilentStripTouchesNothing) {
    status.setStatusText("Till startsidan");
    hover.enter(spot("Label1"));
    hover.leave(spot("Label1"));
    EXPECT_EQ(status.texts, Calls{"Till startsidan"});
    EXPECT_TRUE(highlights.calls.empty());
}

} // namespace
} // namespace dv
