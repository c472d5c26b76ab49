// The update service as editors run it: the real executable on loopback.

#include "support/ChildProcess.h"
#include "support/LoopbackClient.h"
#include "support/ServiceFixtures.h"
#include "support/SlowClients.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace dv {
namespace {

namespace fs = std::filesystem;
using test::ChildProcess;
using test::httpGet;
using test::probeLatency;
using test::SlowClients;
using test::TempFolder;
using std::chrono::milliseconds;

const std::string kAbc = "<dvcd><quarantine><quarantined>virus.exe</quarantined></quarantine></dvcd>";

// The port from "serving <folder> on http://127.0.0.1:<port> ...".
int servingPort(const ChildProcess& service) {
    const auto line = service.waitForLine("serving ", milliseconds(20000));
    const std::string url = "http://127.0.0.1:";
    const std::size_t at = line ? line->find(url) : std::string::npos;
    return at == std::string::npos ? -1 : std::atoi(line->c_str() + at + url.size());
}

class ServiceProcessTest : public ::testing::Test {
protected:
    TempFolder top;
    fs::path folder = top / "docs";
    void SetUp() override {
        fs::create_directory(folder);
        top.write("docs/ABC 2004.xml", kAbc);
    }
    std::unique_ptr<ChildProcess> start(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), DVCD_UPDATE_SERVICE);
        return std::make_unique<ChildProcess>(arguments);
    }
};

TEST_F(ServiceProcessTest, PortZeroPrintsThePortItGotAndStopsCleanly) {
    auto service = start({folder.string(), "0"});
    const int port = servingPort(*service);
    ASSERT_GT(port, 0) << service->output();
    auto answer = httpGet(port, "/dvcd/autoupdate.asp?discid=ABC%202004");
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->body, kAbc);
    service->signal(SIGTERM);
    EXPECT_EQ(service->waitExit(milliseconds(10000)), 0);
    const std::string log = service->output();
    EXPECT_NE(log.find("127.0.0.1 \"GET /dvcd/autoupdate.asp?discid=ABC%202004\" 200 "), std::string::npos) << log;
    EXPECT_NE(log.find("stopping on signal 15"), std::string::npos);
}

TEST_F(ServiceProcessTest, ASecondStartOnTheSamePortFailsAndTheFirstGoesOn) {
    auto first = start({folder.string(), "0"});
    const int port = servingPort(*first);
    ASSERT_GT(port, 0);
    auto second = start({folder.string(), std::to_string(port)});
    EXPECT_EQ(second->waitExit(milliseconds(20000)), 1);
    EXPECT_NE(second->output().find("dvcd-update-service: cannot listen on http://127.0.0.1:" + std::to_string(port) +
                                    ": Address already in use"),
              std::string::npos)
        << second->output();
    EXPECT_EQ(second->output().find("serving"), std::string::npos);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(httpGet(port, "/dvcd/autoupdate.asp?discid=ABC%202004")->status, 200);
}

TEST_F(ServiceProcessTest, SixtyFourSlowClientsDoNotDelayAProbe) {
    auto service = start({folder.string(), "0"});
    const int port = servingPort(*service);
    ASSERT_GT(port, 0);
    const std::string target = "/dvcd/autoupdate.asp?discid=ABC%202004";
    const auto alone = probeLatency(port, target);
    ASSERT_TRUE(alone);
    SlowClients slow(port, 64, milliseconds(2000));
    std::this_thread::sleep_for(milliseconds(2500)); // every one has sent a second line
    const auto held = probeLatency(port, target);
    ASSERT_TRUE(held) << "no answer beside 64 slow clients";
    EXPECT_LE(held->count(), 100 + alone->count()) << "alone " << alone->count() << " ms";
}

TEST_F(ServiceProcessTest, ALongDeclarationAndAUtf16DocumentAreServedAsTheyAre) {
    const std::string padded = "<?xml version=\"1.0\"" + std::string(50000, ' ') +
                               "encoding=\"ISO-8859-1\"?><dvcd><quarantine><quarantined>x</quarantined>"
                               "</quarantine></dvcd>";
    top.write("docs/LONG.xml", padded);
    std::string utf16 = "\xFE\xFF";
    for (const char c : std::string("<dvcd><quarantine><quarantined>w</quarantined></quarantine></dvcd>")) {
        utf16 += '\0';
        utf16 += c;
    }
    top.write("docs/WIDE.xml", utf16);
    auto service = start({folder.string(), "0"});
    const int port = servingPort(*service);
    ASSERT_GT(port, 0);
    auto longOne = httpGet(port, "/dvcd/autoupdate.asp?discid=LONG");
    ASSERT_TRUE(longOne) << service->output();
    EXPECT_EQ(longOne->body, padded);
    EXPECT_EQ(longOne->header("content-type"), "text/xml; charset=ISO-8859-1");
    auto wide = httpGet(port, "/dvcd/autoupdate.asp?discid=WIDE");
    ASSERT_TRUE(wide);
    EXPECT_EQ(wide->body, utf16);
    EXPECT_EQ(wide->header("content-type"), "text/xml; charset=UTF-16");
    EXPECT_FALSE(service->waitExit(milliseconds(0))) << "the service ended";
}

