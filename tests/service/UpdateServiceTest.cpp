#include "UpdateService.h"

#include "core/update/QueryValue.h"
#include "core/update/UpdateRequest.h"
#include "support/LoopbackClient.h"
#include "support/ServiceFixtures.h"

#include <gtest/gtest.h>

#include <chrono>
#include <sstream>
#include <thread>

namespace dv {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using std::chrono::milliseconds;
using test::httpGet;
using test::httpRequest;
using test::LoopbackSocket;
using test::percentEncoded;
using test::RunningService;
using test::target;
using test::TempFolder;

const std::string kAbc = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><dvcd><quarantine>"
                         "<quarantined>virus.exe</quarantined></quarantine></dvcd>";

class UpdateServiceTest : public ::testing::Test {
  protected:
    TempFolder top;
    fs::path folder = top / "docs";
    std::unique_ptr<RunningService> service;

    void SetUp() override {
        fs::create_directories(folder / "sub");
        write("ABC 2004.xml", kAbc);
        write("trasig.xml", "<dvcd><quarantine>");
        write("sub/hemlig.xml", "<dvcd/>");
        top.write("outside.xml", "<dvcd><secret/></dvcd>");
    }
    void start(ServiceSettings settings = {}) {
        service = std::make_unique<RunningService>(folder, settings);
    }
    void write(const std::string& name, const std::string& text) {
        top.write("docs/" + name, text);
    }
    int port() const { return service->port(); }
    std::optional<test::HttpAnswer> get(const std::string& id, const std::string& headers = {}) {
        return httpGet(port(), target(percentEncoded(id)), headers);
    }
    // The query as a disc writes it, escaped or not, in a request line of
    // our own: the answer is a document holding `holds`.
    void expectAnswerHolds(const std::string& query, const std::string& holds) {
        LoopbackSocket socket(port());
        socket.send("GET /dvcd/autoupdate.asp?discid=" + query + " HTTP/1.1\r\nHost: x\r\n\r\n");
        const auto answer = socket.answer(milliseconds(5000));
        ASSERT_TRUE(answer) << query;
        EXPECT_EQ(answer->status, 200) << query;
        EXPECT_NE(answer->body.find(holds), std::string::npos) << query << ": " << answer->body;
    }
    std::string stoppedLog() {
        service->stop();
        return service->log().text();
    }
};

TEST_F(UpdateServiceTest, KnownUnknownAndBrokenDiscs) {
    start();
    auto known = get("ABC 2004");
    ASSERT_TRUE(known);
    EXPECT_EQ(known->status, 200);
    EXPECT_EQ(known->body, kAbc);
    EXPECT_EQ(known->header("content-type"), "text/xml; charset=ISO-8859-1");

    auto unknown = get("XYZ 1999");
    ASSERT_TRUE(unknown);
    EXPECT_EQ(unknown->status, 200);
    EXPECT_EQ(unknown->body, DocumentFolder::kEmptyDocument);
    EXPECT_EQ(unknown->header("content-type"), "text/xml; charset=UTF-8");

    auto broken = get("trasig");
    ASSERT_TRUE(broken);
    EXPECT_EQ(broken->status, 503); // never the empty document, which would clear the lists
    EXPECT_NE(stoppedLog().find("trasig.xml: not served: "), std::string::npos);
}

TEST_F(UpdateServiceTest, EveryWayADiscIdArrivesFindsItsDocument) {
    write("C++ 2004.xml", "<dvcd><quarantine><quarantined>plus</quarantined></quarantine></dvcd>");
    write("R&D 2004.xml", "<dvcd><quarantine><quarantined>and</quarantined></quarantine></dvcd>");
    start();
    const struct {
        std::string query;
        std::string holds;
    } cases[] = {
        {"ABC%202004", "virus.exe"},
        {"ABC 2004", "virus.exe"}, // blanks in the request line, as
                                   // older discs send them
        {"ABC%20%32004", "virus.exe"},
        {"C%2B%2B%202004", "plus"},
        {"C++ 2004", "plus"},
        {"C++%202004", "plus"},
        {"R%26D%202004", "and"},
        {"R&D 2004", "and"},
        {"ABC+2004", "<dvcd/>"}, // a plus is no blank
    };
    for (const auto& c : cases)
        expectAnswerHolds(c.query, c.holds);
}

TEST_F(UpdateServiceTest, AnOlderDiscsLabelInItsCodePageFindsItsDocument) {
    // The file is named in UTF-8; older discs send the label in Windows-1252,
    // as it is or escaped, and the program sends UTF-8.
    write("DATAVIND \xC3\x85R 2004.xml",
          "<dvcd><quarantine><quarantined>aring</quarantined></quarantine></dvcd>");
    write("latin \xE5.xml", "<dvcd><quarantine><quarantined>raw</quarantined></quarantine></dvcd>");
    start();
    const struct {
        std::string query;
        std::string holds;
    } cases[] = {
        {"DATAVIND%20%C3%85R%202004", "aring"},
        {"DATAVIND%20%C5R%202004", "aring"},
        {"DATAVIND \xC5R 2004", "aring"},
        {"latin%20%E5", "raw"}, // a file named in the code page itself is still found
        {"DATAVIND%20%C4R%202004", "<dvcd/>"},
    };
    for (const auto& c : cases)
        expectAnswerHolds(c.query, c.holds);
}

TEST_F(UpdateServiceTest, TheProgramsOwnAddressFindsEveryLabel) {
    const std::string labels[] = {"ABC 2004", "DV#12",  "R&D+1;x=y", "100% %41",
                                  "Snöboll",  "Sn\xF6", "a?b",       "a/b?c"};
    for (const std::string& label : labels)
        if (label.find('/') == std::string::npos)
            write(label + ".xml", "<dvcd><quarantine><quarantined>" + encodeQueryValue(label) +
                                      "</quarantined></quarantine></dvcd>");
    start();
    for (const std::string& label : labels) {
        // What the HTTP layer does with text beyond ASCII: UTF-8 as %hh.
        std::string wire;
        for (const char c : updateRequestUrl("", label)) {
            if (static_cast<unsigned char>(c) < 0x80) {
                wire += c;
            } else {
                char hex[4];
                std::snprintf(hex, sizeof hex, "%%%02X", static_cast<unsigned char>(c));
                wire += hex;
            }
        }
        const auto answer = httpGet(port(), wire);
        ASSERT_TRUE(answer) << label;
        EXPECT_EQ(answer->status, 200) << label;
        if (label.find('/') == std::string::npos)
            EXPECT_NE(answer->body.find("<quarantined>" + encodeQueryValue(label) + "<"),
                      std::string::npos)
                << label << ": " << answer->body;
        else
            EXPECT_EQ(answer->body, DocumentFolder::kEmptyDocument) << label;
    }
}

TEST_F(UpdateServiceTest, HostileIdsNeverLeaveTheFolder) {
    start();
    const std::string ids[] = {"../outside",
                               "../outside.xml",
                               "sub/hemlig",
                               "sub\\hemlig",
                               "/etc/passwd",
                               std::string(100000, 'A'),
                               "\0\xff\n\r"s,
                               "ABC 2004.xml",
                               "%2e%2e/outside",
                               "..",
                               "."};
    for (const std::string& id : ids) {
        auto answer = get(id);
        ASSERT_TRUE(answer) << id.substr(0, 20);
        EXPECT_EQ(answer->body.find("secret"), std::string::npos);
        EXPECT_TRUE(answer->status == 200 || answer->status >= 400) << answer->status;
        if (answer->status == 200) {
            EXPECT_EQ(answer->body, DocumentFolder::kEmptyDocument) << id.substr(0, 20);
        }
    }
    EXPECT_EQ(get(std::string(100000, 'A'))->status, 414); // URI too long
    // Log lines cannot be forged with line breaks in an id.
    EXPECT_EQ(stoppedLog().find("\n\r"), std::string::npos);
}

TEST_F(UpdateServiceTest, ChangedDocumentsAreServedAfterTheirCheck) {
    start();
    write("ABC 2004.xml",
          "<dvcd><quarantine><quarantined>ny.exe</quarantined></quarantine></dvcd>");
    fs::last_write_time(folder / "ABC 2004.xml",
                        fs::file_time_type::clock::now() + std::chrono::seconds(5));
    ASSERT_TRUE(service->log().waitFor("ABC 2004.xml: served, text/xml; charset=UTF-8",
                                       milliseconds(10000)));
    EXPECT_NE(get("ABC 2004")->body.find("ny.exe"), std::string::npos);
    // A broken edit keeps the last good version.
    write("ABC 2004.xml", "<dvcd><quar");
    fs::last_write_time(folder / "ABC 2004.xml",
                        fs::file_time_type::clock::now() + std::chrono::seconds(10));
    ASSERT_TRUE(service->log().waitFor("; its previous version still is", milliseconds(10000)));
    EXPECT_NE(get("ABC 2004")->body.find("ny.exe"), std::string::npos);
}

TEST_F(UpdateServiceTest, AChangeIsSeenByNotificationNotByTheSlowRescan) {
    static_assert(UpdateService::kSafetyRescan >= std::chrono::seconds(30));
    start();
    for (int i = 0; i < 3; ++i) {
        const std::string marker = "changed" + std::to_string(i) + ".exe";
        top.write("new.xml", "<dvcd><quarantine><quarantined>" + marker +
                                 "</quarantined></quarantine></dvcd>");
        fs::rename(top / "new.xml", folder / "ABC 2004.xml"); // as an editor's tool saves
        EXPECT_TRUE(
            test::waitUntil([&] { return get("ABC 2004")->body.find(marker) != std::string::npos; },
                            milliseconds(10000)))
            << marker;
    }
    write("NEW 2005.xml",
          "<dvcd><quarantine><quarantined>fresh.exe</quarantined></quarantine></dvcd>");
    ASSERT_TRUE(service->log().waitFor("NEW 2005.xml: served", milliseconds(10000)));
    EXPECT_NE(get("NEW 2005")->body.find("fresh.exe"), std::string::npos);
}

TEST_F(UpdateServiceTest, OneAccessLogLineARequest) {
    start();
    get("ABC 2004");
    get("XYZ");
    std::istringstream lines(stoppedLog());
    int requests = 0;
    for (std::string line; std::getline(lines, line);)
        requests += line.find("\"GET /dvcd/autoupdate.asp?discid=") != std::string::npos ? 1 : 0;
    EXPECT_EQ(requests, 2);
}

TEST_F(UpdateServiceTest, ALongDeclarationIsServedAsItIs) {
    // Padded to 50 000 characters: it once crashed the service on the first
    // request for it.
    const std::string padded =
        "<?xml version=\"1.0\"" + std::string(50000, ' ') +
        "encoding=\"ISO-8859-1\"?><dvcd><quarantine><quarantined>lång.exe</quarantined>"
        "</quarantine></dvcd>";
    write("LONG.xml", padded);
    start();
    for (int i = 0; i < 3; ++i) {
        auto answer = get("LONG");
        ASSERT_TRUE(answer);
        EXPECT_EQ(answer->status, 200);
        // The program reads a declaration in its first 256 characters only:
        // this document as UTF-8, which the header says.
        EXPECT_EQ(answer->header("content-type"), "text/xml; charset=UTF-8");
        EXPECT_EQ(answer->body, padded);
    }
    EXPECT_EQ(get("ABC 2004")->status, 200); // still serving the others
}

TEST_F(UpdateServiceTest, AUtf16DocumentKeepsItsBytesAndSaysItsCharset) {
    std::string utf16 = "\xFF\xFE";
    for (const char c : std::string("<?xml version=\"1.0\" encoding=\"UTF-16\"?><dvcd><quarantine>"
                                    "<quarantined>wide.exe</quarantined></quarantine></dvcd>")) {
        utf16 += c;
        utf16 += '\0';
    }
    write("WIDE.xml", utf16);
    start();
    auto answer = get("WIDE");
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->status, 200);
    EXPECT_EQ(answer->header("content-type"), "text/xml; charset=UTF-16");
    EXPECT_EQ(answer->body, utf16);
}

