#include "win32/update/ThreadPlanReading.h"

#include "Win32MessagePump.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace dv::win32 {
namespace {

using namespace std::chrono_literals;

std::string quarantining(const std::string& entry, std::size_t padding = 0) {
    return "<d><quarantine><quarantined>" + entry + "</quarantined></quarantine><!--" +
           std::string(padding, 'x') + "--></d>";
}

// Plans come back on this thread, in the order their answers came, a large
// document first or not.
TEST(ThreadPlanReading, PlansInOrderOnThisThread) {
    ThreadPlanReading reading;
    std::vector<std::string> order;
    std::vector<DWORD> threads;
    const auto note = [&](UpdatePlan plan) {
        order.push_back(plan.failedIn == UpdatePlan::Part::None && !plan.quarantine.empty()
                            ? plan.quarantine[0]
                            : "failed");
        threads.push_back(GetCurrentThreadId());
    };
    reading.read(quarantining("stor.exe", 1000000), note);
    reading.read(quarantining("liten.exe"), note);
    reading.read("<html>", note);
    EXPECT_TRUE(order.empty()); // never before the loop runs
    ASSERT_TRUE(test::pumpUntil([&] { return order.size() == 3; }, 20s));
    EXPECT_EQ(order, (std::vector<std::string>{"stor.exe", "liten.exe", "failed"}));
    for (const DWORD thread : threads)
        EXPECT_EQ(thread, GetCurrentThreadId());
}

TEST(ThreadPlanReading, GoingAwayDropsWhatIsUnderWay) {
    bool planned = false;
    {
        ThreadPlanReading reading;
        reading.read(quarantining("stor.exe", 1000000), [&](UpdatePlan) { planned = true; });
    }
    // Gone, it has stopped its worker: whatever that had posted is handled now.
    EXPECT_TRUE(test::handlePosted());
    EXPECT_FALSE(planned);
}

} // namespace
} // namespace dv::win32
