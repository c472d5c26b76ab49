#include "core/app/RegularFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>

#include <sys/stat.h>
#include <unistd.h>

namespace dv {
namespace {

namespace fs = std::filesystem;

class RegularFileTest : public ::testing::Test {
  protected:
    fs::path dir =
        fs::temp_directory_path() /
        ("regular-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    void SetUp() override {
        fs::create_directories(dir);
        std::ofstream(dir / "fil.txt", std::ios::binary) << "#!/bin/sh\necho hej\n";
    }
    void TearDown() override { fs::remove_all(dir); }
};

// Every kind of name: only regular files (and links to one) are opened, and
// nothing waits on a FIFO.
TEST_F(RegularFileTest, EveryKindOfName) {
    struct Case {
        const char* name;
        std::function<void(const fs::path&)> make;
        bool regular;
        const char* reason; // what the refusal says
    };
    const Case cases[] = {
        {"file", [](const fs::path&) {}, true, ""},
        {"link", [](const fs::path& p) { fs::create_symlink("fil.txt", p); }, true, ""},
        {"fifo", [](const fs::path& p) { ASSERT_EQ(mkfifo(p.c_str(), 0644), 0); }, false,
         "Invalid argument"},
        {"folder", [](const fs::path& p) { fs::create_directory(p); }, false, "Is a directory"},
        {"dangling", [](const fs::path& p) { fs::create_symlink("saknas", p); }, false,
         "No such file or directory"},
        {"device", [](const fs::path& p) { fs::create_symlink("/dev/zero", p); }, false,
         "Invalid argument"},
        {"missing", [](const fs::path&) {}, false, "No such file or directory"},
    };
    for (const Case& c : cases) {
        const fs::path p = std::string(c.name) == "file" ? dir / "fil.txt" : dir / c.name;
        c.make(p);
        EXPECT_EQ(isRegularFile(p.string()), c.regular) << c.name;
        const auto start = readFileStart(p.string(), 4);
        if (c.regular) {
            EXPECT_EQ(start, std::optional<std::string>("#!/b")) << c.name;
            EXPECT_NO_THROW(openRegularFile(p.string())) << c.name;
            continue;
        }
        EXPECT_EQ(start, std::nullopt) << c.name;
        try {
            openRegularFile(p.string());
            ADD_FAILURE() << c.name << " was opened";
        } catch (const std::runtime_error& e) {
            EXPECT_EQ(std::string(e.what()), std::string(c.reason) + ": " + p.string());
        }
    }
}

TEST_F(RegularFileTest, ShortAndUnreadableFiles) {
    std::ofstream(dir / "kort", std::ios::binary) << "ab";
    EXPECT_EQ(readFileStart((dir / "kort").string(), 4), std::optional<std::string>("ab"));
    std::ofstream(dir / "tom", std::ios::binary);
    EXPECT_EQ(readFileStart((dir / "tom").string(), 4), std::optional<std::string>(""));
    if (geteuid() == 0)
        return; // root reads everything
    fs::permissions(dir / "kort", fs::perms::none);
    EXPECT_EQ(readFileStart((dir / "kort").string(), 4), std::nullopt);
    EXPECT_THROW(openRegularFile((dir / "kort").string()), std::runtime_error);
}

} // namespace
} // namespace dv
