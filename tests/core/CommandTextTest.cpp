#include "core/browser/CommandText.h"

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
        {"EXECUTE=<thisdir>\\program\\setup.sh",
         {CommandVerb::Execute,
          "/media/cd\\program\\setup.sh",
          {"/media/cd\\program\\setup.sh", ""}}},
        {"execute=<ThisDir>\\Spel\\Setup.EXE /S",
         {CommandVerb::Execute,
          "/media/cd\\Spel\\Setup.EXE /S",
          {"/media/cd\\Spel\\Setup.EXE", "/S"}}},
        {"eXeCuTe=http://www.a.example/",
         {CommandVerb::Execute, "http://www.a.example/", {"http://www.a.example/", ""}}},
        {"EXECUTE=", {CommandVerb::Execute, "", {"", ""}}},
        {"QUIT", {CommandVerb::Quit, "", {}}},
        {"quitnow", {CommandVerb::Quit, "", {}}},
        {"Minimize", {CommandVerb::Minimize, "", {}}},
        {"SHOWINETSETTINGS please", {CommandVerb::ShowInetSettings, "", {}}},
        {"EXECUTE", {CommandVerb::Unknown, "", {}}},
        {"QUI", {CommandVerb::Unknown, "", {}}},
        {"FORMAT=C:", {CommandVerb::Unknown, "", {}}},
        {"", {CommandVerb::Unknown, "", {}}},
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

// A Linux desktop mounts the disc at /media/<user>/<label>, and labels hold
// blanks: the target is cut as written, then the root goes in.
TEST(CommandText, CutBeforeTheRootGoesIn) {
    struct Case {
        const char* root;
        const char* written;
        SplitTarget expected;
    };
    const Case cases[] = {
        {"/media/reader/DV 12 2004/",
         "<thisdir>\\tillagg\\kallkod.txt",
         {"/media/reader/DV 12 2004\\tillagg\\kallkod.txt", ""}},
        {"/media/reader/DV 12 2004/",
         "<thisdir>\\program\\installera.sh 'Hushållskassan 2005'",
         {"/media/reader/DV 12 2004\\program\\installera.sh", "Hushållskassan 2005"}},
        {"/media/reader/DV 12 2004/",
         "<THISDIR>\\setup.sh /S /D=<thisdir>\\x",
         {"/media/reader/DV 12 2004\\setup.sh", "/S /D=/media/reader/DV 12 2004\\x"}},
        {"/media/läsare/Skivan för jul 2004/",
         "<thisdir>\\program\\argrec.sh -a",
         {"/media/läsare/Skivan för jul 2004\\program\\argrec.sh", "-a"}},
        {"/media/reader/Bob's cd/", "<thisdir>\\a.sh", {"/media/reader/Bob's cd\\a.sh", ""}},
        {"/media/reader/Bob's cd/",
         "<thisdir>\\a.sh 'x y'",
         {"/media/reader/Bob's cd\\a.sh", "x y"}},
        {"/media/reader/Bob's cd/",
         "'<thisdir>\\Mina Program\\a.sh' -v",
         {"/media/reader/Bob's cd\\Mina Program\\a.sh", "-v"}},
        // The link's own blank still cuts, wherever the disc lies.
        {"/media/reader/DV 12 2004/",
         "<thisdir>\\Mina Program\\x.sh",
         {"/media/reader/DV 12 2004\\Mina", "Program\\x.sh"}},
        {"/media/reader/DV 12 2004/", "http://www.a.example/", {"http://www.a.example/", ""}},
    };
    for (const Case& c : cases) {
        const Command command = parseCommand(std::string("EXECUTE=") + c.written, c.root);
        EXPECT_EQ(command.launch, c.expected) << c.root << " | " << c.written;
        EXPECT_EQ(command.target, replaceThisDir(c.written, c.root)) << c.written;
    }
}

// A root without blanks or apostrophes (every Windows drive) cuts exactly
// where the replaced target would be cut.
TEST(CommandText, RootWithoutBlanksCutsAsBefore) {
    const char* written[] = {
        "<thisdir>\\setup.exe",
        "<thisdir>\\setup.exe /S /LANG=SV",
        "<thisdir>\\setup.exe 'tre ord här'",
        "<thisdir>\\Mina Program\\x.exe",
        "'<thisdir>\\Mina Program\\x.exe' 'a b'",
        "x.exe <thisdir>",
        "",
    };
    for (const char* root : {"D:\\", "/media/cdrom/", "/cd/"})
        for (const char* w : written)
            EXPECT_EQ(splitCommandTarget(w, root), splitTarget(replaceThisDir(w, root)))
                << root << " | " << w;
}

} // namespace
} // namespace dv
