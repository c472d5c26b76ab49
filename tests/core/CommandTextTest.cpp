#include "browser/CommandText.h"

#include <gtest/gtest.h>

namespace dv {
namespace {

TEST(CommandText, PrefixInAnyCase) {
    EXPECT_EQ(commandTextOf("COMMAND:QUIT"), "QUIT");
    EXPECT_EQ(commandTextOf("command:Execute=x"), "Execute=x");
    EXPECT_EQ(commandTextOf("CoMmAnD:"), "");
    EXPECT_EQ(commandTextOf("file:///cd/docs/noje/index.htm"), std::nullopt);
    EXPECT_EQ(commandTextOf("COMMAND"), std::nullopt);
    EXPECT_EQ(commandTextOf(" COMMAND:QUIT"), std::nullopt);
}

TEST(CommandText, Grammar) {
    const std::string root = "/media/cd/";
    struct Case {
        const char* text;
        Command expected;
    };
    const Case cases[] = {
        {"EXECUTE=<thisdir>\\program\\setup.sh", {CommandVerb::Execute, "/media/cd\\program\\setup.sh"}},
        {"execute=<ThisDir>\\Spel\\Setup.EXE", {CommandVerb::Execute, "/media/cd\\Spel\\Setup.EXE"}},
        {"eXeCuTe=http://www.a.example/", {CommandVerb::Execute, "http://www.a.example/"}},
        {"EXECUTE=", {CommandVerb::Execute, ""}},
        {"QUIT", {CommandVerb::Quit, ""}},
        {"quitnow", {CommandVerb::Quit, ""}},
        {"Minimize", {CommandVerb::Minimize, ""}},
        {"SHOWINETSETTINGS please", {CommandVerb::ShowInetSettings, ""}},
        {"EXECUTE", {CommandVerb::Unknown, ""}},
        {"QUI", {CommandVerb::Unknown, ""}},
        {"FORMAT=C:", {CommandVerb::Unknown, ""}},
        {"", {CommandVerb::Unknown, ""}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parseCommand(c.text, root), c.expected) << c.text;
}

TEST(CommandText, ThisDirEverywhereAndInAnyCase) {
    EXPECT_EQ(replaceThisDir("<thisdir>\\a <THISDIR>\\b '<tHiSdIr>'", "D:\\"), "D:\\a D:\\b 'D:'");
    EXPECT_EQ(replaceThisDir("<thisdir", "/cd/"), "<thisdir");
    EXPECT_EQ(replaceThisDir("x<thisdir>", "/cd/"), "x/cd");
    EXPECT_EQ(replaceThisDir("åäö<thisdir>ö", "/skiva/"), "åäö/skivaö");
}

} // namespace
} // namespace dv
