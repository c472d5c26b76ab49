#include "win32/shell/HotSpotTracker.h"

#include "core/shell/HotSpotCatalog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dv::win32 {
namespace {

class HotSpotTrackerTest : public ::testing::Test {
  protected:
    HotSpotCatalog catalog{"www.datavind.example"};
    std::vector<std::string> events;
    HotSpotTracker tracker{
        catalog.all(),
        HotSpotTracker::Events{[this](const HotSpot& s) { events.push_back("enter " + s.name); },
                               [this](const HotSpot& s) { events.push_back("leave " + s.name); },
                               [this](const HotSpot& s) { events.push_back("click " + s.name); },
                               [this](const HotSpot& s, int x, int y) {
                                   events.push_back("up " + s.name + " " + std::to_string(x) + "," +
                                                    std::to_string(y));
                               }}};

    std::vector<std::string> take() { return std::exchange(events, {}); }
};

using Events = std::vector<std::string>;

TEST_F(HotSpotTrackerTest, EveryVisibleSpotIsFoundAtItsBoundsAndNowhereElse) {
    for (const HotSpot& spot : catalog.all()) {
        const Rect& b = spot.bounds;
        const HotSpot* inside = tracker.at(b.left + b.width / 2, b.top + b.height / 2);
        if (!spot.visibleAtStart) {
            EXPECT_NE(inside, &spot) << spot.name;
            continue;
        }
        // The logo lies under the hidden screen's strip, which takes the mouse there.
        if (spot.name == "lbEttan") {
            EXPECT_EQ(tracker.at(b.left + 1, b.top + 1), &spot);
        } else {
            EXPECT_EQ(inside, &spot) << spot.name;
        }
        EXPECT_EQ(tracker.at(b.left + b.width - 1, b.top + b.height - 1), &spot) << spot.name;
    }
    EXPECT_EQ(tracker.at(250, 60), nullptr);  // between the logo and the first section
    EXPECT_EQ(tracker.at(400, 300), nullptr); // the page panel is no hot-spot
}

TEST_F(HotSpotTrackerTest, MovesEnterAndLeaveInOrder) {
    struct Step {
        int x, y;
        Events expected;
    };
    const Step steps[] = {
        {250, 60, {}},
        {388, 40, {"enter lbNoje"}},
        {390, 50, {}},
        {468, 40, {"leave lbNoje", "enter lbNytta"}},
        {250, 60, {"leave lbNytta"}},
        {20, 60, {"enter lbEttan"}},
        {97, 70, {"leave lbEttan", "enter Label1"}},
        {110, 70, {"leave Label1", "enter lbEttan"}},
        {784, 16, {"leave lbEttan", "enter lbExit"}},
    };
    for (const Step& step : steps) {
        tracker.mouseMoved(step.x, step.y);
        EXPECT_EQ(take(), step.expected) << step.x << "," << step.y;
    }
    tracker.mouseLeft();
    EXPECT_EQ(take(), Events{"leave lbExit"});
    tracker.mouseLeft();
    EXPECT_EQ(take(), Events{});
}

TEST_F(HotSpotTrackerTest, HiddenSpotsTakeNoMouseUntilShown) {
    tracker.mouseMoved(300, 590); // on the track bar, still hidden
    EXPECT_EQ(take(), Events{});
    EXPECT_FALSE(tracker.isVisible("lbTrackBar"));
    tracker.setVisible("lbTrackBar", true);
    tracker.mouseMoved(301, 590);
    EXPECT_EQ(take(), Events{"enter lbTrackBar"});
    // Hidden under the mouse: left at once.
    tracker.setVisible("lbTrackBar", false);
    EXPECT_EQ(take(), Events{"leave lbTrackBar"});
    EXPECT_EQ(tracker.current(), nullptr);
}

TEST_F(HotSpotTrackerTest, AClickIsAPressAndAReleaseOnTheSameSpot) {
    struct Case {
        const char* what;
        int pressX, pressY, releaseX, releaseY;
        Events expected;
    };
    const Case cases[] = {
        {"on the spot", 388, 40, 390, 45, {"enter lbNoje", "up lbNoje 39,37", "click lbNoje"}},
        {"dragged off", 388, 40, 250, 60, {"enter lbNoje", "up lbNoje -101,52"}},
        {"onto another spot", 388, 40, 468, 40, {"enter lbNoje", "up lbNoje 117,32"}},
        {"from the background", 250, 60, 388, 40, {}},
    };
    for (const Case& c : cases) {
        tracker.pressed(c.pressX, c.pressY);
        tracker.released(c.releaseX, c.releaseY);
        tracker.mouseLeft();
        Events got = take();
        if (!got.empty() && got.back().starts_with("leave"))
            got.pop_back();
        EXPECT_EQ(got, c.expected) << c.what;
    }
}

TEST_F(HotSpotTrackerTest, ACancelledPressClicksNothing) {
    tracker.pressed(784, 16);
    tracker.pressCancelled();
    tracker.released(784, 16);
    EXPECT_EQ(take(), Events{"enter lbExit"});
}

} // namespace
} // namespace dv::win32
