#include "core/update/VolumeRoot.h"

#include <gtest/gtest.h>

namespace dv {
namespace {

TEST(VolumeRoot, DriveOrShareOfAWindowsPath) {
    const std::pair<const char*, const char*> cases[] = {
        {"D:\\", "D:\\"},
        {"D:\\Datavind\\", "D:\\"},
        {"e:/disc/datavind.exe", "e:\\"},
        {"Z:", "Z:\\"},
        {"\\\\server\\share\\disc\\", "\\\\server\\share\\"},
        {"\\\\server\\share", "\\\\server\\share\\"},
        {"//server/share/disc/", "\\\\server\\share\\"},
        {"\\\\?\\D:\\disc\\", "D:\\"},
        {"\\\\?\\UNC\\server\\share\\disc\\", "\\\\server\\share\\"},
        {"\\\\?\\unc\\server\\share", "\\\\server\\share\\"},
        {"\\\\server", ""},
        {"\\\\server\\", ""},
        {"\\\\\\share", ""},
        {"disc\\datavind.exe", ""},
        {"\\disc\\", ""},
        {"/cdrom/", ""},
        {"1:\\", ""},
        {"", ""},
    };
    for (const auto& [path, root] : cases)
        EXPECT_EQ(windowsVolumeRoot(path), root) << path;
}

} // namespace
} // namespace dv
