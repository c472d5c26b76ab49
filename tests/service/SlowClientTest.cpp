// Slow and idle clients against the service in this process: they hold
// sockets, never the threads that answer the others, and they are cut when
// their deadlines pass.

#include "UpdateService.h"

#include "support/LoopbackClient.h"
#include "support/ServiceFixtures.h"
#include "support/SlowClients.h"

#include <gtest/gtest.h>

namespace dv {
namespace {

using std::chrono::milliseconds;
using test::Clock;
using test::LoopbackSocket;
using test::probeLatency;
using test::RunningService;
using test::SlowClients;
using test::TempFolder;

const std::string kTarget = "/dvcd/autoupdate.asp?discid=ABC";

class SlowClientTest : public ::testing::Test {
  protected:
    TempFolder folder;
    void SetUp() override {
        folder.write("ABC.xml",
                     "<dvcd><quarantine><quarantined>virus.exe</quarantined></quarantine></dvcd>");
    }
};

TEST_F(SlowClientTest, SixtyFourHeldConnectionsDoNotDelayAProbe) {
    RunningService service(folder.path());
    // What a probe costs on this machine right now, with nothing held.
    const auto alone = probeLatency(service.port(), kTarget);
    ASSERT_TRUE(alone);
    SlowClients slow(service.port(), 64, milliseconds(2000));
    // All of them in and waiting.
    ASSERT_TRUE(test::waitUntil([&] { return service.service().openConnections() >= 64U; },
                                milliseconds(10000)));
    const auto held = probeLatency(service.port(), kTarget);
    ASSERT_TRUE(held) << "no answer beside 64 slow clients";
    EXPECT_LE(held->count(), 100 + alone->count()) << "alone " << alone->count() << " ms";
    EXPECT_EQ(slow.cut(), 0); // well within their header deadline
    EXPECT_GE(service.service().openConnections(), 64U);
}

TEST_F(SlowClientTest, AHeaderLineEveryTwoSecondsIsCutAtTheHeaderDeadline) {
    RunningService service(folder.path(), ServiceSettings{.headerTimeout = milliseconds(3000)});
    SlowClients slow(service.port(), 4, milliseconds(2000));
    test::waitUntil([&] { return slow.cut() == 4; }, milliseconds(10000), milliseconds(50));
    ASSERT_EQ(slow.cut(), 4) << "an idle timeout alone never cuts a client that keeps sending";
    const auto first = slow.firstCut();
    ASSERT_TRUE(first);
    EXPECT_GE(first->count(), 2900); // not before its deadline
    EXPECT_TRUE(service.log().waitFor("127.0.0.1 \"-\" 408 0", milliseconds(3000)))
        << service.log().text();
}

TEST_F(SlowClientTest, AKeptAliveConnectionMayIdleOnlySoLong) {
    RunningService service(folder.path(), ServiceSettings{.idleTimeout = milliseconds(1000)});
    LoopbackSocket socket(service.port());
    socket.send("GET " + kTarget + " HTTP/1.1\r\nHost: x\r\n\r\n");
    ASSERT_TRUE(socket.answer(milliseconds(5000)));
    const auto answered = Clock::now();
    EXPECT_FALSE(socket.closedWithin(milliseconds(700)));
    EXPECT_TRUE(socket.closedWithin(milliseconds(5000)));
    EXPECT_GE(Clock::now() - answered, milliseconds(900));
}

TEST_F(SlowClientTest, ASlowBodyIsCutAtTheBodyDeadline) {
    RunningService service(folder.path(), ServiceSettings{.bodyTimeout = milliseconds(1000)});
    LoopbackSocket socket(service.port());
    socket.send("GET " + kTarget + " HTTP/1.1\r\nHost: x\r\nContent-Length: 100\r\n\r\n");
    bool cut = false;
    const auto start = Clock::now();
    for (int i = 0; i < 20 && !cut; ++i) {
        socket.send("x");
        cut = socket.closedWithin(milliseconds(400));
    }
    EXPECT_TRUE(cut);
    EXPECT_LT(Clock::now() - start, milliseconds(7000));
}

TEST_F(SlowClientTest, AtTheConnectionBoundTheLongestWaitingMakeRoom) {
    ServiceSettings settings;
    settings.maxConnections = 16;
    settings.threads = 1;
    RunningService service(folder.path(), settings);
    std::vector<std::unique_ptr<LoopbackSocket>> idle;
    for (int i = 0; i < 40; ++i)
        idle.push_back(std::make_unique<LoopbackSocket>(service.port()));
    const auto answer = test::httpGet(service.port(), kTarget);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->status, 200);
    EXPECT_LE(service.service().openConnections(), 16U);
    // The first ones in were the ones closed.
    int closed = 0;
    for (auto& socket : idle)
        closed += socket->closedWithin(milliseconds(50)) ? 1 : 0;
    EXPECT_GE(closed, 40 - 16 + 1);
    EXPECT_TRUE(idle.front()->closedWithin(milliseconds(10)));
    EXPECT_TRUE(service.log().waitFor("at the bound of 16 connections: ", milliseconds(5000)));
}

} // namespace
} // namespace dv
