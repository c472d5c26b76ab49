// The update service as editors run it: the real executable on loopback.

#include "support/ServiceProcess.h"
#include "support/ChildProcess.h"
#include "support/LoopbackClient.h"
#include "support/ServiceFixtures.h"
#include "support/SlowClients.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>

namespace dv {
namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;
using test::ChildProcess;
using test::httpGet;
using test::probeLatency;
using test::servingPort;
using test::SlowClients;
using test::TempFolder;

const std::string kAbc =
    "<dvcd><quarantine><quarantined>virus.exe</quarantined></quarantine></dvcd>";

class ServiceProcessTest : public ::testing::Test {
  protected:
    TempFolder top;
    fs::path folder = top / "docs";
    void SetUp() override {
        fs::create_directory(folder);
        top.write("docs/ABC 2004.xml", kAbc);
    }
    std::unique_ptr<ChildProcess> start(std::vector<std::string> arguments) {
        return test::startServiceProcess(std::move(arguments));
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
    EXPECT_NE(log.find("127.0.0.1 \"GET /dvcd/autoupdate.asp?discid=ABC%202004\" 200 "),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("stopping on signal 15"), std::string::npos);
}

TEST_F(ServiceProcessTest, ASecondStartOnTheSamePortFailsAndTheFirstGoesOn) {
    auto first = start({folder.string(), "0"});
    const int port = servingPort(*first);
    ASSERT_GT(port, 0);
    auto second = start({folder.string(), std::to_string(port)});
    EXPECT_EQ(second->waitExit(milliseconds(20000)), 1);
    EXPECT_NE(second->output().find("dvcd-update-service: cannot listen on http://127.0.0.1:" +
                                    std::to_string(port) + ": Address already in use"),
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
    SlowClients slow(port, 64, milliseconds(500));
    ASSERT_TRUE(
        slow.waitForLines(1, milliseconds(10000))); // every one is half way through its header
    const auto held = probeLatency(port, target);
    ASSERT_TRUE(held) << "no answer beside 64 slow clients";
    EXPECT_LE(held->count(), 100 + alone->count()) << "alone " << alone->count() << " ms";
}

TEST_F(ServiceProcessTest, ALongDeclarationAndAUtf16DocumentAreServedAsTheyAre) {
    const std::string padded =
        "<?xml version=\"1.0\"" + std::string(50000, ' ') +
        "encoding=\"ISO-8859-1\"?><dvcd><quarantine><quarantined>x</quarantined>"
        "</quarantine></dvcd>";
    top.write("docs/LONG.xml", padded);
    std::string utf16 = "\xFE\xFF";
    for (const char c :
         std::string("<dvcd><quarantine><quarantined>w</quarantined></quarantine></dvcd>")) {
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
    // The program reads a declaration in its first 256 characters only, so
    // this one as UTF-8, and the header says so.
    EXPECT_EQ(longOne->header("content-type"), "text/xml; charset=UTF-8");
    auto wide = httpGet(port, "/dvcd/autoupdate.asp?discid=WIDE");
    ASSERT_TRUE(wide);
    EXPECT_EQ(wide->body, utf16);
    EXPECT_EQ(wide->header("content-type"), "text/xml; charset=UTF-16");
    EXPECT_FALSE(service->waitExit(milliseconds(0))) << "the service ended";
}

TEST_F(ServiceProcessTest, UnreadableFolderAndVanishedFileAreLoggedAndServedAround) {
    fs::create_directory(folder / "kept");
    top.write("docs/kept/real.xml",
              "<dvcd><quarantine><quarantined>linked.exe</quarantined></quarantine></dvcd>");
    fs::create_symlink("kept/real.xml", folder / "LINK.xml");
    auto service = start({folder.string(), "0"});
    const int port = servingPort(*service);
    ASSERT_GT(port, 0);
    // A change in a subfolder is no change of the folder's own: the admin
    // says so with SIGHUP.
    fs::remove(folder / "kept/real.xml");
    service->signal(SIGHUP);
    ASSERT_TRUE(service->waitForLine("LINK.xml: cannot be read", milliseconds(10000)))
        << service->output();
    EXPECT_NE(httpGet(port, "/dvcd/autoupdate.asp?discid=LINK")->body.find("linked.exe"),
              std::string::npos);
    fs::rename(folder, top / "moved");
    ASSERT_TRUE(service->waitForLine("docs: cannot be read (No such file or directory)",
                                     milliseconds(10000)))
        << service->output();
    EXPECT_EQ(httpGet(port, "/dvcd/autoupdate.asp?discid=ABC%202004")->body, kAbc);
    EXPECT_NE(httpGet(port, "/dvcd/autoupdate.asp?discid=LINK")->body.find("linked.exe"),
              std::string::npos);
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
        auto service = std::make_unique<ChildProcess>(std::vector<std::string>{
            "/bin/sh", "-c", "ulimit -n 48 && exec \"$0\" \"$@\"", DVCD_UPDATE_SERVICE,
            std::string("--threads=") + c.threads, folder.string(), "0"});
        const int port = servingPort(*service);
        ASSERT_GT(port, 0) << service->output();
        EXPECT_NE(service->output().find(std::string("only 48 open files allowed; at most ") +
                                         c.bound + " connections"),
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
    auto service = std::make_unique<ChildProcess>(
        std::vector<std::string>{"/bin/sh", "-c", "ulimit -n 48 && exec \"$0\" \"$@\"",
                                 DVCD_UPDATE_SERVICE, "--threads=16", folder.string(), "0"});
    EXPECT_EQ(service->waitExit(milliseconds(20000)), 1) << service->output();
    EXPECT_NE(service->output().find("only 48 open files allowed, too few for 16 worker threads"),
              std::string::npos)
        << service->output();
    EXPECT_EQ(service->output().find("serving"), std::string::npos) << service->output();
}

TEST_F(ServiceProcessTest, WrongArgumentsAreRefusedWithTheUsage) {
    for (const std::vector<std::string>& arguments : {std::vector<std::string>{},
                                                      {folder.string(), "port"},
                                                      {"--cache-seconds=x", folder.string()}}) {
        auto service = start(arguments);
        EXPECT_EQ(service->waitExit(milliseconds(20000)), 2);
        EXPECT_NE(service->output().find("usage: dvcd-update-service"), std::string::npos);
    }
}

TEST_F(ServiceProcessTest, SignalsAnAdminSendsAreAnsweredNotDiedOf) {
    auto service = start({folder.string(), "0"});
    const int port = servingPort(*service);
    ASSERT_GT(port, 0);
    for (const int number : {SIGPIPE, SIGUSR1, SIGUSR2})
        service->signal(number);
    ASSERT_TRUE(service->waitForLine("state: ", milliseconds(10000))) << service->output();
    top.write("docs/NEW.xml", kAbc);
    service->signal(SIGHUP);
    ASSERT_TRUE(service->waitForLine("reading the documents folder again, as asked (SIGHUP)",
                                     milliseconds(10000)))
        << service->output();
    ASSERT_TRUE(service->waitForLine("the documents folder read again: 2 documents served",
                                     milliseconds(10000)))
        << service->output();
    EXPECT_EQ(httpGet(port, "/dvcd/autoupdate.asp?discid=NEW")->body, kAbc);
    EXPECT_FALSE(service->waitExit(milliseconds(0))) << service->output();
    service->signal(SIGINT);
    EXPECT_EQ(service->waitExit(milliseconds(20000)), 0) << service->output();
}

TEST_F(ServiceProcessTest, OnSigtermEveryRequestAlreadySentIsAnswered) {
    auto service = start({folder.string(), "0"});
    const int port = servingPort(*service);
    ASSERT_GT(port, 0);
    const std::string request =
        "GET /dvcd/autoupdate.asp?discid=ABC%202004 HTTP/1.1\r\nHost: t\r\n\r\n";
    std::vector<std::unique_ptr<test::LoopbackSocket>> clients;
    for (int i = 0; i < 500; ++i)
        clients.push_back(std::make_unique<test::LoopbackSocket>(port));
    auto slow = std::make_unique<test::LoopbackSocket>(port);
    slow->send("GET /dvcd/autoupdate.asp?discid=ABC%202004 HTTP/1.1\r\n"); // never finished
    auto idle = std::make_unique<test::LoopbackSocket>(port);
    idle->send(request);
    ASSERT_TRUE(idle->answer(milliseconds(5000)));
    for (auto& client : clients)
        client->send(request);
    service->signal(SIGTERM);
    int answered = 0;
    for (auto& client : clients) {
        const auto answer = client->answer(milliseconds(10000));
        answered += answer && answer->status == 200 && answer->body == kAbc ? 1 : 0;
    }
    EXPECT_EQ(answered, 500);
    EXPECT_TRUE(idle->closedWithin(milliseconds(5000))) << "an idle connection is closed at once";
    EXPECT_EQ(service->waitExit(milliseconds(20000)), 0) << service->output();
    EXPECT_TRUE(slow->closedWithin(milliseconds(1000)));
    EXPECT_NE(service->output().find("stopped: 1 connections still reading a request were cut"),
              std::string::npos)
        << service->output();
}

// The service with its standard output on a pipe nobody reads, as a stuck
// journald or a paused terminal leaves it.
class StuckOutput {
  public:
    StuckOutput(const std::vector<std::string>& arguments) {
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC) != 0)
            throw std::runtime_error("pipe");
        ::fcntl(fds[0], F_SETPIPE_SZ, 4096);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
        posix_spawn_file_actions_adddup2(&actions, fds[1], 2);
        std::vector<char*> argv;
        for (const std::string& a : arguments)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0)
            throw std::runtime_error("spawn");
        posix_spawn_file_actions_destroy(&actions);
        ::close(fds[1]);
        read_ = fds[0];
    }
    ~StuckOutput() {
        if (!exit_) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        ::close(read_);
    }
    StuckOutput(const StuckOutput&) = delete;
    StuckOutput& operator=(const StuckOutput&) = delete;

    // What has been written so far, read now.
    std::string drain() {
        std::string text;
        char chunk[65536];
        pollfd p{read_, POLLIN, 0};
        while (::poll(&p, 1, 100) > 0) {
            const ssize_t got = ::read(read_, chunk, sizeof chunk);
            if (got <= 0)
                break;
            text.append(chunk, static_cast<std::size_t>(got));
        }
        return text;
    }
    std::optional<int> waitExit(milliseconds wait) {
        test::waitUntil(
            [&] {
                int status = 0;
                if (!exit_ && ::waitpid(pid_, &status, WNOHANG) == pid_)
                    exit_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
                return exit_.has_value();
            },
            wait);
        return exit_;
    }
    pid_t pid() const { return pid_; }
    // The room the pipe has: a reader that keeps up, or one that is stuck.
    void room(int bytes) { ::fcntl(read_, F_SETPIPE_SZ, bytes); }

  private:
    pid_t pid_ = -1;
    int read_ = -1;
    std::optional<int> exit_;
};

int freeLoopbackPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    socklen_t size = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size);
    ::close(fd);
    return ntohs(address.sin_port);
}

