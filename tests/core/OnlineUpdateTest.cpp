#include "core/update/OnlineUpdate.h"

#include "PlanReadingHere.h"
#include "RecordingPorts.h"
#include "core/app/PublisherAddresses.h"
#include "core/browser/FileLauncher.h"
#include "core/browser/TExtraInfoList.h"
#include "core/update/QuarantineList.h"
#include "core/update/XmlDocument.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace dv {
namespace {

using test::CallLog;

class MemoryStore : public SettingsStore {
  public:
    explicit MemoryStore(CallLog& log) : log_(log) {}
    std::optional<Settings> stored;
    std::optional<Settings> read() override {
        log_.push_back("read");
        return stored;
    }
    void write(const Settings& settings) override {
        log_.push_back("write");
        stored = settings;
    }

  private:
    CallLog& log_;
};

class ScriptedConsent : public ConsentDialog {
  public:
    explicit ScriptedConsent(CallLog& log) : log_(log) {}
    ConsentAnswer answer;
    ConsentAnswer ask() override {
        log_.push_back("ask");
        return answer;
    }

  private:
    CallLog& log_;
};

class LabelledDisc : public VolumeInfo {
  public:
    std::string getDiscName() override { return "ABC"; }
};

// Answers at once, as a served document would come later.
class ServingHttp : public HttpClient {
  public:
    explicit ServingHttp(CallLog& log) : log_(log) {}
    int status = 200;
    std::string body;
    void get(const std::string& url, std::size_t, std::function<void(HttpAnswer)> done) override {
        log_.push_back("get:" + url);
        done({status, body});
    }

  private:
    CallLog& log_;
};

// The document "<d><quarantine><quarantined>TEXT</quarantined></quarantine></d>"
// for any non-empty text; nothing else parses.
class OneEntryParser : public XmlParser {
  public:
    XmlNode parse(std::string_view bytes) override {
        if (bytes.empty())
            throw XmlError("empty");
        XmlNode entry{XmlNode::Kind::Element,
                      "quarantined",
                      {},
                      {{XmlNode::Kind::Text, {}, std::string(bytes), {}}}};
        XmlNode group{XmlNode::Kind::Element, "quarantine", {}, {entry}};
        return {XmlNode::Kind::Element, "d", {}, {group}};
    }
};

class NoEnd : public ApplicationEnd {
  public:
    void requestTermination() override { ADD_FAILURE() << "nothing asked to end the program"; }
};

class OnlineUpdateTest : public ::testing::Test {
  protected:
    CallLog log;
    MemoryStore store{log};
    ScriptedConsent consent{log};
    LabelledDisc volume;
    ServingHttp http{log};
    OneEntryParser parser;
    test::PlanReadingHere reading{parser};
    QuarantineList quarantine;
    TExtraInfoList notes;
    test::FakeMessageBoxes boxes;
    test::FakeLauncher launcher{log};
    test::FakeWaitingWindow waiting{log};
    FileLauncher fileLauncher{launcher, waiting, boxes};
    test::FakeExtraInfoDialog noteDialog{log};
    test::FakeStatusLine status;
    NoEnd end;

