#include "linux/LinuxVolumeInfo.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
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
    const std::string make = "truncate -s 8M '" + image + "' && mkfs.ext4 -q -F -L 'ABC 2004' '" +
                             image + "' >/dev/null 2>&1 && mount -o loop '" + image + "' '" +
                             (dir / "mnt").string() + "' 2>/dev/null";
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
    EXPECT_EQ(LinuxVolumeInfo("/proc/self/").getDiscName(), "ERROR"); // no device behind it
    EXPECT_EQ(LinuxVolumeInfo("/nonexistent/cd/").getDiscName(), "ERROR");
}

TEST(LinuxVolumeInfo, DataWithoutAFilesystemGivesError) {
    const fs::path file = fs::temp_directory_path() / "volinfo-plain.bin";
    std::ofstream(file, std::ios::binary) << std::string(64 * 1024, '\0');
    EXPECT_EQ(LinuxVolumeInfo::labelOf(file.string()), "ERROR");
    fs::remove(file);
}

TEST(LinuxVolumeInfo, UdevTextIsDecoded) {
    const std::pair<const char*, const char*> cases[] = {
        {"ABC\\x202004", "ABC 2004"},
        {"a\\x2fb\\x5cc", "a/b\\c"},
        {"Sn\xC3\xB6", "Sn\xC3\xB6"},
        {"\\x", "\\x"},
        {"\\x4", "\\x4"},
        {"\\xzz", "\\xzz"},
        {"plain", "plain"},
    };
    for (const auto& [encoded, decoded] : cases)
        EXPECT_EQ(LinuxVolumeInfo::decodeUdevText(encoded), decoded) << encoded;
}

TEST(LinuxVolumeInfo, ByLabelNamesLeadToTheDevice) {
    struct stat loop {};
    struct stat other {};
    if (stat("/dev/loop0", &loop) != 0 || !S_ISBLK(loop.st_mode) || stat("/dev/loop1", &other) != 0)
        GTEST_SKIP() << "no loop devices to point at";
    const fs::path dir = fs::temp_directory_path() / "volinfo-bylabel";
    fs::remove_all(dir);
    fs::create_directories(dir);
    fs::create_symlink("/dev/loop1", dir / "Annan");
    fs::create_symlink("/nonexistent", dir / "Borta");
    fs::create_symlink("/dev/null", dir / "Tecken");
    fs::create_symlink("/dev/loop0", dir / "ABC\\x202004");
    EXPECT_EQ(LinuxVolumeInfo::labelFromByLabel(loop.st_rdev, dir.string()), "ABC 2004");
    fs::remove(dir / "ABC\\x202004");
    EXPECT_EQ(LinuxVolumeInfo::labelFromByLabel(loop.st_rdev, dir.string()), std::nullopt);
    EXPECT_EQ(LinuxVolumeInfo::labelFromByLabel(loop.st_rdev, "/nonexistent"), std::nullopt);
    fs::remove_all(dir);
}

} // namespace
} // namespace dv
