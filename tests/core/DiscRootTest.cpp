#include "app/DiscRoot.h"

#include <gtest/gtest.h>

namespace dv {
namespace {

TEST(DiscRoot, FolderOfExecutableWithTrailingSeparator) {
    const std::pair<const char*, const char*> cases[] = {
        {"/media/cdrom/datavind", "/media/cdrom/"},
        {"/datavind", "/"},
        {"D:\\DATAVIND.EXE", "D:\\"},
        {"\\\\server\\share\\cd\\datavind.exe", "\\\\server\\share\\cd\\"},
        {"/mnt/Min skiva/datavind", "/mnt/Min skiva/"},
        {"datavind", ""},
    };
    for (const auto& [path, root] : cases)
        EXPECT_EQ(discRootFromExecutable(path), root) << path;
}

} // namespace
} // namespace dv
