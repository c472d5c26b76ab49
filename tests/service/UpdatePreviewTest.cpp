#include "UpdatePreview.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace dv {
namespace {

TEST(UpdatePreview, TellsWhatTheProgramWouldDo) {
    std::ostringstream out;
    EXPECT_TRUE(previewUpdateDocument(
        "<d><popup><url>http://a.example/</url><url>C:\\format.com</url></popup>"
        "<message><caption>Sista</caption><text>Hej#13då</text><severity>error</severity>"
        "<cancontinue>0</cancontinue></message></d>",
        out));
    const std::string text = out.str();
    EXPECT_NE(text.find("Opens in the web browser: http://a.example/\n"), std::string::npos)
        << text;
    EXPECT_EQ(text.find("Opens in the web browser: C:"), std::string::npos)
        << text; // skipped, as the program does
    EXPECT_NE(text.find("Message box (error): Datavinds cd - Sista\n    Hej\n    då\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("The program ends after the last message."), std::string::npos) << text;
    EXPECT_NE(text.find("Quarantined: nothing"), std::string::npos) << text;
    // And why the second popup is not opened.
    EXPECT_NE(text.find("Take note (the program does not do what the document may seem to say):\n"
                        "    Popup 2 \"C:\\format.com\" is skipped"),
              std::string::npos)
        << text;
}

TEST(UpdatePreview, NoNotesWhenThereIsNothingToNote) {
    std::ostringstream out;
    EXPECT_TRUE(previewUpdateDocument(
        "<d><quarantine><quarantined>x.exe</quarantined></quarantine></d>", out));
    EXPECT_EQ(out.str().find("Take note"), std::string::npos) << out.str();
}

TEST(UpdatePreview, ABrokenDocumentFails) {
    std::ostringstream out;
    EXPECT_FALSE(previewUpdateDocument("<d><quarantine>", out));
    EXPECT_NE(out.str().find("Status line: Automatisk uppdatering misslyckades!"),
              std::string::npos);
}

TEST(UpdatePreview, EachRefusalSaysItsOwnReason) {
    std::string attributes = "<d><e";
    for (int i = 0; i < 200; ++i)
        attributes += " a" + std::to_string(i) + "=\"1\"";
    attributes += "/></d>";
    const struct {
        std::string document;
        std::string reason; // a piece of it
    } cases[] = {
        {"<d>" + std::string(1024 * 1024, ' ') + "</d>", "too large: more than 1 MiB"},
        {"<!DOCTYPE d [<!ENTITY e \"x\">]><d/>", "document type"},
        {attributes, "more than 64"},
        {"<d><quarantine><quarantined><b/></quarantined></quarantine></d>",
         "the quarantine entries cannot be read: the element quarantined holds more than a text"},
        {"<?xml version=\"1.0\" encoding=\"KOI8-R\"?><d/>", "KOI8-R"},
    };
    std::vector<std::string> reasons;
    for (const auto& c : cases) {
        const auto reason = updateRefusal(c.document);
        ASSERT_TRUE(reason) << c.reason;
        EXPECT_NE(reason->find(c.reason), std::string::npos) << *reason;
        std::ostringstream out;
        EXPECT_FALSE(previewUpdateDocument(c.document, out));
        EXPECT_NE(out.str().find("Refused: " + *reason + "\n"), std::string::npos) << out.str();
        reasons.push_back(*reason);
    }
    // Not well formed: whatever the parser says, it is said, and it differs
    // from the others.
    const auto broken = updateRefusal("<d><quarantine>");
    ASSERT_TRUE(broken);
    EXPECT_FALSE(broken->empty());
    for (const std::string& other : reasons)
        EXPECT_NE(*broken, other);
    EXPECT_FALSE(updateRefusal("<d><quarantine><quarantined>x</quarantined></quarantine></d>"));
}

} // namespace
} // namespace dv
