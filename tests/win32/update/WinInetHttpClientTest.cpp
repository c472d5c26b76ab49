#include "win32/update/WinInetHttpClient.h"

#include "core/update/UpdateRequest.h"
#include "core/update/XmlDocument.h"

#include "LoopbackHttpServer.h"
#include "Win32MessagePump.h"

#include <gtest/gtest.h>

#include <optional>

#include <wininet.h>

namespace dv::win32 {
namespace {

using namespace std::chrono_literals;
using test::LoopbackHttpServer;
using Clock = std::chrono::steady_clock;

// One answer, and where and when it came.
struct Answer {
    std::optional<std::string> body;
    int status = -1;
    DWORD thread = 0;
    Clock::time_point at;

    std::function<void(HttpAnswer)> receiver() {
        return [this](HttpAnswer a) {
            EXPECT_FALSE(body) << "answered twice";
            if (a.status == 0) {
                EXPECT_EQ(a.body, "") << "no answer carries no body";
            }
            body = std::move(a.body);
            status = a.status;
            thread = GetCurrentThreadId();
            at = Clock::now();
        };
    }
    bool wait(std::chrono::milliseconds limit = 10s) {
        return test::pumpUntil([this] { return body.has_value(); }, limit);
    }
};

std::string requestLine(const std::string& head) {
    return head.substr(0, head.find("\r\n"));
}

TEST(WinInetHttpClient, TheBodyAsServedOnThisThread) {
    LoopbackHttpServer server([](auto& c) { c.answer(200, "<dvcd>\r\n  <popup/>\n</dvcd>"); });
    WinInetHttpClient client;
    Answer answer;
    client.get(server.base() + "/dvcd/autoupdate.asp?discid=ABC 2004", kMaxXmlDocumentBytes,
               answer.receiver());
    EXPECT_FALSE(answer.body); // never before the loop runs
    ASSERT_TRUE(answer.wait());
    EXPECT_EQ(*answer.body, "<dvcd>\r\n  <popup/>\n</dvcd>");
    EXPECT_EQ(answer.thread, GetCurrentThreadId());
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(requestLine(server.requests()[0]),
              "GET /dvcd/autoupdate.asp?discid=ABC%202004 HTTP/1.1");
}

// An error answer comes as served, with its status, which alone tells a
// 404 or 500 that carries a well-formed document from the document.
TEST(WinInetHttpClient, ErrorAnswersComeAsServedWithTheirStatus) {
    const std::pair<int, std::string> cases[] = {
        {200, "<dvcd/>"},
        {204, ""},
        {403, "<?xml version=\"1.0\"?><Error><Code>AccessDenied</Code></Error>"},
        {404, "<dvcd/>"},
        {500, "<dvcd><quarantine/></dvcd>"},
        {503, "<html>Fel</html>"},
    };
    for (const auto& [status, page] : cases) {
        LoopbackHttpServer server([&](auto& c) { c.answer(status, page); });
        WinInetHttpClient client;
        Answer answer;
        client.get(server.base() + "/x", kMaxXmlDocumentBytes, answer.receiver());
        ASSERT_TRUE(answer.wait());
        EXPECT_EQ(answer.status, status);
        EXPECT_EQ(*answer.body, page);
    }
}

// A label's dot segments stay in the id: WinINet resolves them in the
// whole address, query included.
TEST(WinInetHttpClient, ALabelCannotMoveTheRequestsPath) {
    const std::pair<const char*, const char*> cases[] = {
        {"a/../../b", "GET /dvcd/autoupdate.asp?discid=a%2F%2E%2E%2F%2E%2E%2Fb HTTP/1.1"},
        {"/..", "GET /dvcd/autoupdate.asp?discid=%2F%2E%2E HTTP/1.1"},
        {"x/./../y", "GET /dvcd/autoupdate.asp?discid=x%2F%2E%2F%2E%2E%2Fy HTTP/1.1"},
    };
    for (const auto& [label, line] : cases) {
        LoopbackHttpServer server([](auto& c) { c.answer(200, "<dvcd/>"); });
        WinInetHttpClient client;
        Answer answer;
        client.get(updateRequestUrl(server.base(), label), kMaxXmlDocumentBytes, answer.receiver());
        ASSERT_TRUE(answer.wait());
        ASSERT_FALSE(server.requests().empty());
        EXPECT_EQ(requestLine(server.requests()[0]), line);
    }
}

TEST(WinInetHttpClient, ABodyCutShortIsAFailure) {
    LoopbackHttpServer server([](auto& c) {
        c.send("HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n<dvcd><popup/></dvcd>");
    });
    WinInetHttpClient client;
    Answer answer;
    client.get(server.base() + "/cut", kMaxXmlDocumentBytes, answer.receiver());
    ASSERT_TRUE(answer.wait());
    EXPECT_EQ(*answer.body, "");
    EXPECT_EQ(answer.status, 0);
}

TEST(WinInetHttpClient, NeverFromTheCacheNorIntoIt) {
    std::atomic<int> served{0};
    LoopbackHttpServer server([&](auto& c) {
        c.answer(
            200, "svar " + std::to_string(++served),
            "Cache-Control: public, max-age=86400\r\nExpires: Fri, 01 Jan 2100 00:00:00 GMT\r\n");
    });
    WinInetHttpClient client;
    const std::string url = server.base() + "/dvcd/autoupdate.asp?discid=A";
    for (const char* expected : {"svar 1", "svar 2"}) {
        Answer answer;
        client.get(url, kMaxXmlDocumentBytes, answer.receiver());
        ASSERT_TRUE(answer.wait());
        EXPECT_EQ(*answer.body, expected);
    }
    EXPECT_EQ(served, 2);
    for (const std::string& head : server.requests())
        EXPECT_NE(head.find("\r\nPragma: no-cache\r\n"), std::string::npos) << head;
    DWORD size = 0;
    EXPECT_FALSE(
        GetUrlCacheEntryInfoW(std::wstring(url.begin(), url.end()).c_str(), nullptr, &size));
    EXPECT_EQ(GetLastError(), DWORD{ERROR_FILE_NOT_FOUND});
}

TEST(WinInetHttpClient, TheSizeLimit) {
    const std::string limit(kMaxXmlDocumentBytes, 'x');
    struct Case {
        const char* what;
        std::function<void(LoopbackHttpServer::Connection&)> serve;
        bool delivered;
    };
    const Case cases[] = {
        {"exactly the limit", [&](auto& c) { c.answer(200, limit); }, true},
        {"one byte more", [&](auto& c) { c.answer(200, limit + "y"); }, false},
        {"announced too long, never sent",
         [](auto& c) {
             c.send("HTTP/1.1 200 OK\r\nContent-Length: 2000000000\r\n\r\n<dvcd>");
             c.wait(20s);
         },
         false},
        {"without a length, one byte more",
         [&](auto& c) {
             c.send("HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n");
             c.send(limit + "y");
         },
         false},
        // Refused at its headers and answered then, though the whole of it
        // comes quickly (closing the request reads what keeps coming).
        {"announced too long, sent at once",
         [](auto& c) {
             c.send("HTTP/1.1 200 OK\r\nContent-Length: 52428800\r\n\r\n");
             const std::string chunk(65536, 'z');
             for (int i = 0; i < 800 && c.send(chunk); ++i) {
             }
         },
         false},
        {"without a length, endless",
         [](auto& c) {
             c.send("HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n");
             const std::string chunk(65536, 'z');
             while (c.send(chunk)) {
             }
         },
         false},
    };
    for (const Case& c : cases) {
        LoopbackHttpServer server(c.serve);
        WinInetHttpClient client;
        // A deadline far beyond the wait below: an answer within the wait
        // is the client's own stop, also on a loaded machine.
        client.setDeadline(60s);
        Answer answer;
        client.get(server.base() + "/big", kMaxXmlDocumentBytes, answer.receiver());
        ASSERT_TRUE(answer.wait(30s)) << c.what << ": not stopped before the deadline";
        EXPECT_EQ(*answer.body, c.delivered ? limit : std::string()) << c.what;
        EXPECT_EQ(answer.status, c.delivered ? 200 : 0) << c.what;
    }
}

// The deadline is for the whole request: a server that sends a byte now
// and then cannot keep it open, nor can one that never answers. Its
// connection is closed then, not left to run.
TEST(WinInetHttpClient, OneDeadlineForTheWholeRequest) {
    std::atomic<long long> closedAfterMs{-1};
    const auto start = Clock::now();
    const auto noteClose = [&] {
        closedAfterMs =
            std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    };
    const std::function<void(LoopbackHttpServer::Connection&)> servers[] = {
        [&](auto& c) {
            if (!c.wait(30s))
                noteClose();
        },
        [&](auto& c) {
            c.send("HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n");
            while (c.send("x") && c.wait(100ms)) {
            }
            noteClose();
        },
    };
    for (const auto& serve : servers) {
        closedAfterMs = -1;
        LoopbackHttpServer server(serve);
        WinInetHttpClient client;
        client.setDeadline(1500ms);
        Answer answer;
        const auto begun = Clock::now();
        client.get(server.base() + "/slow", kMaxXmlDocumentBytes, answer.receiver());
        ASSERT_TRUE(answer.wait());
        EXPECT_EQ(*answer.body, "");
        EXPECT_GE(answer.at - begun, 1400ms);
        EXPECT_LT(answer.at - begun, 4s);
        // The reader's own end brings no second answer, and the server sees
        // the connection go.
        EXPECT_TRUE(test::pumpUntil([&] { return closedAfterMs >= 0; }, 3s)) << &serve - servers;
    }
}

TEST(WinInetHttpClient, NoServiceIsAnEmptyBody) {
    unsigned short port = 0;
    {
        LoopbackHttpServer gone([](auto&) {});
        port =
            static_cast<unsigned short>(std::stoi(gone.base().substr(gone.base().rfind(':') + 1)));
    }
    WinInetHttpClient client;
    Answer answer;
    client.get("http://127.0.0.1:" + std::to_string(port) + "/dvcd/autoupdate.asp?discid=A",
               kMaxXmlDocumentBytes, answer.receiver());
    ASSERT_TRUE(answer.wait());
    EXPECT_EQ(*answer.body, "");
}

TEST(WinInetHttpClient, OnlyWebAddressesStart) {
    WinInetHttpClient client;
    for (const char* url :
         {"file:///C:/windows/win.ini", "ftp://127.0.0.1/x", "C:\\dvcd.xml", "", "/dvcd"}) {
        EXPECT_THROW(client.get(url, kMaxXmlDocumentBytes, [](HttpAnswer) { ADD_FAILURE(); }),
                     std::runtime_error)
            << url;
    }
    test::pumpFor(100ms);
}

TEST(WinInetHttpClient, TwoRequestsAtOnce) {
    LoopbackHttpServer server([](auto& c) {
        const bool slow = c.head().find("/slow") != std::string::npos;
        if (slow)
            c.wait(500ms);
        c.answer(200, slow ? "slow" : "quick");
    });
    WinInetHttpClient client;
    Answer slow;
    Answer quick;
    client.get(server.base() + "/slow", kMaxXmlDocumentBytes, slow.receiver());
    client.get(server.base() + "/quick", kMaxXmlDocumentBytes, quick.receiver());
    ASSERT_TRUE(slow.wait());
    ASSERT_TRUE(quick.wait());
    EXPECT_EQ(*slow.body, "slow");
    EXPECT_EQ(*quick.body, "quick");
    EXPECT_LT(quick.at, slow.at);
}

TEST(WinInetHttpClient, GoingAwayLeavesRequestsUnanswered) {
    LoopbackHttpServer server([](auto& c) { c.wait(30s); });
    Answer answer;
    const auto start = Clock::now();
    {
        WinInetHttpClient client;
        client.get(server.base() + "/x", kMaxXmlDocumentBytes, answer.receiver());
        test::pumpFor(200ms);
    }
    test::pumpFor(300ms);
    EXPECT_FALSE(answer.body);
    EXPECT_LT(Clock::now() - start, 3s);
}

TEST(WinInetHttpClient, WireAddress) {
    const std::pair<const char*, const char*> cases[] = {
        {"http://u.example/dvcd/autoupdate.asp?discid=ABC 2004",
         "http://u.example/dvcd/autoupdate.asp?discid=ABC%202004"},
        {"http://u.example/a?discid=Sn\xC3\xB6"
         "boll",
         "http://u.example/a?discid=Sn%C3%B6boll"},
        {"http://u.example/a?discid=DV%2312", "http://u.example/a?discid=DV%2312"},
        {"http://u.example/a?discid=<\"x\">|{}^`\\\t",
         "http://u.example/a?discid=%3C%22x%22%3E%7C%7B%7D%5E%60%5C%09"},
        {"http://u.example/a?discid=A-Z_0.9~!$'()*,/:@",
         "http://u.example/a?discid=A-Z_0.9~!$'()*,/:@"},
    };
    for (const auto& [url, wire] : cases)
        EXPECT_EQ(WinInetHttpClient::wireAddress(url), wire) << url;
}

} // namespace
} // namespace dv::win32