TEST_F(UpdateServiceTest, ValidatorsAnd304OverTheWire) {
    start(ServiceSettings{.cacheLifetime = std::chrono::seconds(123)});
    auto first = get("ABC 2004");
    ASSERT_TRUE(first);
    EXPECT_EQ(first->header("cache-control"), "public, max-age=123");
    const std::string tag = first->header("etag");
    const std::string modified = first->header("last-modified");
    EXPECT_FALSE(tag.empty());
    EXPECT_FALSE(modified.empty());
    EXPECT_FALSE(first->header("date").empty());
    for (const std::string& condition :
         {"If-None-Match: " + tag, "If-Modified-Since: " + modified}) {
        auto again = get("ABC 2004", condition + "\r\n");
        ASSERT_TRUE(again);
        EXPECT_EQ(again->status, 304) << condition;
        EXPECT_EQ(again->header("etag"), tag);
        EXPECT_EQ(again->header("cache-control"), "public, max-age=123");
        EXPECT_TRUE(again->body.empty());
    }
    EXPECT_EQ(get("ABC 2004", "If-None-Match: \"old\"\r\n")->status, 200);
    auto broken = get("trasig");
    EXPECT_EQ(broken->header("cache-control"), "no-store");
    EXPECT_EQ(get("XYZ")->header("cache-control"), "public, max-age=60");
}

