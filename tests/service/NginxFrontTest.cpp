// The nginx site shipped in service/nginx in front of the real service: it
// caches the answers (also while the service is down) and keeps slow
// clients from the service and from the other clients.

#include "support/ChildProcess.h"
#include "support/LoopbackClient.h"
#include "support/ServiceFixtures.h"
#include "support/ServiceProcess.h"
#include "support/SlowClients.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <unistd.h>

namespace dv {
namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;
using test::ChildProcess;
using test::Clock;
using test::httpGet;
using test::httpRequest;
using test::probeLatency;
using test::SlowClients;
using test::TempFolder;

const std::string kAbc =
    "<dvcd><quarantine><quarantined>virus.exe</quarantined></quarantine></dvcd>";
const std::string kTarget = "/dvcd/autoupdate.asp?discid=ABC%202004";

int freePort() {
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

std::string readFile(const fs::path& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The shipped site with its deployment lines set for this test; each must be
// found exactly once, so a changed site file fails here rather than quietly.
std::string siteFor(const fs::path& cache, int servicePort, int port) {
    std::string site = readFile(DVCD_NGINX_SITE);
    const std::pair<std::string, std::string> settings[] = {
        {"/var/lib/nginx/dvcd-cache ", cache.string() + " "},
        {"/etc/nginx/dvcd-disc-id.js;", std::string(DVCD_NGINX_DISC_ID) + ";"},
        {"server 127.0.0.1:8080;", "server 127.0.0.1:" + std::to_string(servicePort) + ";"},
        {"listen 80;", "listen 127.0.0.1:" + std::to_string(port) + ";"},
    };
    for (const auto& [from, to] : settings) {
        const std::size_t at = site.find(from);
        if (at == std::string::npos || site.find(from, at + 1) != std::string::npos)
            throw std::runtime_error("the site file no longer has one \"" + from + "\"");
        site.replace(at, from.size(), to);
    }
    return site;
}

class NginxFrontTest : public ::testing::Test {
  protected:
    TempFolder top;
    fs::path docs = top / "docs";
    std::unique_ptr<ChildProcess> service;
    std::unique_ptr<ChildProcess> nginx;
    int servicePort = -1;
    int port = -1;

    void SetUp() override {
        fs::create_directory(docs);
        top.write("docs/ABC 2004.xml", kAbc);
        top.write("docs/trasig.xml", "<dvcd><quarantine>");
        service = test::startServiceProcess({docs.string(), "0"});
        servicePort = test::servingPort(*service);
        ASSERT_GT(servicePort, 0) << service->output();

        port = freePort();
        top.write("site.conf", siteFor(top / "cache", servicePort, port));
        const fs::path work = top.path();
        // Debian's nginx.conf loads the JavaScript module from
        // modules-enabled; with a prefix of our own its path must be whole.
        std::string conf = "load_module /usr/lib/nginx/modules/ngx_http_js_module.so;\n";
        conf += "daemon off;\nworker_processes 1;\npid " + (work / "nginx.pid").string() + ";\n";
        if (::geteuid() == 0)
            conf += "user root;\n"; // workers must reach the test's private folder
        conf += "error_log " + (work / "error.log").string() +
                " info;\nevents { worker_connections 1024; }\nhttp {\n";
        for (const char* temp : {"client_body", "proxy", "fastcgi", "uwsgi", "scgi"})
            conf += "  " + std::string(temp) + "_temp_path " + (work / temp).string() + ";\n";
        conf += "  access_log " + (work / "access.log").string() + ";\n  include " +
                (work / "site.conf").string() + ";\n}\n";
        top.write("nginx.conf", conf);
        nginx = std::make_unique<ChildProcess>(
            std::vector<std::string>{DVCD_NGINX, "-e", (work / "error.log").string(), "-p",
                                     work.string(), "-c", (work / "nginx.conf").string()});
        ASSERT_TRUE(test::waitUntilListening(*nginx, port, milliseconds(20000)))
            << nginx->output() << readFile(work / "error.log");
    }
    // Requests for the target the service has logged, once it has ended.
    int serviceRequestsFor(const std::string& target) {
        service->signal(SIGTERM);
        service->waitExit(milliseconds(10000));
        std::istringstream lines(service->output());
        int n = 0;
        for (std::string line; std::getline(lines, line);)
            n += line.find("\"GET " + target + "\"") != std::string::npos ? 1 : 0;
        return n;
    }
};

TEST_F(NginxFrontTest, AnswersAreCachedAndServedWhileTheServiceIsDown) {
    auto first = httpGet(port, kTarget);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->status, 200);
    EXPECT_EQ(first->body, kAbc);
    EXPECT_EQ(first->header("x-cache-status"), "MISS");
    const std::string tag = first->header("etag");
    EXPECT_FALSE(tag.empty());
    for (int i = 0; i < 5; ++i) {
        auto again = httpGet(port, kTarget);
        EXPECT_EQ(again->header("x-cache-status"), "HIT");
        EXPECT_EQ(again->body, kAbc);
        EXPECT_EQ(again->header("etag"), tag);
        EXPECT_EQ(again->header("cache-control"), "public, max-age=300");
    }
    auto head = httpRequest(port, "HEAD", kTarget);
    EXPECT_EQ(head->status, 200);
    EXPECT_EQ(head->header("x-cache-status"), "HIT");
    auto notModified = httpGet(port, kTarget, "If-None-Match: " + tag + "\r\n");
    EXPECT_EQ(notModified->status, 304);
    // A document being repaired is never cached: both reach the service.
    EXPECT_EQ(httpGet(port, "/dvcd/autoupdate.asp?discid=trasig")->status, 503);
    EXPECT_EQ(httpGet(port, "/dvcd/autoupdate.asp?discid=trasig")->status, 503);

    EXPECT_EQ(serviceRequestsFor(kTarget), 1);
    EXPECT_EQ(serviceRequestsFor("/dvcd/autoupdate.asp?discid=trasig"), 2);
    // The service has ended; the readers still get the disc's document.
    auto down = httpGet(port, kTarget);
    ASSERT_TRUE(down);
    EXPECT_EQ(down->status, 200);
    EXPECT_EQ(down->body, kAbc);
    EXPECT_EQ(down->header("x-cache-status"), "HIT");
}

TEST_F(NginxFrontTest, SlowClientsAreCutAndDoNotDelayTheOthers) {
    const auto alone = probeLatency(port, kTarget);
    ASSERT_TRUE(alone);
    SlowClients slow(port, 64, milliseconds(2000));
    ASSERT_TRUE(
        slow.waitForLines(1, milliseconds(10000))); // every one is half way through its header
    const auto held = probeLatency(port, kTarget);
    ASSERT_TRUE(held);
    EXPECT_LE(held->count(), 100 + alone->count()) << "alone " << alone->count() << " ms";
    // client_header_timeout 10s holds for the whole header.
    test::waitUntil([&] { return slow.cut() == 64; }, milliseconds(20000), milliseconds(100));
    EXPECT_EQ(slow.cut(), 64);
    ASSERT_TRUE(slow.firstCut());
    EXPECT_GE(slow.firstCut()->count(), 9000);
    // None of them reached the service.
    EXPECT_EQ(serviceRequestsFor("/dvcd/autoupdate.asp?discid=slow"), 0);
}

TEST_F(NginxFrontTest, TheCacheKeyIsTheDiscIdAsTheServiceReadsIt) {
    top.write("docs/R&D.xml",
              "<dvcd><quarantine><quarantined>rd.exe</quarantined></quarantine></dvcd>");
    top.write("docs/R.xml",
              "<dvcd><quarantine><quarantined>r.exe</quarantined></quarantine></dvcd>");
    ::kill(service->pid(), SIGHUP);
    ASSERT_TRUE(service->waitForLine("the documents folder read again", milliseconds(10000)));
    const struct {
        std::string query;
        std::string holds;
        std::string cache;
    } cases[] = {
        {"discid=ABC%202004", "virus.exe", "MISS"},
        {"discid=ABC%202004&x=1", "virus.exe", "HIT"},
        {"discid=ABC%202004&x=2", "virus.exe", "HIT"},
        {"x=3&discid=ABC%202004", "virus.exe", "HIT"},
        {"discid=ABC%20%32004", "virus.exe", "HIT"},
        {"discid=%41BC%202004", "virus.exe", "HIT"},
        {"discid=R&D", "rd.exe", "MISS"}, // an older disc's label with an '&'
        {"discid=R%26D", "rd.exe", "HIT"},
        {"discid=R", "r.exe", "MISS"},
        {"discid=R&x=1", "r.exe", "HIT"},
    };
    for (const auto& c : cases) {
        const auto answer = httpGet(port, "/dvcd/autoupdate.asp?" + c.query);
        ASSERT_TRUE(answer) << c.query;
        EXPECT_EQ(answer->status, 200) << c.query;
        EXPECT_NE(answer->body.find(c.holds), std::string::npos) << c.query << ": " << answer->body;
        EXPECT_EQ(answer->header("x-cache-status"), c.cache) << c.query;
    }
    EXPECT_EQ(serviceRequestsFor(kTarget), 1);
}

} // namespace
} // namespace dv
