#include "core/browser/ReaderGesture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dv {
namespace {

using namespace std::chrono_literals;
using Clock = ReaderGesture::Clock;

TEST(ReaderGesture, ALinkIsTheReadersOnlyRightAfterTheirOwnAct) {
    struct Case {
        const char* what;
        std::vector<Clock::duration> acts; // since the start
        Clock::duration link;
        CommandStart start;
    };
    const std::vector<Case> cases = {
        {"no act", {}, 10ms, CommandStart::ByScript},
        {"right after a click", {0ms}, 20ms, CommandStart::ByReader},
        {"at the edge of the reach", {0ms}, ReaderGesture::kReach, CommandStart::ByReader},
        {"too long after", {0ms}, ReaderGesture::kReach + 1ms, CommandStart::ByScript},
        {"an act after the link", {50ms}, 10ms, CommandStart::ByScript},
        {"the last of several acts counts", {0ms, 1500ms}, 1600ms, CommandStart::ByReader},
    };
    for (const Case& c : cases) {
        ReaderGesture gesture;
        const Clock::time_point start{};
        for (Clock::duration act : c.acts)
            gesture.readerActed(start + act);
        EXPECT_EQ(gesture.startOf(start + c.link), c.start) << c.what;
    }
}

TEST(ReaderGesture, OneActStartsOneLink) {
    ReaderGesture gesture;
    const Clock::time_point start{};
    gesture.readerActed(start);
    EXPECT_EQ(gesture.startOf(start + 1ms), CommandStart::ByReader);
    EXPECT_EQ(gesture.startOf(start + 2ms), CommandStart::ByScript);
    gesture.readerActed(start + 3ms);
    EXPECT_EQ(gesture.startOf(start + 4ms), CommandStart::ByReader);
}

// A page's script that clicks a hidden command link a thousand times from
// the reader's one click, each link run to its end before the next comes
// (the Windows control's navigation event is synchronous), then the reader's
// own clicks: each of those runs.
TEST(ReaderGesture, WithTheQueueAScriptsLoopStartsNoMoreThanTwoPrograms) {
    Clock::time_point now{};
    std::vector<std::string> ran;
    CommandQueue queue([&](const std::string& c) { ran.push_back(c); }, {}, [&] { return now; });
    ReaderGesture gesture;
    gesture.readerActed(now);
    for (int i = 0; i < 1000; ++i) {
        queue.push("EXECUTE=prog " + std::to_string(i), gesture.startOf(now));
        now += 10ms;
    }
    EXPECT_EQ(ran, (std::vector<std::string>{"EXECUTE=prog 0", "EXECUTE=prog 1"}));
    for (int i = 0; i < 3; ++i) {
        gesture.readerActed(now);
        now += 5ms;
        EXPECT_TRUE(queue.push("EXECUTE=egen " + std::to_string(i), gesture.startOf(now)));
        now += 100ms;
    }
    EXPECT_EQ(ran.size(), 5u);
}

} // namespace
} // namespace dv