TEST_F(UpdateServiceTest, HeadAndKeepAliveShareOneConnection) {
    start();
    LoopbackSocket socket(port());
    const std::string head =
        "HEAD /dvcd/autoupdate.asp?discid=ABC%202004 HTTP/1.1\r\nHost: x\r\n\r\n";
    const std::string get =
        "GET /dvcd/autoupdate.asp?discid=ABC%202004 HTTP/1.1\r\nHost: x\r\n\r\n";
    socket.send(head);
    auto headAnswer = socket.answer(milliseconds(5000), true);
    ASSERT_TRUE(headAnswer);
    EXPECT_EQ(headAnswer->status, 200);
    EXPECT_EQ(headAnswer->header("content-length"), std::to_string(kAbc.size()));
    EXPECT_EQ(socket.unread(), 0U); // no body came
    // The same connection answers the next requests, two of them pipelined.
    socket.send(get + get);
    for (int i = 0; i < 2; ++i) {
        auto answer = socket.answer(milliseconds(5000));
        ASSERT_TRUE(answer);
        EXPECT_EQ(answer->body, kAbc);
    }
    // An answer to HEAD carries no body, whatever its status.
    socket.send("HEAD /nothing HTTP/1.1\r\nHost: x\r\n\r\n" + get);
    EXPECT_EQ(socket.answer(milliseconds(5000), true)->status, 404);
    auto afterHead = socket.answer(milliseconds(5000));
    ASSERT_TRUE(afterHead);
    EXPECT_EQ(afterHead->status, 200);
    EXPECT_EQ(afterHead->body, kAbc);
    socket.send(
        "POST /dvcd/autoupdate.asp?discid=x HTTP/1.1\r\nHost: x\r\nContent-Length: 3\r\n\r\nabc");
    EXPECT_EQ(socket.answer(milliseconds(5000))->status, 405);
    // A body in pieces is read to its end before the answer.
    socket.send("GET /dvcd/autoupdate.asp?discid=ABC%202004 HTTP/1.1\r\nHost: x\r\n"
                "Transfer-Encoding: chunked\r\n\r\n3\r\nabc\r\n");
    socket.send("2\r\nde\r\n0\r\n\r\n");
    auto afterBody = socket.answer(milliseconds(5000));
    ASSERT_TRUE(afterBody);
    EXPECT_EQ(afterBody->body, kAbc);
}

