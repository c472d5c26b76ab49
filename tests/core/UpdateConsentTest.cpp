#include "core/update/UpdateConsent.h"
#include "core/update/UpdateRequest.h"

#include "RecordingPorts.h"

#include <gtest/gtest.h>

namespace dv {
namespace {

class ScriptedConsent : public ConsentDialog {
  public:
    ConsentAnswer answer;
    int asked = 0;
    ConsentAnswer ask() override {
        ++asked;
        return answer;
    }
};

TEST(UpdateConsent, Table) {
    struct Case {
        const char* what;
        Settings stored;
        ConsentAnswer answer;
        int asked;
        bool check;
        Settings kept;
    };
    const Case cases[] = {
        {"fresh, yes", {}, {true, false}, 1, true, {true, false}},
        {"fresh, no", {}, {false, false}, 1, false, {false, false}},
        {"fresh, closed", {}, {std::nullopt, false}, 1, false, {std::nullopt, false}},
        {"fresh, closed, don't remind", {}, {std::nullopt, true}, 1, false, {std::nullopt, true}},
        {"fresh, yes, don't remind", {}, {true, true}, 1, true, {true, true}},
        {"said yes before", {true, false}, {}, 0, true, {true, false}},
        {"said no before", {false, false}, {}, 0, false, {false, false}},
        {"asked not to be reminded", {std::nullopt, true}, {}, 0, false, {std::nullopt, true}},
    };
    for (const Case& c : cases) {
        UpdateConsent consent(c.stored);
        ScriptedConsent dialog;
        dialog.answer = c.answer;
        EXPECT_EQ(consent.startPageLoaded(dialog), c.check) << c.what;
        EXPECT_EQ(dialog.asked, c.asked) << c.what;
        EXPECT_EQ(consent.settings(), c.kept) << c.what;
        EXPECT_FALSE(consent.startPageLoaded(dialog)) << c.what; // once a run
        EXPECT_EQ(dialog.asked, c.asked) << c.what;
    }
}

TEST(ConsentAnswer, FromTheDialogsControls) {
    struct Case {
        const char* what;
        bool closedWithButton;
        bool yes;
        bool no;
        bool dontRemind;
        ConsentAnswer answer;
    };
    const Case cases[] = {
        {"yes", true, true, false, false, {true, false}},
        {"no, don't remind", true, false, true, true, {false, true}},
        {"no choice", true, false, false, false, {std::nullopt, false}},
        {"don't remind only", true, false, false, true, {std::nullopt, true}},
        {"yes, then Esc", false, true, false, false, {std::nullopt, false}},
        {"no, then Esc", false, false, true, false, {std::nullopt, false}},
        {"don't remind, then Esc", false, false, false, true, {std::nullopt, true}},
    };
    for (const Case& c : cases) {
        const ConsentAnswer answer =
            ConsentAnswer::fromControls(c.closedWithButton, c.yes, c.no, c.dontRemind);
        EXPECT_EQ(answer.checkAtStart, c.answer.checkAtStart) << c.what;
        EXPECT_EQ(answer.dontRemind, c.answer.dontRemind) << c.what;
    }
}

class FakeVolumeInfo : public VolumeInfo {
  public:
    std::string label;
    std::string getDiscName() override { return label; }
};

class FakeHttp : public HttpClient {
  public:
    std::vector<std::string> urls;
    std::size_t maxBytes = 0;
    bool refuse = false;
    void get(const std::string& url, std::size_t limit, std::function<void(HttpAnswer)>) override {
        if (refuse)
            throw std::runtime_error("Nätverket kan inte nås");
        urls.push_back(url);
        maxBytes = limit;
    }
};

TEST(UpdateRequest, UrlCarriesTheLabelWithItsDelimitersEncoded) {
    const std::pair<const char*, const char*> cases[] = {
        {"ABC 2004", "http://u.example/dvcd/autoupdate.asp?discid=ABC%202004"},
        {"", "http://u.example/dvcd/autoupdate.asp?discid="},
        {"ERROR", "http://u.example/dvcd/autoupdate.asp?discid=ERROR"},
        {"DV#12", "http://u.example/dvcd/autoupdate.asp?discid=DV%2312"},
        {"R&D+1", "http://u.example/dvcd/autoupdate.asp?discid=R%26D%2B1"},
        {"Snöboll", "http://u.example/dvcd/autoupdate.asp?discid=Snöboll"},
        {"a/../../b", "http://u.example/dvcd/autoupdate.asp?discid=a%2F%2E%2E%2F%2E%2E%2Fb"},
    };
    for (const auto& [label, url] : cases) {
        FakeVolumeInfo volume;
        volume.label = label;
        FakeHttp http;
        test::FakeStatusLine status;
        UpdateRequest request("http://u.example", volume, http, status, [](const std::string&) {});
        request.DoAutoUpdate();
        EXPECT_EQ(http.urls, std::vector<std::string>{url});
        EXPECT_EQ(http.maxBytes, std::size_t{1024 * 1024}); // what the parser takes, no more
        EXPECT_EQ(status.current(), "Kontrollerar om det finns uppdateringar...");
    }
}

TEST(UpdateRequest, ARequestThatCannotStartSaysWhy) {
    FakeVolumeInfo volume;
    FakeHttp http;
    http.refuse = true;
    test::FakeStatusLine status;
    UpdateRequest request("http://u.example", volume, http, status, [](const std::string&) {});
    request.DoAutoUpdate();
    EXPECT_EQ(status.current(), "Nätverket kan inte nås");
}

} // namespace
} // namespace dv
