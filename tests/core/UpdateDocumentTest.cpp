#include "core/update/UpdateDocument.h"

#include "PlatformXmlParser.h"
#include "RecordingPorts.h"
#include "UpdateDocumentTable.h"
#include "core/browser/FileLauncher.h"
#include "core/browser/TExtraInfoList.h"
#include "core/update/QuarantineList.h"

#include <gtest/gtest.h>

namespace dv {
namespace {

using test::CallLog;

class FakeEnd : public ApplicationEnd {
  public:
    explicit FakeEnd(CallLog& log) : log_(log) {}
    void requestTermination() override { log_.push_back("terminate"); }

  private:
    CallLog& log_;
};

class UpdateDocumentTest : public ::testing::Test {
  protected:
    CallLog log;
    test::PlatformXmlParser parser;
    QuarantineList quarantine;
    TExtraInfoList notes;
    test::FakeMessageBoxes boxes{&log};
    test::FakeLauncher launcher{log};
    test::FakeWaitingWindow waiting{log};
    FileLauncher fileLauncher{launcher, waiting, boxes};
    test::FakeExtraInfoDialog dialog{log};
    test::FakeStatusLine status;
    FakeEnd end{log};
    UpdateDocument document{{parser, quarantine, notes, boxes, fileLauncher, dialog, status, end}};

