#include "core/browser/CommandQueue.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace dv {
namespace {

// An event loop of its own: posted calls wait until the test turns it.
struct Loop {
    std::vector<std::function<void()>> posted;
    CommandQueue::Post post() {
        return [this](std::function<void()> call) { posted.push_back(std::move(call)); };
    }
    void turn() {
        while (!posted.empty()) {
            auto call = std::move(posted.front());
            posted.erase(posted.begin());
            call();
        }
    }
};

using namespace std::chrono_literals;

TEST(CommandQueue, AScriptsBurstStartsOneCommand) {
    Loop loop;
    std::vector<std::string> ran;
    CommandQueue::Clock::time_point now{};
    CommandQueue queue([&](const std::string& c) { ran.push_back(c); }, loop.post(),
                       [&] { return now; });
    int taken = 0;
    for (int i = 0; i < 1000; ++i) {
        taken += queue.offer("EXECUTE=prog " + std::to_string(i), CommandStart::ByScript) ? 1 : 0;
        if (i % 10 == 0)
            loop.turn(); // the engine's callbacks and the loop's turns interleave
        now += 1ms;
    }
    EXPECT_EQ(taken, 1);
    loop.turn();
    EXPECT_EQ(ran, (std::vector<std::string>{"EXECUTE=prog 0"}));
    // The burst lasted a second: it takes a pause after its last try before
    // the script may start the next.
    now += CommandQueue::kScriptPause - 2ms;
    EXPECT_FALSE(queue.offer("EXECUTE=early", CommandStart::ByScript));
    now += CommandQueue::kScriptPause;
    EXPECT_TRUE(queue.offer("EXECUTE=next", CommandStart::ByScript));
    EXPECT_FALSE(queue.offer("EXECUTE=after", CommandStart::ByScript));
    loop.turn();
    EXPECT_EQ(ran.back(), "EXECUTE=next");
}

TEST(CommandQueue, NothingRunsInsideTheCallThatOffers) {
    Loop loop;
    std::vector<std::string> ran;
    CommandQueue queue([&](const std::string& c) { ran.push_back(c); }, loop.post());
    EXPECT_TRUE(queue.offer("QUIT", CommandStart::ByReader));
    EXPECT_TRUE(ran.empty());
    loop.turn();
    EXPECT_EQ(ran, (std::vector<std::string>{"QUIT"}));
}

TEST(CommandQueue, WhileAProgramStartsOnlyTheReadersClicksAreTaken) {
    struct Case {
        CommandStart start;
        bool taken;
    };
    const Case cases[] = {{CommandStart::ByScript, false}, {CommandStart::ByReader, true}};
    for (const Case& c : cases) {
        std::vector<std::string> ran;
        CommandQueue* self = nullptr;
        bool answer = !c.taken;
        CommandQueue queue([&](const std::string& command) {
            ran.push_back(command);
            if (command == "first") // as if the waiting window's event loop let another through
                answer = self->push("second", c.start);
        });
        self = &queue;
        EXPECT_TRUE(queue.push("first", CommandStart::ByReader));
        EXPECT_EQ(answer, c.taken);
        EXPECT_EQ(ran.size(), c.taken ? 2u : 1u);
    }
}

TEST(CommandQueue, TheReadersClicksAreNeverRefused) {
    Loop loop;
    std::vector<std::string> ran;
    CommandQueue queue([&](const std::string& c) { ran.push_back(c); }, loop.post());
    EXPECT_TRUE(queue.offer("a", CommandStart::ByScript));
    EXPECT_TRUE(queue.offer("b", CommandStart::ByReader));
    EXPECT_FALSE(queue.offer("c", CommandStart::ByScript));
    EXPECT_TRUE(queue.offer("d", CommandStart::ByReader));
    EXPECT_EQ(loop.posted.size(), 1u);
    loop.turn();
    EXPECT_EQ(ran, (std::vector<std::string>{"a", "b", "d"}));
}

} // namespace
} // namespace dv
