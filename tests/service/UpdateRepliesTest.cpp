#include "UpdateReplies.h"

#include "HttpDate.h"
#include "support/ServiceFixtures.h"

#include <gtest/gtest.h>

#include <map>

namespace dv {
namespace {

using test::TempFolder;

std::map<std::string, std::string> headersOf(const Reply& reply) {
    std::map<std::string, std::string> headers;
    for (const auto& [name, value] : reply.headers)
        headers.emplace(name, value);
    return headers;
}

class UpdateRepliesTest : public ::testing::Test {
  protected:
    TempFolder folder;
    DocumentFolder documents{folder.path()};
    UpdateReplies replies{documents, std::chrono::seconds(600)};
    const std::string document = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><dvcd/>";

    void SetUp() override {
        folder.write("ABC 2004.xml", document);
        folder.write("trasig.xml", "<dvcd><quar");
        std::filesystem::last_write_time(folder / "ABC 2004.xml",
                                         std::filesystem::file_time_type::clock::now() -
                                             std::chrono::hours(1));
        documents.refresh();
    }
    Reply get(const std::string& target, const std::string& ifNoneMatch = {},
              const std::string& ifModifiedSince = {}, const std::string& method = "GET") {
        return replies.answer({method, target, ifNoneMatch, ifModifiedSince});
    }
};

TEST_F(UpdateRepliesTest, ADocumentWithItsValidatorsAndLifetime) {
    const Reply reply = get("/dvcd/autoupdate.asp?discid=ABC%202004");
    EXPECT_EQ(reply.status, 200U);
    EXPECT_EQ(reply.body, document);
    EXPECT_EQ(reply.contentLength, document.size());
    auto headers = headersOf(reply);
    EXPECT_EQ(headers["Content-Type"], "text/xml; charset=ISO-8859-1");
    EXPECT_EQ(headers["Cache-Control"], "public, max-age=600");
    EXPECT_EQ(headers["ETag"].front(), '"');
    const auto modified = parseHttpDate(headers["Last-Modified"]);
    ASSERT_TRUE(modified);
    EXPECT_NEAR(static_cast<double>(*modified), static_cast<double>(std::time(nullptr) - 3600), 5);
}

TEST_F(UpdateRepliesTest, ConditionalRequests) {
    auto headers = headersOf(get("/dvcd/autoupdate.asp?discid=ABC%202004"));
    const std::string tag = headers["ETag"];
    const std::string modified = headers["Last-Modified"];
    const std::string later = httpDate(*parseHttpDate(modified) + 10);
    const std::string earlier = httpDate(*parseHttpDate(modified) - 10);
    const struct {
        std::string ifNoneMatch, ifModifiedSince;
        unsigned status;
    } cases[] = {
        {tag, "", 304},          {"\"other\", " + tag, "", 304},
        {"W/" + tag, "", 304},   {"*", "", 304},
        {"\"other\"", "", 200},  {"", modified, 304},
        {"", later, 304},        {"", earlier, 200},
        {"", "not a date", 200}, {"\"other\"", later, 200}, // If-None-Match decides when present
        {tag, earlier, 304},
    };
    for (const auto& c : cases) {
        const Reply reply =
            get("/dvcd/autoupdate.asp?discid=ABC%202004", c.ifNoneMatch, c.ifModifiedSince);
        EXPECT_EQ(reply.status, c.status) << c.ifNoneMatch << " | " << c.ifModifiedSince;
        auto h = headersOf(reply);
        EXPECT_EQ(h["ETag"], tag);
        EXPECT_EQ(h["Cache-Control"], "public, max-age=600");
        if (c.status == 304) {
            EXPECT_TRUE(reply.body.empty());
            EXPECT_FALSE(reply.contentLength);
        }
    }
}

TEST_F(UpdateRepliesTest, HeadGetsTheHeadersOfGet) {
    const Reply get = this->get("/dvcd/autoupdate.asp?discid=ABC%202004");
    const Reply head = this->get("/dvcd/autoupdate.asp?discid=ABC%202004", "", "", "HEAD");
    EXPECT_EQ(head.status, 200U);
    EXPECT_TRUE(head.body.empty());
    EXPECT_EQ(head.contentLength, document.size());
    EXPECT_EQ(headersOf(head), headersOf(get));
}

TEST_F(UpdateRepliesTest, HeadGetsNoBodyWhateverTheAnswer) {
    // A body after the header of an answer to HEAD is read by a kept-alive
    // client as the start of its next answer.
    for (const std::string target :
         {"/dvcd/autoupdate.asp?discid=ABC%202004", "/dvcd/autoupdate.asp?discid=XYZ",
          "/dvcd/autoupdate.asp?discid=trasig", "/", "/dvcd/autoupdate.asp"}) {
        const Reply get = this->get(target);
        const Reply head = this->get(target, "", "", "HEAD");
        EXPECT_EQ(head.status, get.status) << target;
        EXPECT_TRUE(head.body.empty()) << target;
        EXPECT_EQ(head.contentLength, get.contentLength) << target;
        EXPECT_EQ(headersOf(head), headersOf(get)) << target;
    }
}

TEST_F(UpdateRepliesTest, UnknownDiscsGetTheEmptyDocumentForAMinute) {
    const Reply reply = get("/dvcd/autoupdate.asp?discid=XYZ");
    EXPECT_EQ(reply.status, 200U);
    EXPECT_EQ(reply.body, DocumentFolder::kEmptyDocument);
    auto headers = headersOf(reply);
    EXPECT_EQ(headers["Cache-Control"], "public, max-age=60");
    EXPECT_EQ(headers["Content-Type"], "text/xml; charset=UTF-8");
    EXPECT_FALSE(headers.count("Last-Modified"));
    EXPECT_EQ(get("/dvcd/autoupdate.asp?discid=XYZ", headers["ETag"]).status, 304U);

    UpdateReplies shortLived(documents, std::chrono::seconds(20));
    EXPECT_EQ(headersOf(shortLived.answer(
                  {"GET", "/dvcd/autoupdate.asp?discid=XYZ", "", ""}))["Cache-Control"],
              "public, max-age=20");
}

TEST_F(UpdateRepliesTest, BrokenDocumentsAreNeverStored) {
    for (const char* method : {"GET", "HEAD"}) {
        const Reply reply = get("/dvcd/autoupdate.asp?discid=trasig", "*", "", method);
        EXPECT_EQ(reply.status, 503U);
        auto headers = headersOf(reply);
        EXPECT_EQ(headers["Cache-Control"], "no-store");
        EXPECT_EQ(headers["Retry-After"], "60");
        EXPECT_FALSE(headers.count("ETag"));
        EXPECT_EQ(reply.body.empty(), std::string(method) == "HEAD");
    }
}

TEST_F(UpdateRepliesTest, EverythingElseIsRefusedPlainly) {
    const struct {
        std::string method, target;
        unsigned status;
    } cases[] = {
        {"GET", "/", 404},
        {"GET", "/dvcd/autoupdate.aspx?discid=ABC", 404},
        {"GET", "/dvcd/ABC 2004.xml", 404},
        {"POST", "/dvcd/autoupdate.asp?discid=ABC%202004", 405},
        {"DELETE", "/dvcd/autoupdate.asp?discid=ABC%202004", 405},
        {"GET", "/dvcd/autoupdate.asp", 400},
        {"GET", "/dvcd/autoupdate.asp?id=ABC", 400},
    };
    for (const auto& c : cases) {
        const Reply reply = get(c.target, "", "", c.method);
        EXPECT_EQ(reply.status, c.status) << c.method << " " << c.target;
        EXPECT_EQ(headersOf(reply)["Cache-Control"], "no-store");
        EXPECT_EQ(reply.body.find("<dvcd"), std::string::npos);
    }
    EXPECT_EQ(headersOf(get("/dvcd/autoupdate.asp?discid=x", "", "", "POST"))["Allow"],
              "GET, HEAD");
    for (unsigned status : {400U, 408U, 413U, 414U, 431U})
        EXPECT_EQ(UpdateReplies::refusal(status).status, status);
}

} // namespace
} // namespace dv