TEST_F(UpdateServiceTest, ARequestWhoseBodyLengthIsInDoubtIsRefusedAndTheConnectionClosed) {
    // A proxy in front that reads such a request otherwise than the service
    // would have the rest taken as a request of its own (request smuggling).
    start();
    const std::string inner = "GET /dvcd/autoupdate.asp?discid=trasig HTTP/1.1\r\nHost: x\r\n\r\n";
    const std::string head = "GET /dvcd/autoupdate.asp?discid=ABC%202004 HTTP/1.1\r\nHost: x\r\n";
    // A coding other than chunked alone is one the service does not know: 501.
    const struct {
        const char* name;
        std::string request;
        int status;
    } cases[] = {
        {"length and chunked",
         head + "Content-Length: 4\r\nTransfer-Encoding: chunked\r\n\r\n0\r\n\r\n" + inner, 400},
        {"chunked and length",
         head + "Transfer-Encoding: chunked\r\nContent-Length: 4\r\n\r\n0\r\n\r\n" + inner, 400},
        {"two lengths", head + "Content-Length: 0\r\nContent-Length: 5\r\n\r\n" + inner, 400},
        {"chunked not last", head + "Transfer-Encoding: chunked, identity\r\n\r\n0\r\n\r\n" + inner,
         501},
        {"identity only", head + "Transfer-Encoding: identity\r\n\r\n" + inner, 501},
        {"unknown coding", head + "Transfer-Encoding: xchunked\r\n\r\n" + inner, 501},
        {"chunked twice over",
         head + "Transfer-Encoding: gzip\r\nTransfer-Encoding: chunked, gzip\r\n\r\n" + inner, 501},
    };
    for (const auto& c : cases) {
        LoopbackSocket socket(port());
        socket.send(c.request);
        auto answer = socket.answer(milliseconds(5000));
        ASSERT_TRUE(answer) << c.name;
        EXPECT_EQ(answer->status, c.status) << c.name;
        EXPECT_EQ(answer->header("connection"), "close") << c.name;
        EXPECT_TRUE(socket.closedWithin(milliseconds(5000))) << c.name;
    }
    EXPECT_EQ(stoppedLog().find("discid=trasig"), std::string::npos);
}

