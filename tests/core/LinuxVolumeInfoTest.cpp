#include "LinuxVolumeInfo.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace dv {
namespace {

namespace fs = std::filesystem;

TEST(LinuxVolumeInfo, LabelOfAnIso9660Image) {
    const fs::path dir = fs::temp_directory_path() / "volinfo-iso";
    fs::remove_all(dir);
    fs::create_directories(dir / "content");
    std::ofstream(dir / "content" / "datavind") << "x";
    const fs::path image = dir / "skiva.iso";
    const std::string command = "xorriso -as mkisofs -quiet -V 'ABC 2004' -o '" + image.string() +
                                "' '" + (dir / "content").string() + "' >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0)
        GTEST_SKIP() << "xorriso is not installed";
    EXPECT_EQ(LinuxVolumeInfo::labelOf(image.string()), "ABC 2004");
    fs::remove_all(dir);
}

TEST(LinuxVolumeInfo, LabelOfTheFilesystemHoldingTheDiscFolder) {
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root to loop-mount an image";
    const fs::path dir = fs::temp_directory_path() / "volinfo-ext4";
    fs::remove_all(dir);
    fs::create_directories(dir / "mnt");
    const std::string image = (dir / "skiva.img").string();
    const std::string make = "truncate -s 8M '" + image + "' && mkfs.ext4 -q -F -L 'ABC 2004' '" + image +
                             "' >/dev/null 2>&1 && mount -o loop '" + image + "' '" + (dir / "mnt").string() +
                             "' 2>/dev/null";
    if (std::system(make.c_str()) != 0) {
        fs::remove_all(dir);
        GTEST_SKIP() << "this machine cannot loop-mount an ext4 image";
    }
    fs::create_directories(dir / "mnt" / "docs");
    const std::string root = (dir / "mnt").string() + "/";
    const std::string label = LinuxVolumeInfo(root).getDiscName();
    const std::string inner = LinuxVolumeInfo(root + "docs/").getDiscName();
    std::system(("umount '" + (dir / "mnt").string() + "'").c_str());
    fs::remove_all(dir);
    EXPECT_EQ(label, "ABC 2004");
    EXPECT_EQ(inner, "ABC 2004");
}

TEST(LinuxVolumeInfo, UnreadableOrDevicelessGivesError) {
    EXPECT_EQ(LinuxVolumeInfo::labelOf("/nonexistent/device"), "ERROR");
    EXPECT_EQ(LinuxVolumeInfo("/proc/self/").getDiscName(), "ERROR");   // no device behind it
    EXPECT_EQ(LinuxVolumeInfo("/nonexistent/cd/").getDiscName(), "ERROR");
}

TEST(LinuxVolumeInfo, DataWithoutAFilesystemGivesError) {
    const fs::path file = fs::temp_directory_path() / "volinfo-plain.bin";
    std::ofstream(file, std::ios::binary) << std::string(64 * 1024, '\0');
    EXPECT_EQ(LinuxVolumeInfo::labelOf(file.string()), "ERROR");
    fs::remove(file);
}

} // namespace
} // namespace dv
