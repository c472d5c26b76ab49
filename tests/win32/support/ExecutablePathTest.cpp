#include "win32/support/ExecutablePath.h"

#include "core/app/DiscRoot.h"
#include "core/text/Utf8Path.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace dv::win32 {
namespace {

TEST(ExecutablePathTest, NamesThisProgramWhateverTheFirstBuffer) {
    const std::string path = executablePath();
    ASSERT_FALSE(path.empty());
    EXPECT_TRUE(std::filesystem::is_regular_file(pathFromUtf8(path))) << path;
    EXPECT_TRUE(path.ends_with("\\win32_support_tests.exe")) << path;
    // Too small a buffer at first is grown until the whole path fits.
    for (const std::size_t guess : {0u, 1u, 4u, 17u})
        EXPECT_EQ(executablePath(guess), path) << guess;
}

TEST(ExecutablePathTest, TheDiscRootIsItsFolderWithTheSeparator) {
    const std::string path = executablePath();
    const std::string root = discRootFromExecutable(path);
    EXPECT_EQ(root + "win32_support_tests.exe", path);
    EXPECT_TRUE(root.ends_with("\\"));
    EXPECT_TRUE(std::filesystem::is_directory(pathFromUtf8(root)));
}

} // namespace
} // namespace dv::win32
