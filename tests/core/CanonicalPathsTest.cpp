#include "core/browser/CanonicalPaths.h"
#include "core/browser/DiscTargets.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

namespace dv {
namespace {

namespace fs = std::filesystem;

// The disc-page rule over real folders and links: a page counts by where
// its file really lies, links followed on both sides.
class CanonicalPathsTest : public ::testing::Test {
  protected:
    fs::path disc =
        fs::temp_directory_path() /
        ("canonical-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    fs::path outside = disc.string() + "-ute";
    CanonicalPaths paths;

    void SetUp() override {
        fs::create_directories(disc / "docs");
        fs::create_directories(outside);
        std::ofstream(disc / "docs" / "index.htm") << "x";
        std::ofstream(outside / "elak.htm") << "x";
        fs::create_symlink(outside / "elak.htm", disc / "docs" / "lank.htm"); // leads out
        fs::create_symlink(outside, disc / "docs" / "ut"); // a folder that leads out
        fs::create_symlink(disc / "docs" / "index.htm", outside / "in.htm"); // leads in
        fs::create_symlink(disc, outside / "skivan"); // the disc by another name
    }
    void TearDown() override {
        fs::remove_all(disc);
        fs::remove_all(outside);
    }
};

TEST_F(CanonicalPathsTest, PagesCountWhereTheyReallyLie) {
    const std::string d = disc.string();
    const std::string o = outside.string();
    const std::pair<std::string, bool> cases[] = {
        {d + "/docs/index.htm", true},
        {d + "/docs/../docs/index.htm", true},
        {d + "/docs/lank.htm", false},
        {d + "/docs/ut/elak.htm", false},
        {d + "/docs/../../" + outside.filename().string() + "/elak.htm", false},
        {o + "/elak.htm", false},
        {o + "/in.htm", true},
        {o + "/skivan/docs/index.htm", true},
        {d + "/docs/saknas.htm", false}, // nothing there is no disc page
    };
    for (const std::string& root : {d + "/", o + "/skivan/"}) {
        const DiscPageCheck check(root, paths, PathCase::Sensitive);
        for (const auto& [page, inside] : cases)
            EXPECT_EQ(check.isDiscPage(page), inside) << page << " on " << root;
    }
    // A sibling whose name begins like the disc's is not inside it.
    EXPECT_FALSE(DiscPageCheck(d, paths, PathCase::Sensitive).isDiscPage(o + "/elak.htm"));
}

// Command link targets follow the same rule, written the disc's way.
TEST_F(CanonicalPathsTest, TargetsCountWhereTheyReallyLie) {
    fs::create_directories(disc / "Prog");
    std::ofstream(disc / "Prog" / "setup.sh") << "#!/bin/sh\n";
    fs::create_symlink("/bin/sh", disc / "Prog" / "sh");
    const DiscTargets targets(disc.string() + "/", std::make_unique<CanonicalPaths>(),
                              PathCase::Sensitive);
    const std::string d = disc.string();
    const std::pair<std::string, bool> cases[] = {
        {d + "\\prog\\setup.sh", true}, // found without regard to letter case
        {d + "\\prog\\sh", false},        {d + "/docs/lank.htm", false},
        {d + "/docs/ut/elak.htm", false}, {"/bin/sh", false},
        {d + "/prog/saknas.sh", true}, // left to the launcher
    };
    for (const auto& [file, starts] : cases)
        EXPECT_EQ(targets.mayStart(file), starts) << file;
}

TEST_F(CanonicalPathsTest, RealPathsOfWhatIsThere) {
    EXPECT_EQ(paths.realPath((disc / "docs" / "lank.htm").string()),
              std::optional<std::string>(fs::canonical(outside / "elak.htm").string()));
    EXPECT_EQ(paths.realPath((disc / "docs" / "saknas.htm").string()), std::nullopt);
    EXPECT_EQ(paths.realPath(""), std::nullopt);
}

} // namespace
} // namespace dv
