#include "core/app/DiscRoot.h"

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

TEST(DiscRoot, RootNamedByTheStartProgramWins) {
    struct Case {
        const char* executable;
        const char* named;
        const char* root;
    };
    const Case cases[] = {
        {"/media/cdrom/linux/datavind", "/media/cdrom", "/media/cdrom/"},
        {"/media/cdrom/linux/datavind", "/media/cdrom/", "/media/cdrom/"},
        {"/media/cdrom/linux/datavind", "", "/media/cdrom/linux/"},
        {"/media/cdrom/datavind", "/", "/"},
        {"D:\\LINUX\\DATAVIND", "D:\\", "D:\\"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(discRootOf(c.executable, c.named), c.root) << c.executable << " " << c.named;
}

} // namespace
} // namespace dv
