#include "UpdateService.h"
#include "update/QueryValue.h"
#include "update/UpdateRequest.h"

#include <httplib.h>

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

namespace dv {
namespace {

namespace fs = std::filesystem;

// Every byte but letters and digits as %hh, as a careful client sends it.
std::string percentEncoded(const std::string& text) {
    std::string out;
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) {
            out += ch;
        } else {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", c);
            out += hex;
        }
    }
    return out;
}

class UpdateServiceTest : public ::testing::Test {
protected:
    fs::path folder = fs::temp_directory_path() /
                      ("service-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::ostringstream log;
    std::unique_ptr<UpdateService> service;
    std::thread running;
    int port = -1;

    void SetUp() override {
        fs::remove_all(folder);
        fs::create_directories(folder);
        write("ABC 2004.xml", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><dvcd><quarantine>"
                              "<quarantined>virus.exe</quarantined></quarantine></dvcd>");
        write("trasig.xml", "<dvcd><quarantine>");
        fs::create_directories(folder / "sub");
        write("sub/hemlig.xml", "<dvcd/>");
        std::ofstream(folder.parent_path() / "outside.xml") << "<dvcd><secret/></dvcd>";
        service = std::make_unique<UpdateService>(folder, log);
        port = service->bind("127.0.0.1", 0);
        ASSERT_GT(port, 0);
        running = std::thread([this] { service->run(); });
    }
    void TearDown() override {
        stop();
        fs::remove_all(folder);
    }
    // Stops the service; only then is its log safe to read.
    const std::ostringstream& stop() {
        service->stop();
        if (running.joinable())
            running.join();
        return log;
    }
    void write(const std::string& name, const std::string& text) {
        std::ofstream(folder / name, std::ios::binary) << text;
    }
    httplib::Result get(const std::string& id) {
        httplib::Client client("127.0.0.1", port);
        return client.Get("/dvcd/autoupdate.asp?discid=" + percentEncoded(id));
    }
};

TEST_F(UpdateServiceTest, KnownUnknownAndBrokenDiscs) {
    auto known = get("ABC 2004");
    ASSERT_TRUE(known);
    EXPECT_EQ(known->status, 200);
    EXPECT_NE(known->body.find("virus.exe"), std::string::npos);
    EXPECT_EQ(known->get_header_value("Content-Type"), "text/xml; charset=ISO-8859-1");

    auto unknown = get("XYZ 1999");
    ASSERT_TRUE(unknown);
    EXPECT_EQ(unknown->status, 200);
    EXPECT_EQ(unknown->body, DocumentFolder::kEmptyDocument);
    EXPECT_EQ(unknown->get_header_value("Content-Type"), "text/xml; charset=UTF-8");

    auto broken = get("trasig");
    ASSERT_TRUE(broken);
    EXPECT_EQ(broken->status, 503); // never the empty document, which would clear the lists
    EXPECT_NE(stop().str().find("trasig.xml: malformed, not served"), std::string::npos);
}

TEST_F(UpdateServiceTest, HostileIdsNeverLeaveTheFolder) {
    const std::string ids[] = {"../outside", "../outside.xml", "sub/hemlig", "sub\\hemlig",
                               "/etc/passwd", std::string(100000, 'A'), std::string("\0\xff\n\r", 4),
                               "ABC 2004.xml", "%2e%2e/outside"};
    for (const std::string& id : ids) {
        auto answer = get(id);
        ASSERT_TRUE(answer) << id.substr(0, 20);
        EXPECT_EQ(answer->body.find("secret"), std::string::npos);
        EXPECT_TRUE(answer->status == 200 || answer->status >= 400) << answer->status;
        if (answer->status == 200) {
            EXPECT_EQ(answer->body, DocumentFolder::kEmptyDocument) << id.substr(0, 20);
        }
    }
    // Log lines cannot be forged with line breaks in an id.
    EXPECT_EQ(stop().str().find("\n\r"), std::string::npos);
}

TEST_F(UpdateServiceTest, ChangedDocumentsAreServedAfterTheirCheck) {
    write("ABC 2004.xml", "<dvcd><quarantine><quarantined>ny.exe</quarantined></quarantine></dvcd>");
    fs::last_write_time(folder / "ABC 2004.xml", fs::file_time_type::clock::now() + std::chrono::seconds(5));
    std::string body;
    for (int i = 0; i < 40 && body.find("ny.exe") == std::string::npos; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        body = get("ABC 2004")->body;
    }
    EXPECT_NE(body.find("ny.exe"), std::string::npos);
    // A broken edit keeps the last good version.
    write("ABC 2004.xml", "<dvcd><quar");
    fs::last_write_time(folder / "ABC 2004.xml", fs::file_time_type::clock::now() + std::chrono::seconds(10));
    std::this_thread::sleep_for(std::chrono::milliseconds(2500));
    EXPECT_NE(get("ABC 2004")->body.find("ny.exe"), std::string::npos);
    EXPECT_NE(stop().str().find("(the previous version still is)"), std::string::npos);
}

TEST_F(UpdateServiceTest, OneAccessLogLineARequest) {
    get("ABC 2004");
    get("XYZ");
    std::istringstream lines(stop().str());
    int requests = 0;
    for (std::string line; std::getline(lines, line);)
        requests += line.find("\"GET /dvcd/autoupdate.asp?discid=") != std::string::npos ? 1 : 0;
    EXPECT_EQ(requests, 2);
}

TEST_F(UpdateServiceTest, TheProgramsOwnAddressFindsEveryLabel) {
    const char* labels[] = {"ABC 2004", "DV#12", "R&D+1;x=y", "100% %41", "Snöboll", "Sn\xF6", "a?b", "a/b?c"};
    for (const std::string label : labels) {
        if (label.find('/') == std::string::npos)
            write(label + ".xml", "<dvcd><quarantine><quarantined>" + encodeQueryValue(label) +
                                      "</quarantined></quarantine></dvcd>");
    }
    // The folder is read again every second.
    std::this_thread::sleep_for(std::chrono::milliseconds(2200));
    httplib::Client client("127.0.0.1", port);
    client.set_url_encode(false);
    for (const std::string label : labels) {
        const std::string url = updateRequestUrl("", label);
        // What the HTTP layer does with text beyond ASCII: UTF-8 as %hh.
        std::string wire;
        for (const char c : url) {
            if (static_cast<unsigned char>(c) < 0x80) {
                wire += c;
            } else {
                char hex[4];
                std::snprintf(hex, sizeof hex, "%%%02X", static_cast<unsigned char>(c));
                wire += hex;
            }
        }
        const auto answer = client.Get(wire);
        ASSERT_TRUE(answer) << label;
        EXPECT_EQ(answer->status, 200) << label;
        if (label.find('/') == std::string::npos)
            EXPECT_NE(answer->body.find("<quarantined>" + encodeQueryValue(label) + "<"), std::string::npos)
                << label << ": " << answer->body;
        else
            EXPECT_EQ(answer->body, DocumentFolder::kEmptyDocument) << label;
    }
}

} // namespace
} // namespace dv
