// The acceptor against workers whose threads lag: accepted connections on
// their way to a worker are descriptors too, and must stay few.

#include "ServiceAcceptor.h"
#include "AccessLog.h"
#include "ConnectionWorker.h"
#include "DocumentFolder.h"
#include "UpdateReplies.h"

#include "support/LoopbackClient.h"
#include "support/ServiceFixtures.h"

#include <gtest/gtest.h>

#include <dirent.h>

#include <sstream>
#include <thread>

namespace dv {
namespace {

using std::chrono::milliseconds;
using test::LoopbackSocket;
using test::TempFolder;

std::size_t openDescriptors() {
    std::size_t count = 0;
    if (DIR* fds = ::opendir("/proc/self/fd")) {
        while (::readdir(fds))
            ++count;
        ::closedir(fds);
    }
    return count;
}

class ServiceAcceptorTest : public ::testing::Test {
  protected:
    static constexpr std::size_t kCapacity = 4;
    TempFolder folder;
    std::ostringstream out;
    StreamLogOutput output{out};
    AccessLog log{output};
    ServiceSettings settings;
    std::unique_ptr<DocumentFolder> documents;
    std::unique_ptr<UpdateReplies> replies;
    std::vector<std::unique_ptr<ConnectionWorker>> workers;
    std::unique_ptr<ServiceAcceptor> acceptor;
    int port = -1;

    void SetUp() override {
        folder.write("ABC.xml",
                     "<dvcd><quarantine><quarantined>virus.exe</quarantined></quarantine></dvcd>");
        documents = std::make_unique<DocumentFolder>(folder.path());
        documents->refresh();
        replies = std::make_unique<UpdateReplies>(*documents, settings.cacheLifetime);
        for (int i = 0; i < 2; ++i)
            workers.push_back(
                std::make_unique<ConnectionWorker>(settings, *replies, log, kCapacity));
        acceptor = std::make_unique<ServiceAcceptor>(workers, log);
        std::string error;
        port = acceptor->listen("127.0.0.1", 0, error);
        ASSERT_GT(port, 0) << error;
    }
    void TearDown() override {
        for (auto& worker : workers)
            worker->stop();
        acceptor.reset();
        workers.clear();
    }
};

TEST_F(ServiceAcceptorTest, ALaggingWorkerHoldsTheAcceptorBackNotItsDescriptors) {
    acceptor->start();
    std::thread first([&] { workers[0]->run(); });
    // The second worker's thread has not run yet, as under a busy processor.
    const std::size_t before = openDescriptors();
    std::vector<std::unique_ptr<LoopbackSocket>> clients;
    for (int i = 0; i < 40; ++i)
        clients.push_back(std::make_unique<LoopbackSocket>(port));
    // The first worker holds its share; what waits for the second is all the
    // acceptor may have taken besides. Taking all would be done long before.
    const std::size_t allowed = kCapacity + ServiceAcceptor::kOnTheirWay + 1;
    const auto deadline = test::Clock::now() + milliseconds(500);
    std::size_t held = 0;
    while (test::Clock::now() < deadline && held <= allowed) {
        std::this_thread::sleep_for(milliseconds(10));
        held = openDescriptors() - before - clients.size();
    }
    EXPECT_LE(held, allowed);

    // Once the second worker runs, the acceptor goes on, and a newcomer is
    // answered beside the idle ones.
    std::thread second([&] { workers[1]->run(); });
    const auto answer = test::httpGet(port, "/dvcd/autoupdate.asp?discid=ABC");
    for (auto& worker : workers)
        worker->stop();
    first.join();
    second.join();
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->status, 200);
    EXPECT_LE(workers[0]->openConnections() + workers[1]->openConnections(), 2 * kCapacity);
}

} // namespace
} // namespace dv
