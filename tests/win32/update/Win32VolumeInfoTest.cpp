#include "win32/update/Win32VolumeInfo.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

namespace dv::win32 {
namespace {

// A drive letter that names no drive.
std::string unusedDrive() {
    const DWORD used = GetLogicalDrives();
    for (char letter = 'Z'; letter >= 'D'; --letter)
        if (!(used & (1u << (letter - 'A'))))
            return std::string(1, letter) + ":\\";
    return {};
}

TEST(Win32VolumeInfo, ErrorWhenTheVolumeCannotBeRead) {
    const std::string missing = unusedDrive();
    ASSERT_FALSE(missing.empty());
    for (const std::string& root :
         {missing + "disc\\", std::string("\\\\nowhere.invalid\\share\\disc\\"),
          std::string("disc\\"), std::string()})
        EXPECT_EQ(Win32VolumeInfo(root).getDiscName(), "ERROR") << root;
}

// The box Windows would show for an empty drive stays away while the label
// is read, and the mode the program had before is back afterwards.
TEST(Win32VolumeInfo, CriticalErrorBoxesOffOnlyWhileAsking) {
    const UINT before = SetErrorMode(SEM_NOGPFAULTERRORBOX);
    Win32VolumeInfo(unusedDrive()).getDiscName();
    Win32VolumeInfo("C:\\").getDiscName();
    EXPECT_EQ(SetErrorMode(before), UINT{SEM_NOGPFAULTERRORBOX});
}

TEST(Win32VolumeInfo, TheLabelOfTheDriveThatHoldsTheDisc) {
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    wchar_t label[MAX_PATH + 1] = {};
    const std::wstring root = std::wstring(system, 2) + L"\\";
    ASSERT_TRUE(GetVolumeInformationW(root.c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr,
                                      nullptr, 0));
    const std::string drive(root.begin(), root.end());
    std::string expected;
    for (const wchar_t* c = label; *c; ++c)
        expected += static_cast<char>(*c); // the system drive's label is ASCII
    EXPECT_EQ(Win32VolumeInfo(drive + "Datavind\\").getDiscName(), expected);
}

// Run by disc_label_test.sh, which maps a folder as a CD drive.
TEST(Win32VolumeInfo, DISABLED_TheLabelOfACdDrive) {
    const char* root = std::getenv("DATAVIND_TEST_DISC_ROOT");
    const char* label = std::getenv("DATAVIND_TEST_DISC_LABEL");
    ASSERT_TRUE(root && label) << "no drive mapped as a CD";
    const std::wstring drive = std::wstring(root, root + 2) + L"\\";
    EXPECT_EQ(GetDriveTypeW(drive.c_str()), UINT{DRIVE_CDROM});
    EXPECT_EQ(Win32VolumeInfo(root).getDiscName(), label);
}

} // namespace
} // namespace dv::win32
