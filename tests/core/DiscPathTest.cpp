#include "app/DiscPath.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace dv {
namespace {

namespace fs = std::filesystem;

class DiscPathTest : public ::testing::Test {
protected:
    fs::path root = fs::temp_directory_path() / ("discpath-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    void SetUp() override {
        fs::create_directories(root / "Program" / "Spel");
        std::ofstream(root / "Program" / "Spel" / "Setup.sh") << "x";
        std::ofstream(root / "readme.txt") << "x";
    }
    void TearDown() override { fs::remove_all(root); }
};

TEST_F(DiscPathTest, BackslashesAndLetterCase) {
    const std::string r = root.string();
    EXPECT_EQ(resolveDiscPath(r + "\\Program\\Spel\\Setup.sh"), r + "/Program/Spel/Setup.sh");
    EXPECT_EQ(resolveDiscPath(r + "\\PROGRAM\\spel\\SETUP.SH"), r + "/Program/Spel/Setup.sh");
    EXPECT_EQ(resolveDiscPath(r + "/README.TXT"), r + "/readme.txt");
    // Nothing matches: the path as written, with separators.
    EXPECT_EQ(resolveDiscPath(r + "\\program\\saknas.sh"), r + "/program/saknas.sh");
}

// Inside the disc by real place: links are followed on both sides.
TEST_F(DiscPathTest, InsideTheDiscByRealPlace) {
    const fs::path outside = root.string() + "-ute";
    fs::create_directories(outside);
    std::ofstream(outside / "elak.htm") << "x";
    fs::create_directories(root / "docs");
    fs::create_symlink(outside / "elak.htm", root / "docs" / "lank.htm");           // leads out
    fs::create_symlink(root / "readme.txt", outside / "in.txt");                    // leads in
    fs::create_symlink(root, outside / "skivan");                                  // the disc by another name
    fs::create_symlink(outside, root / "docs" / "ut");                              // a folder that leads out

    const std::string r = root.string();
    const std::string o = outside.string();
    const std::pair<std::string, bool> cases[] = {
        {r + "/readme.txt", true},
        {r + "/Program/Spel/Setup.sh", true},
        {r + "/docs/saknas.htm", true},            // not there: the folder decides
        {r, true},
        {r + "/docs/lank.htm", false},
        {r + "/docs/ut/elak.htm", false},
        {r + "/docs/../../" + fs::path(o).filename().string() + "/elak.htm", false},
        {o + "/elak.htm", false},
        {o + "/in.txt", true},
        {o + "/skivan/readme.txt", true},
        {"/etc/passwd", false},
        {"", false},
    };
    for (const auto& [path, inside] : cases) {
        EXPECT_EQ(isInsideDisc(path, r + "/"), inside) << path;
        EXPECT_EQ(isInsideDisc(path, o + "/skivan/"), inside) << path << " (root through a link)";
    }
    EXPECT_FALSE(isInsideDisc(r + "/readme.txt", ""));
    // Whole names: a sibling whose name starts like the disc's is outside.
    EXPECT_FALSE(isInsideDisc(o + "/elak.htm", r));
    fs::remove_all(outside);
}

} // namespace
} // namespace dv