    CallLog without(std::string_view prefix) const {
        CallLog out;
        for (const auto& s : log)
            if (!s.starts_with(prefix))
                out.push_back(s);
        return out;
    }
};

using test::table::kWorkedExample;

TEST_F(UpdateDocumentTest, WorkedExample) {
    document.AutoUpdateComplete(kWorkedExample);
    EXPECT_EQ(status.texts, (std::vector<std::string>{"Uppdateringarna inlästa...",
                                                      "Automatisk uppdatering klar..."}));
    ASSERT_EQ(boxes.shown.size(), 3u);
    EXPECT_EQ(boxes.shown[0].caption, "Datavinds cd - Karantän");
    EXPECT_EQ(boxes.shown[0].icon, MessageIcon::Information);
    EXPECT_EQ(boxes.shown[1].caption, "Datavinds cd");
    EXPECT_EQ(boxes.shown[1].text,
              "Den automatiska uppdateringen kommer nu att starta ett webbläsarfönster,\r"
              "eftersom Datavinds redaktion har något viktigt att berätta om denna skiva.");
    EXPECT_EQ(boxes.shown[2].caption, "Datavinds cd - Viktigt");
    EXPECT_EQ(boxes.shown[2].text, "En rad\ren andra rad");
    EXPECT_EQ(boxes.shown[2].icon, MessageIcon::Warning);
    // The page opens after its notice.
    const CallLog order = without("waiting:");
    ASSERT_GE(order.size(), 3u);
    EXPECT_EQ(order[2], "open:http://www.datavind.example/viktigt.htm|");
    EXPECT_TRUE(quarantine.Quarantined("/cd\\prog\\virus.exe"));
    EXPECT_TRUE(quarantine.Quarantined("/cd\\docs\\badlink.htm"));
    ASSERT_EQ(notes.Count(), 2u); // the message is read as a record too
    const TExtraInfo* note = notes.Find("/cd\\spel\\setup.exe");
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note->Information, "Spelet kräver ett 3D-kort.");
    EXPECT_TRUE(note->CanRun);
    EXPECT_EQ(std::count(log.begin(), log.end(), "terminate"), 0);
    EXPECT_EQ(
        boxes.shown[0].text,
        "Denna skiva innehåller en eller flera filer eller länkar som satts i karantän efter att "
        "skivan trycktes!\r\rAnledningen till karantänen är att problem upptäckts när skivan redan "
        "distribuerats. Du kan utan problem\rfortsätta använda skivan, eftersom de filer som är "
        "satta i karantän inte kommer att kunna startas.");
}

TEST_F(UpdateDocumentTest, NoOrEmptyQuarantineEmptiesTheList) {
    for (const char* doc :
         {"<dvcd/>", "<dvcd><quarantine/></dvcd>", "<dvcd><quarantine>\n</quarantine></dvcd>"}) {
        quarantine.append("gammal");
        boxes.shown.clear();
        document.AutoUpdateComplete(doc);
        EXPECT_TRUE(quarantine.empty()) << doc;
        EXPECT_TRUE(boxes.shown.empty()) << doc;
        EXPECT_EQ(status.current(), "Automatisk uppdatering klar...");
    }
}

TEST_F(UpdateDocumentTest, SeveritiesAndTheirIcons) {
    const std::pair<const char*, std::optional<MessageIcon>> cases[] = {
        {"Information", MessageIcon::Information},
        {"WARNING", MessageIcon::Warning},
        {"error", MessageIcon::Error},
        {" ERROR", std::nullopt},
        {"fel", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [severity, icon] : cases) {
        boxes.shown.clear();
        document.AutoUpdateComplete(
            std::string("<d><message><caption>C</caption><text>T</text><severity>") + severity +
            "</severity></message></d>");
        if (icon) {
            ASSERT_EQ(boxes.shown.size(), 1u) << severity;
            EXPECT_EQ(boxes.shown[0].icon, *icon) << severity;
            EXPECT_EQ(boxes.shown[0].caption, "Datavinds cd - C");
        } else {
            EXPECT_TRUE(boxes.shown.empty()) << severity;
        }
    }
}

TEST_F(UpdateDocumentTest, ExtraInfoMessageWithoutAddress) {
    document.AutoUpdateComplete("<d><message><caption>Nytt</caption><text>a#13#13b</text>"
                                "<severity>extrainfo</severity></message></d>");
    EXPECT_EQ(log, CallLog{"notice:Datavinds cd - Nytt|a\r\rb|"});
}

TEST_F(UpdateDocumentTest, OnlyZeroEndsTheProgramAfterTheRest) {
    const std::pair<const char*, int> cases[] = {
        {"0", 1}, {"1", 0}, {"false", 0}, {"", 0}, {" 0", 0}};
    for (const auto& [value, ends] : cases) {
        log.clear();
        document.AutoUpdateComplete(
            std::string("<d><message><severity>INFORMATION</severity><cancontinue>") + value +
            "</cancontinue></message><message><severity>ERROR</severity>"
            "<text>sist</text></message></d>");
        EXPECT_EQ(std::count(log.begin(), log.end(), "terminate"), ends) << value;
        // The remaining messages still come, and the end only after the last.
        EXPECT_EQ(log[log.size() - 1 - static_cast<std::size_t>(ends)], "box:sist") << value;
        if (ends) {
            EXPECT_EQ(log.back(), "terminate") << value;
        }
        EXPECT_EQ(status.current(), "Automatisk uppdatering klar...") << value;
    }
}

TEST_F(UpdateDocumentTest, AnEndAskedForHoldsWhenALaterPartFails) {
    document.AutoUpdateComplete(
        "<d><message><severity>ERROR</severity><text>slut</text><cancontinue>0</cancontinue>"
        "</message><message><severity>ERROR</severity><text><b>x</b></text></message></d>");
    EXPECT_EQ(log, (CallLog{"box:slut", "terminate"}));
    EXPECT_EQ(status.current(), "Automatisk uppdatering misslyckades!");
}

TEST_F(UpdateDocumentTest, TwoPopupsAndNoOtherAddressesThanWebPages) {
    document.AutoUpdateComplete(
        "<d><popup><url>http://a.example/1</url><url>https://b.example/2</url>"
        "<url>C:\\windows\\system32\\format.com c:</url><url>/bin/sh</url>"
        "<url>file:///etc/passwd</url></popup></d>");
    EXPECT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(without("waiting:").size(), 4u);
    EXPECT_NE(std::find(log.begin(), log.end(), "open:http://a.example/1|"), log.end());
    EXPECT_NE(std::find(log.begin(), log.end(), "open:https://b.example/2|"), log.end());
}

TEST_F(UpdateDocumentTest, ErrorPageLeavesBothListsAsTheyWere) {
    quarantine.append("kvar");
    notes.Add({"kvar", "", "", true});
    document.AutoUpdateComplete(
        "<html><body><h1>404 Not Found</h1><p>Sidan finns inte<br></p></body></html>");
    EXPECT_EQ(status.current(), "Automatisk uppdatering misslyckades!");
    EXPECT_TRUE(quarantine.Quarantined("kvar"));
    EXPECT_NE(notes.Find("kvar"), nullptr);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(UpdateDocumentTest, ElementHoldingElementsStopsWhereItIs) {
    document.AutoUpdateComplete("<d><quarantine><quarantined>a.exe</quarantined>"
                                "<quarantined><b>x</b></quarantined></quarantine><extrainfo/></d>");
    EXPECT_EQ(status.current(), "Automatisk uppdatering misslyckades!");
    EXPECT_TRUE(quarantine.Quarantined("a.exe")); // what was done stays done
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(UpdateDocumentTest, HostileDocumentsAreRefused) {
    std::string nested;
    for (int i = 0; i < 70; ++i)
        nested += "<a>";
    for (int i = 0; i < 70; ++i)
        nested += "</a>";
    const std::string huge = "<d><quarantine><quarantined>" + std::string(1100000, 'x') +
                             "</quarantined></quarantine></d>";
    const std::string entity = "<!DOCTYPE d [<!ENTITY e \"virus.exe\">]><d><quarantine>"
                               "<quarantined>&e;</quarantined></quarantine></d>";
    const std::string external = "<!DOCTYPE d SYSTEM \"http://127.0.0.1:9/dtd\"><d><quarantine>"
                                 "<quarantined>&ext;</quarantined></quarantine></d>";
    for (const std::string& doc : {nested, huge, entity, external}) {
        quarantine.clear();
        status.texts.clear();
        document.AutoUpdateComplete(doc);
        EXPECT_EQ(status.current(), "Automatisk uppdatering misslyckades!") << doc.substr(0, 40);
        EXPECT_FALSE(quarantine.Quarantined("virus.exe"));
    }
}

TEST_F(UpdateDocumentTest, EncodingFromTheDeclaration) {
    document.AutoUpdateComplete("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><d><quarantine>"
                                "<quarantined>sn\xf6"
                                "boll.exe</quarantined></quarantine></d>");
    EXPECT_TRUE(quarantine.Quarantined("/cd/snöboll.exe"));
}

} // namespace
} // namespace dv
