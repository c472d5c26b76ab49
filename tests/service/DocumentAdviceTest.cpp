#include "DocumentAdvice.h"

#include <gtest/gtest.h>

#include <string>

namespace dv {
namespace {

std::string adviceOn(const std::string& body) {
    std::string text;
    for (const std::string& note : documentAdvice("<dvcd>" + body + "</dvcd>"))
        text += note + "\n";
    return text;
}

TEST(DocumentAdvice, ADocumentThatSaysWhatItDoesGetsNoNotes) {
    EXPECT_EQ(
        adviceOn(
            "<quarantine><quarantined>virus.exe</quarantined></quarantine>"
            "<popup><url>https://www.datavind.example/viktigt.htm</url></popup>"
            "<extrainfo><filename>setup.exe</filename><information>Kräver 3D-kort.</information>"
            "<url>http://www.datavind.example/</url><canrun>1</canrun></extrainfo>"
            "<message><caption>Viktigt</caption><text>Hej</text><severity>Warning</severity>"
            "<cancontinue>0</cancontinue></message>"),
        "");
    EXPECT_EQ(adviceOn(""), "");
    EXPECT_TRUE(documentAdvice("<dvcd><broken").empty());
}

TEST(DocumentAdvice, TellsWhatTheProgramDoesOtherwise) {
    const struct {
        std::string body;
        std::string note;
    } cases[] = {
        // Popups that are skipped, and why.
        {"<popup><url>C:\\format.com</url></popup>",
         "Popup 1 \"C:\\format.com\" is skipped, notice and all: it is not an http:// or https:// "
         "address"},
        {"<popup><url>http://a.example/</url><url>http://a.example/a b.htm</url></popup>",
         "Popup 2 \"http://a.example/a b.htm\" is skipped, notice and all: it holds a blank"},
        {"<popup><url>http://a.example/it's.htm</url></popup>",
         "it holds an apostrophe (write it as %27)"},
        {"<popup><url>ftp://a.example/</url></popup>", "it is not an http:// or https:// address"},
        {"<popup><url>http:///x</url></popup>", "it names no host"},
        {"<popup><url/></popup>", "Popup 1 \"\" is skipped, notice and all: it is empty"},
        // The group rule reads what follows the first of a kind.
        {"<quarantine><quarantined>a.exe</quarantined><!-- gammal: b.exe --></quarantine>",
         "The comment \" gammal: b.exe \" after the first <quarantined> becomes quarantine entry 2 "
         "\" gammal: b.exe \""},
        {"<quarantine><quarantined>a.exe</quarantined><note>b.exe</note></quarantine>",
         "The element <note> after the first <quarantined> becomes quarantine entry 2 \"b.exe\""},
        {"<popup><url>http://a.example/</url><link>http://b.example/</link></popup>",
         "The element <link> after the first <url> of <popup> is read as popup 2"},
        {"<extrainfo><filename>a.exe</filename><information>i</information></extrainfo>"
         "<message><filename>b.exe</filename><severity>ERROR</severity><caption>c</"
         "caption><text>t</text></message>",
         "The element <message> after the first <extrainfo> is read as note 2, for targets holding "
         "\"b.exe\""},
        {"<message><severity>ERROR</severity><text>a</text><caption>c</caption></message>"
         "<Message><severity>ERROR</severity><text>b</text><caption>c</caption></Message>",
         "The element <Message> after the first <message> is read as message 2, which is shown "
         "(severity ERROR)"},
        {"<message><severity>ERROR</severity><text>a</text><caption>c</caption></message>"
         "<slut><cancontinue>0</cancontinue></slut>",
         "The element <slut> after the first <message> is read as message 2, which ends the "
         "program"},
        {"<Message><severity>ERROR</severity></Message>",
         "The element <Message> is not read (names are matched exactly, letter case too)"},
        {"<quarantine/><quarantine><quarantined>x</quarantined></quarantine>",
         "The element <quarantine> is not read (only the first <quarantine> is)"},
        // Texts that are empty after trimming.
        {"<quarantine><quarantined/></quarantine>",
         "Quarantine entry 1 is empty: it never matches a target"},
        {"<quarantine><quarantined>  </quarantined></quarantine>",
         "Quarantine entry 1 is only blanks: it matches every target that holds these blanks"},
        {"<quarantine><quarantined> virus.exe</quarantined></quarantine>",
         "Quarantine entry 1 \" virus.exe\" has blanks or line breaks around it, which are part of "
         "it"},
        {"<extrainfo><filename></filename><information>x</information></extrainfo>",
         "Note 1's file name is empty: the note never matches a target"},
        {"<extrainfo><filename> </filename><information>x</information></extrainfo>",
         "Note 1's file name is only blanks: the note matches every target that holds these "
         "blanks"},
        {"<extrainfo><filename>a.exe</filename><information>\n</information></extrainfo>",
         "Note 1 has no text to show"},
        {"<message><severity>INFORMATION</severity><caption>c</caption><text> </text></message>",
         "Message 1 has no text to show"},
        {"<message><severity>INFORMATION</severity><text>t</text></message>",
         "Message 1 has no caption: its box is captioned \"Datavinds cd - \""},
        // Severities that show nothing.
        {"<message><severity> ERROR</severity><caption>c</caption><text>t</text></message>",
         "Message 1's severity \" ERROR\" is none of INFORMATION, WARNING, ERROR or EXTRAINFO: it "
         "shows nothing"},
        {"<message><severity>Varning</severity></message>",
         "Message 1's severity \"Varning\" is none of"},
        {"<message><caption>c</caption><text>t</text></message>", "Message 1 has no severity"},
        // Flags that are not exactly "0" or "1".
        {"<message><severity>ERROR</severity><caption>c</caption><text>t</text><cancontinue> "
         "0</cancontinue></message>",
         "Message 1's cancontinue \" 0\" is neither \"0\" nor \"1\": the program goes on after it"},
        {"<message><severity>ERROR</severity><caption>c</caption><text>t</text><cancontinue>false</"
         "cancontinue>"
         "</message>",
         "Message 1's cancontinue \"false\" is neither"},
        {"<extrainfo><filename>a.exe</filename><information>i</information><canrun>yes</canrun></"
         "extrainfo>",
         "Note 1's canrun \"yes\" is neither \"0\" nor \"1\": the item may not be started"},
        // Addresses shown but never opened.
        {"<extrainfo><filename>a.exe</filename><information>i</information><url>file:///etc</url></"
         "extrainfo>",
         "Note 1's address \"file:///etc\" is shown but never opened: it is not an http:// or "
         "https:// address"},
        {"<message><severity>extrainfo</severity><caption>c</caption><text>t</"
         "text><url>www.a.example</url></message>",
         "Message 1's address \"www.a.example\" is shown but never opened"},
    };
    for (const auto& c : cases)
        EXPECT_NE(adviceOn(c.body).find(c.note), std::string::npos) << c.body << "\n--- got:\n"
                                                                    << adviceOn(c.body);
}

TEST(DocumentAdvice, QuietAboutWhatIsAsWrittenOrDoesNothing) {
    // Absent flags are the documented defaults; blanks between elements are
    // layout; a message or comment read as a note without a file name never
    // matches, and a comment read as a message shows nothing.
    EXPECT_EQ(
        adviceOn(
            "\n  <extrainfo><filename>a.exe</filename><information>i</information></extrainfo>\n"
            "  <!-- meddelanden -->\n"
            "  <message><severity>ERROR</severity><caption>c</caption><text>t</text></message>\n"
            "  <!-- slut -->\n"),
        "");
}

} // namespace
} // namespace dv
