#include "BrowserTestSupport.h"

#include "core/browser/EngineVersion.h"
#include "win32/browser/InstalledEngineVersion.h"

#include <gtest/gtest.h>

#include <string>

namespace dv::win32::test {
namespace {

// Gives this process a registry of its own under HKEY_LOCAL_MACHINE: a
// scratch key of the current user, so other tests in the prefix see nothing.
class ScratchMachineKey {
  public:
    ScratchMachineKey()
        : path_(L"Software\\DatavindTest\\Machine" + std::to_wstring(GetCurrentProcessId())) {
        RegCreateKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key_, nullptr);
        overridden_ = RegOverridePredefKey(HKEY_LOCAL_MACHINE, key_) == ERROR_SUCCESS;
    }
    ~ScratchMachineKey() {
        RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
        RegCloseKey(key_);
        RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
    }
    ScratchMachineKey(const ScratchMachineKey&) = delete;
    ScratchMachineKey& operator=(const ScratchMachineKey&) = delete;

    bool overridden() const { return overridden_; }

    // Creates the version key, without values.
    HKEY versionKey() {
        HKEY key = nullptr;
        RegCreateKeyExW(key_, L"SOFTWARE\\Microsoft\\Internet Explorer\\Version Vector", 0, nullptr,
                        0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        return key;
    }
    void setVersion(const std::wstring& text) {
        const HKEY key = versionKey();
        RegSetValueExW(key, L"IE", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
    }

  private:
    std::wstring path_;
    HKEY key_ = nullptr;
    bool overridden_ = false;
};

TEST(EngineVersion, WinesOwnValueIsAccepted) {
    const std::optional<std::string> text = installedEngineVersionText();
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(*text, "6.0000");
    // The same under a comma locale and a point locale.
    EXPECT_EQ(engineVersionFromText(text, ','), 6.0);
    EXPECT_EQ(engineVersionFromText(text, '.'), 6.0);

    TestDisc disc;
    TestMainWindow window(disc.root());
    EXPECT_TRUE(createIE(window.browser()));
    EXPECT_TRUE(window.browser().hasControl());
}

TEST(EngineVersion, OlderMissingOrUnreadableVersionsAreRefused) {
    struct Case {
        const char* what;
        std::function<void(ScratchMachineKey&)> prepare;
        std::optional<std::string> text;
        bool accepted;
    };
    const Case cases[] = {
        {"5.0000", [](ScratchMachineKey& r) { r.setVersion(L"5.0000"); }, "5.0000", true},
        {"4.7200", [](ScratchMachineKey& r) { r.setVersion(L"4.7200"); }, "4.7200", false},
        {"no value", [](ScratchMachineKey& r) { RegCloseKey(r.versionKey()); }, "", false},
        {"no key", [](ScratchMachineKey&) {}, std::nullopt, false},
        {"a number, not a text",
         [](ScratchMachineKey& r) {
             const HKEY key = r.versionKey();
             const DWORD six = 6;
             RegSetValueExW(key, L"IE", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&six),
                            sizeof six);
             RegCloseKey(key);
         },
         std::nullopt, false},
        {"garbage", [](ScratchMachineKey& r) { r.setVersion(L"sex"); }, "sex", false},
    };
    TestDisc disc;
    for (const Case& c : cases) {
        ScratchMachineKey registry;
        ASSERT_TRUE(registry.overridden());
        c.prepare(registry);
        EXPECT_EQ(installedEngineVersionText(), c.text) << c.what;
        TestMainWindow window(disc.root());
        Win32BrowserHost& host = window.browser();
        EXPECT_EQ(createIE(host), c.accepted) << c.what;
        // A refused browser leaves no control behind.
        EXPECT_EQ(host.hasControl(), c.accepted) << c.what;
        EXPECT_EQ(host.browserWindow() != nullptr, c.accepted) << c.what;
    }
}

TEST(EngineVersion, DecimalSeparatorOfTheLocale) {
    EXPECT_EQ(localeDecimalSeparator(L"sv-SE"), ',');
    EXPECT_EQ(localeDecimalSeparator(L"de-DE"), ',');
    EXPECT_EQ(localeDecimalSeparator(L"en-US"), '.');
    const char own = localeDecimalSeparator(LOCALE_NAME_USER_DEFAULT);
    EXPECT_TRUE(own == '.' || own == ',') << own;
}

} // namespace
} // namespace dv::win32::test
