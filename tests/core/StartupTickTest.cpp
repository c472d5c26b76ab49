#include "core/app/StartupTick.h"

#include "RecordingPorts.h"

#include <gtest/gtest.h>

namespace dv {
namespace {

using test::CallLog;

StartupTick::FactsSource linux(int depth) {
    return [depth] {
        PlatformFacts f;
        f.colourDepth = depth;
        f.canShapeWindows = true;
        return f;
    };
}

struct Fixture {
    CallLog log;
    test::FakeFrame frame{log};
    test::FakeBrowserHost browser{log};
    test::FakeMessageBoxes boxes{&log};
};

TEST(StartupTick, ShapedWindowCreatesBrowserAndShowsStartPage) {
    Fixture f;
    StartupTick tick(linux(24), "/cd/", f.frame, f.browser, f.boxes);
    EXPECT_EQ(tick.run(), StartupTick::Outcome::BrowserReady);
    EXPECT_EQ(f.log, (CallLog{"create", "hook", "navigate:/cd/docs/ettan/index.htm", "music"}));
}

TEST(StartupTick, ShallowDisplayGetsBorderFirst) {
    Fixture f;
    StartupTick tick(linux(16), "/cd/", f.frame, f.browser, f.boxes);
    tick.run();
    ASSERT_FALSE(f.log.empty());
    EXPECT_EQ(f.log.front(), "bordered");
}

TEST(StartupTick, BrowserFailureIsReportedAndNothingNavigates) {
    Fixture f;
    f.browser.version = "4.7200";
    StartupTick tick(linux(24), "/cd/", f.frame, f.browser, f.boxes);
    EXPECT_EQ(tick.run(), StartupTick::Outcome::BrowserFailed);
    EXPECT_EQ(f.log, (CallLog{"create", "destroy", "box:Kunde inte skapa IE"}));
    ASSERT_EQ(f.boxes.shown.size(), 1u);
    EXPECT_EQ(f.boxes.shown[0].caption, "Datavinds cd");
}

TEST(StartupTick, RunsOnceEvenAfterFailure) {
    Fixture f;
    f.browser.canCreate = false;
    StartupTick tick(linux(24), "/cd/", f.frame, f.browser, f.boxes);
    tick.run();
    const CallLog afterFirst = f.log;
    EXPECT_EQ(tick.run(), StartupTick::Outcome::BrowserFailed);
    EXPECT_EQ(f.log, afterFirst);
}

// The display is asked when the tick runs, once: a depth that changed after
// the window was made decides the shape.
TEST(StartupTick, TheShapeFollowsTheDisplayAsItIsWhenTheTickRuns) {
    test::CallLog log;
    test::FakeFrame frame{log};
    test::FakeBrowserHost browser{log};
    test::FakeMessageBoxes boxes{&log};
    int depth = 24;
    int asked = 0;
    StartupTick tick(
        [&] {
            ++asked;
            PlatformFacts f;
            f.colourDepth = depth;
            f.canShapeWindows = true;
            return f;
        },
        "/cd/", frame, browser, boxes);
    EXPECT_EQ(asked, 0);
    depth = 16;
    tick.run();
    tick.run();
    EXPECT_EQ(asked, 1);
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front(), "bordered");
}

} // namespace
} // namespace dv
