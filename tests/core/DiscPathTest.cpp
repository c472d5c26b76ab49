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

} // namespace
} // namespace dv
