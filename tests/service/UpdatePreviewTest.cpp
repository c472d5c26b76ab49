#include "UpdatePreview.h"

#include <gtest/gtest.h>

#include <sstream>

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
    EXPECT_NE(text.find("Opens in the web browser: http://a.example/\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("Opens in the web browser: C:"), std::string::npos) << text; // skipped, as the program does
    EXPECT_NE(text.find("Message box (error): Datavinds cd - Sista\n    Hej\n    då\n"), std::string::npos) << text;
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
    EXPECT_TRUE(previewUpdateDocument("<d><quarantine><quarantined>x.exe</quarantined></quarantine></d>", out));
    EXPECT_EQ(out.str().find("Take note"), std::string::npos) << out.str();
}

TEST(UpdatePreview, ABrokenDocumentFails) {
    std::ostringstream out;
    EXPECT_FALSE(previewUpdateDocument("<d><quarantine>", out));
    EXPECT_NE(out.str().find("Status line: Automatisk uppdatering misslyckades!"), std::string::npos);
}

} // namespace
} // namespace dv