    OnlineUpdate::Parts parts() {
        return {store, consent, volume,       http,       reading, quarantine,
                notes, boxes,   fileLauncher, noteDialog, status,  end};
    }
};

TEST_F(OnlineUpdateTest, ReadsAtStartAndWritesOnlyAtExit) {
    OnlineUpdate update(parts(), "http://u.example");
    EXPECT_EQ(log, CallLog{"read"});
    EXPECT_FALSE(store.stored);
    update.writeRegSettings();
    EXPECT_EQ(log, (CallLog{"read", "write"}));
    EXPECT_EQ(store.stored, Settings{}); // a first run's exit creates the store
}

TEST_F(OnlineUpdateTest, AYesChecksAtOnceAndTheAnswerIsProcessed) {
    http.body = "virus.exe";
    consent.answer = {true, false};
    OnlineUpdate update(parts(), "http://u.example");
    update.startPageLoaded();
    EXPECT_EQ(log, (CallLog{"read", "ask", "get:http://u.example/dvcd/autoupdate.asp?discid=ABC"}));
    EXPECT_TRUE(quarantine.Quarantined("D:\\virus.exe"));
    EXPECT_EQ(status.current(), "Automatisk uppdatering klar...");
    update.startPageLoaded(); // only the first start page counts
    EXPECT_EQ(log.size(), 3u);
    update.writeRegSettings();
    EXPECT_EQ(store.stored, (Settings{true, false}));
}

// A cloud store's 403 page, or a 404 or 500 that carries a well-formed
// document, is no answer of the service's: the lists stay as they were.
TEST_F(OnlineUpdateTest, OnlyASuccessIsReadAsTheDocument) {
    const std::pair<int, bool> cases[] = {{200, true},  {204, true},  {299, true},
                                          {0, false},   {199, false}, {301, false},
                                          {403, false}, {404, false}, {500, false}};
    for (const auto& [code, read] : cases) {
        quarantine = QuarantineList();
        http.status = 200;
        http.body = "old.exe";
        consent.answer = {true, false};
        OnlineUpdate update(parts(), "http://u.example");
        update.DoAutoUpdate();
        ASSERT_TRUE(quarantine.Quarantined("D:\\old.exe"));
        http.status = code;
        http.body = "new.exe";
        update.DoAutoUpdate();
        EXPECT_EQ(quarantine.Quarantined("D:\\new.exe"), read) << code;
        EXPECT_EQ(quarantine.Quarantined("D:\\old.exe"), !read) << code;
        EXPECT_EQ(status.current(),
                  read ? "Automatisk uppdatering klar..." : "Automatisk uppdatering misslyckades!")
            << code;
    }
}

TEST_F(OnlineUpdateTest, TheStoredAnswerDecidesWithoutAsking) {
    const std::pair<Settings, bool> cases[] = {
        {{true, false}, true}, {{false, false}, false}, {{std::nullopt, true}, false}};
    for (const auto& [stored, checks] : cases) {
        log.clear();
        store.stored = stored;
        OnlineUpdate update(parts(), "http://u.example");
        update.startPageLoaded();
        EXPECT_EQ(std::count(log.begin(), log.end(), "ask"), 0);
        EXPECT_EQ(log.size(), checks ? 2u : 1u);
    }
}

TEST_F(OnlineUpdateTest, AFailedAnswerSaysSo) {
    store.stored = Settings{true, false};
    OnlineUpdate update(parts(), "http://u.example");
    int processed = 0;
    update.onAnswerProcessed([&] { ++processed; });
    update.DoAutoUpdate();
    EXPECT_EQ(status.texts, (std::vector<std::string>{"Kontrollerar om det finns uppdateringar...",
                                                      "Uppdateringarna inlästa...",
                                                      "Automatisk uppdatering misslyckades!"}));
    EXPECT_EQ(processed, 1);
}

// The answer is read elsewhere and carried out when its plan comes back.
class LaterReading : public PlanReading {
  public:
    explicit LaterReading(XmlParser& parser) : parser_(parser) {}
    void read(std::string answer, std::function<void(UpdatePlan)> planned) override {
        pending_.push_back([this, answer, planned] { planned(readUpdatePlan(parser_, answer)); });
    }
    void deliver() {
        for (auto& p : pending_)
            p();
        pending_.clear();
    }

  private:
    XmlParser& parser_;
    std::vector<std::function<void()>> pending_;
};

TEST_F(OnlineUpdateTest, ThePlanIsCarriedOutWhenItComesBack) {
    LaterReading later(parser);
    http.body = "virus.exe";
    store.stored = Settings{true, false};
    OnlineUpdate::Parts p = parts();
    OnlineUpdate update({p.store, p.consent, p.volume, p.http, later, p.quarantine, p.extraInfo,
                         p.boxes, p.launcher, p.notes, p.status, p.end},
                        "http://u.example");
    update.DoAutoUpdate();
    EXPECT_EQ(status.current(), "Uppdateringarna inlästa...");
    EXPECT_TRUE(quarantine.empty());
    later.deliver();
    EXPECT_TRUE(quarantine.Quarantined("D:\\virus.exe"));
    EXPECT_EQ(status.current(), "Automatisk uppdatering klar...");
}

TEST_F(OnlineUpdateTest, ServiceBaseFromTheEnvironmentFirst) {
#ifdef _WIN32
    _putenv_s("DATAVIND_UPDATE_URL", "http://127.0.0.1:1");
#else
    setenv("DATAVIND_UPDATE_URL", "http://127.0.0.1:1", 1);
#endif
    EXPECT_EQ(OnlineUpdate::serviceBase(), "http://127.0.0.1:1");
#ifdef _WIN32
    _putenv_s("DATAVIND_UPDATE_URL", "");
#else
    unsetenv("DATAVIND_UPDATE_URL");
#endif
    EXPECT_EQ(OnlineUpdate::serviceBase(), publisher::kUpdateServiceBase);
}

} // namespace
} // namespace dv