TEST_F(ServiceProcessTest, UnreadableFolderAndVanishedFileAreLoggedAndServedAround) {
    top.write("real.xml", "<dvcd><quarantine><quarantined>linked.exe</quarantined></quarantine></dvcd>");
    fs::create_symlink(top / "real.xml", folder / "LINK.xml");
    auto service = start({folder.string(), "0"});
    const int port = servingPort(*service);
    ASSERT_GT(port, 0);
    fs::remove(top / "real.xml");
    ASSERT_TRUE(service->waitForLine("LINK.xml: cannot be read", milliseconds(10000))) << service->output();
    EXPECT_NE(httpGet(port, "/dvcd/autoupdate.asp?discid=LINK")->body.find("linked.exe"), std::string::npos);
    fs::rename(folder, top / "moved");
    ASSERT_TRUE(service->waitForLine("docs: cannot be read (No such file or directory)", milliseconds(10000)))
        << service->output();
    EXPECT_EQ(httpGet(port, "/dvcd/autoupdate.asp?discid=ABC%202004")->body, kAbc);
    EXPECT_NE(httpGet(port, "/dvcd/autoupdate.asp?discid=LINK")->body.find("linked.exe"), std::string::npos);
}

TEST_F(ServiceProcessTest, AFewOpenFilesStillLeaveRoomForANewClient) {
    // With so few files allowed, idle connections alone would take them all
    // and every new client would wait in the backlog until their deadlines.
    // Each worker's loop holds files of its own, so many threads leave fewer
    // for connections.
    const struct {
        const char* threads;
        const char* bound;
    } cases[] = {{"1", "24"}, {"2", "24"}, {"8", "8"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("--threads=") + c.threads);
        auto service = std::make_unique<ChildProcess>(
            std::vector<std::string>{"/bin/sh", "-c", "ulimit -n 48 && exec \"$0\" \"$@\"", DVCD_UPDATE_SERVICE,
                                     std::string("--threads=") + c.threads, folder.string(), "0"});
        const int port = servingPort(*service);
        ASSERT_GT(port, 0) << service->output();
        EXPECT_NE(service->output().find(std::string("only 48 open files allowed; at most ") + c.bound + " connections"),
                  std::string::npos)
            << service->output();
        std::vector<std::unique_ptr<test::LoopbackSocket>> idle;
        for (int i = 0; i < 100; ++i)
            idle.push_back(std::make_unique<test::LoopbackSocket>(port));
        const auto answer = httpGet(port, "/dvcd/autoupdate.asp?discid=ABC%202004");
        ASSERT_TRUE(answer) << "no answer beside 100 idle connections\n" << service->output();
        EXPECT_EQ(answer->body, kAbc);
    }
}

TEST_F(ServiceProcessTest, TooFewOpenFilesForItsThreadsEndsTheStartWithAReason) {
    auto service = std::make_unique<ChildProcess>(std::vector<std::string>{
        "/bin/sh", "-c", "ulimit -n 48 && exec \"$0\" \"$@\"", DVCD_UPDATE_SERVICE, "--threads=16", folder.string(), "0"});
    EXPECT_EQ(service->waitExit(milliseconds(20000)), 1) << service->output();
    EXPECT_NE(service->output().find("only 48 open files allowed, too few for 16 worker threads"), std::string::npos)
        << service->output();
    EXPECT_EQ(service->output().find("serving"), std::string::npos) << service->output();
}

TEST_F(ServiceProcessTest, WrongArgumentsAreRefusedWithTheUsage) {
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{}, {folder.string(), "port"}, {"--cache-seconds=x", folder.string()}}) {
        auto service = start(arguments);
        EXPECT_EQ(service->waitExit(milliseconds(20000)), 2);
        EXPECT_NE(service->output().find("usage: dvcd-update-service"), std::string::npos);
    }
}

} // namespace
} // namespace dv
