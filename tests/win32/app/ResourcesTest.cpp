#include "win32/resources/ResourceIds.h"

#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <cwctype>
#include <string>
#include <vector>

namespace {

// The program's resources, linked into this test program as into datavind.exe.

TEST(ResourcesTest, TheManifestBringsTheCommonControlsOfVersionSix) {
    // The library the program's controls come from, as the manifest chose
    // it: version 6 lives side by side with the old one, in WinSxS.
    const HMODULE controls = LoadLibraryW(L"comctl32.dll");
    ASSERT_TRUE(controls);
    wchar_t path[MAX_PATH * 2] = {};
    GetModuleFileNameW(controls, path, MAX_PATH * 2);
    std::wstring lower(path);
    for (wchar_t& c : lower)
        c = static_cast<wchar_t>(towlower(c));
    EXPECT_NE(lower.find(L"common-controls_6595b64144ccf1df_6."), std::wstring::npos) << lower;
}

TEST(ResourcesTest, TheIconComesInEverySizeTheShellAsksFor) {
    for (const int size : {16, 20, 24, 32, 40, 48, 64, 256}) {
        const auto icon = static_cast<HICON>(LoadImageW(
            GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_DATAVIND), IMAGE_ICON, size, size, 0));
        ASSERT_TRUE(icon) << size;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP colour{};
        GetObjectW(info.hbmColor, sizeof colour, &colour);
        EXPECT_EQ(colour.bmWidth, size);
        EXPECT_EQ(colour.bmBitsPixel, 32) << size; // with its alpha
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
}

TEST(ResourcesTest, TheVersionRecordNamesTheProgram) {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
    ASSERT_GT(size, 0u);
    std::vector<unsigned char> data(size);
    ASSERT_TRUE(GetFileVersionInfoW(path, 0, size, data.data()));
    for (const auto& [key, expected] : {std::pair{L"ProductName", L"Datavinds cd"},
                                        {L"CompanyName", L"Velmora Media"},
                                        {L"OriginalFilename", L"datavind.exe"}}) {
        wchar_t* value = nullptr;
        UINT length = 0;
        const std::wstring query = std::wstring(L"\\StringFileInfo\\041D04B0\\") + key;
        ASSERT_TRUE(
            VerQueryValueW(data.data(), query.c_str(), reinterpret_cast<void**>(&value), &length));
        EXPECT_EQ(std::wstring(value), expected);
    }
}

// A big-endian number of a PNG header.
unsigned bigEndian(const unsigned char* p) {
    return (static_cast<unsigned>(p[0]) << 24) | (static_cast<unsigned>(p[1]) << 16) |
           (static_cast<unsigned>(p[2]) << 8) | p[3];
}

TEST(ResourcesTest, TheBackgroundIsAnOpaquePictureOfTheWindowsSizeAtEveryScale) {
    struct Case {
        const wchar_t* name;
        unsigned width, height;
    };
    for (const Case& c :
         {Case{L"BGBILD", 800, 600}, Case{L"BGBILD_125", 1000, 750}, Case{L"BGBILD_150", 1200, 900},
          Case{L"BGBILD_175", 1400, 1050}, Case{L"BGBILD_200", 1600, 1200},
          Case{L"BGBILD_250", 2000, 1500}, Case{L"BGBILD_300", 2400, 1800}}) {
        const HRSRC found = FindResourceW(nullptr, c.name, MAKEINTRESOURCEW(10));
        ASSERT_TRUE(found) << c.name;
        ASSERT_GE(SizeofResource(nullptr, found), 33u);
        const auto* bytes =
            static_cast<const unsigned char*>(LockResource(LoadResource(nullptr, found)));
        ASSERT_TRUE(bytes);
        // A PNG file whose first chunk, IHDR, says 8-bit RGB without alpha.
        EXPECT_EQ(std::memcmp(bytes, "\x89PNG\r\n\x1a\n", 8), 0) << c.name;
        EXPECT_EQ(std::memcmp(bytes + 12, "IHDR", 4), 0) << c.name;
        EXPECT_EQ(bigEndian(bytes + 16), c.width) << c.name;
        EXPECT_EQ(bigEndian(bytes + 20), c.height) << c.name;
        EXPECT_EQ(bytes[24], 8) << c.name;
        EXPECT_EQ(bytes[25], 2) << c.name;
    }
}

} // namespace
