#include "core/app/DiscPath.h"
#include "core/text/Utf8Path.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace dv {
namespace {

namespace fs = std::filesystem;

class DiscPathTest : public ::testing::Test {
  protected:
    fs::path root =
        fs::temp_directory_path() /
        ("discpath-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    void SetUp() override {
        fs::create_directories(root / "Program" / "Spel");
        std::ofstream(root / "Program" / "Spel" / "Setup.sh") << "x";
        std::ofstream(root / "readme.txt") << "x";
        fs::create_directories(root / pathFromUtf8("Månadens"));
        std::ofstream(root / pathFromUtf8("Månadens") / pathFromUtf8("Låt.mp3")) << "x";
    }
    void TearDown() override { fs::remove_all(root); }
};

TEST_F(DiscPathTest, BackslashesAndLetterCase) {
    const std::string r = utf8FromPath(root);
    struct Case {
        std::string written; // as a page or the program writes it
        std::string onDisc;  // the file it must name, "/"-separated under the root
    };
    const Case cases[] = {
        {"\\Program\\Spel\\Setup.sh", "/Program/Spel/Setup.sh"},
        {"\\PROGRAM\\spel\\SETUP.SH", "/Program/Spel/Setup.sh"},
        {"/README.TXT", "/readme.txt"},
        {"\\MåNADENS\\LåT.MP3", "/Månadens/Låt.mp3"},
    };
    for (const Case& c : cases) {
        const std::string resolved = resolveDiscPath(r + c.written);
        EXPECT_TRUE(fs::equivalent(pathFromUtf8(resolved), pathFromUtf8(r + c.onDisc)))
            << c.written;
#ifndef _WIN32
        // Here names have a case of their own: the result spells the file as it is.
        EXPECT_EQ(resolved, r + c.onDisc);
#endif
    }
}

TEST_F(DiscPathTest, NothingMatchesGivesThePathAsWritten) {
    const std::string r = utf8FromPath(root);
    const std::string resolved = resolveDiscPath(r + "\\program\\saknas.sh");
#ifdef _WIN32
    EXPECT_EQ(resolved, r + "\\program\\saknas.sh");
#else
    EXPECT_EQ(resolved, r + "/program/saknas.sh");
#endif
}

} // namespace
} // namespace dv