TEST_F(UpdateServiceTest, ASecondServiceOnThePortIsRefused) {
    start();
    std::ostringstream log;
    UpdateService second(folder, log);
    EXPECT_EQ(second.bind("127.0.0.1", port()), -1);
    EXPECT_EQ(second.bindError(), "Address already in use");
    // Every request still reaches the first.
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(get("ABC 2004")->status, 200);
    EXPECT_EQ(log.str().find("served"), std::string::npos); // it never read the documents
}

TEST_F(UpdateServiceTest, PortZeroGivesAFreePortThatAnswers) {
    start();
    EXPECT_GT(port(), 0);
    EXPECT_TRUE(get("ABC 2004"));
    std::ostringstream log;
    UpdateService other(folder, log);
    const int otherPort = other.bind("127.0.0.1", 0);
    EXPECT_GT(otherPort, 0);
    EXPECT_NE(otherPort, port());
    EXPECT_EQ(other.bind("not an address", 0), -1);
}

TEST_F(UpdateServiceTest, AFolderThatCannotBeReadKeepsTheDocumentsServed) {
    start();
    fs::rename(folder, top / "renamed");
    ASSERT_TRUE(service->log().waitFor(folder.string() + ": cannot be read", milliseconds(10000)))
        << service->log().text();
    // Two whole readings later, still the same.
    const std::string reread = "the documents folder read again";
    for (int n = 1; n <= 2; ++n) {
        service->service().rescan();
        ASSERT_TRUE(
            test::waitUntil([&] { return service->log().count(reread) >= n; }, milliseconds(10000)))
            << service->log().text();
    }
    auto answer = get("ABC 2004");
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->body, kAbc);
    EXPECT_EQ(get("trasig")->status, 503);
    fs::rename(top / "renamed", folder);
    EXPECT_TRUE(
        service->log().waitFor(folder.string() + ": can be read again", milliseconds(10000)));
}

TEST_F(UpdateServiceTest, StartedOnAFolderItCannotReadItAnswersEveryDiscWithAnErrorNeverStored) {
    fs::rename(folder, top / "not yet mounted");
    start();
    ASSERT_TRUE(service->log().waitFor(
        folder.string() + ": cannot be read (No such file or directory); every disc "
                          "gets an error answer until it can be read",
        milliseconds(10000)))
        << service->log().text();
    for (const std::string id : {"ABC 2004", "XYZ 1999"}) {
        auto answer = get(id);
        ASSERT_TRUE(answer);
        EXPECT_EQ(answer->status, 503) << id; // an empty document would clear the readers' lists
        EXPECT_EQ(answer->header("cache-control"), "no-store") << id;
        EXPECT_NE(answer->body, DocumentFolder::kEmptyDocument) << id;
    }
    fs::rename(top / "not yet mounted", folder);
    ASSERT_TRUE(
        service->log().waitFor(folder.string() + ": can be read again", milliseconds(10000)));
    EXPECT_EQ(get("ABC 2004")->body, kAbc);
    EXPECT_EQ(get("XYZ 1999")->body, DocumentFolder::kEmptyDocument);
}

} // namespace
} // namespace dv