// Requests in batches on one connection; how many were answered.
int pipelined(int port, int count, const std::string& id) {
    test::LoopbackSocket socket(port);
    const std::string request =
        "GET /dvcd/autoupdate.asp?discid=" + id + " HTTP/1.1\r\nHost: t\r\n\r\n";
    int answered = 0;
    for (int sent = 0; sent < count; sent += 50) {
        std::string batch;
        for (int i = 0; i < 50; ++i)
            batch += request;
        socket.send(batch);
        for (int i = 0; i < 50; ++i)
            answered += socket.answer(milliseconds(5000)) ? 1 : 0;
    }
    return answered;
}

TEST_F(ServiceProcessTest, AStuckLogHoldsNothingUpAndSaysWhatItDropped) {
    const int port = freeLoopbackPort();
    StuckOutput service({DVCD_UPDATE_SERVICE, folder.string(), std::to_string(port)});
    const auto answers = [&] {
        try {
            return httpGet(port, "/dvcd/autoupdate.asp?discid=ABC%202004").has_value();
        } catch (const std::exception&) {
            return false; // not listening yet
        }
    };
    ASSERT_TRUE(test::waitUntil(answers, milliseconds(20000), milliseconds(50)));
    // Some 1.3 MB of log lines, past the backlog, into a pipe of 4 KiB.
    const std::string id(300, 'x');
    EXPECT_EQ(pipelined(port, 4500, id), 4500);
    const auto answer = httpGet(port, "/dvcd/autoupdate.asp?discid=ABC%202004");
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->body, kAbc);
    // Read again: the next line comes after the count of those dropped.
    service.room(1024 * 1024);
    std::string log = service.drain();
    const auto until = test::Clock::now() + milliseconds(10000);
    while (log.find("log lines dropped here") == std::string::npos && test::Clock::now() < until) {
        httpGet(port, "/dvcd/autoupdate.asp?discid=after");
        log += service.drain();
    }
    EXPECT_NE(log.find("log lines dropped here: the output did not take them in time"),
              std::string::npos)
        << log.substr(0, 2000);
    // Stuck again, and stopped.
    service.drain();
    service.room(4096);
    EXPECT_EQ(pipelined(port, 1500, id), 1500);
    ::kill(service.pid(), SIGTERM);
    EXPECT_EQ(service.waitExit(milliseconds(20000)), 0);
}

} // namespace
} // namespace dv
