#include "win32/update/RegistrySettingsStore.h"

#include "PlanReadingHere.h"
#include "RecordingPorts.h"
#include "core/browser/FileLauncher.h"
#include "core/browser/TExtraInfoList.h"
#include "core/update/OnlineUpdate.h"
#include "core/update/QuarantineList.h"
#include "win32/update/MsXmlParser.h"

#include <gtest/gtest.h>

namespace dv::win32 {
namespace {

bool keyExists() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, RegistrySettingsStore::kKey, 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

class RegistrySettingsStoreTest : public ::testing::Test {
  protected:
    void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, RegistrySettingsStore::kKey); }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, RegistrySettingsStore::kKey); }
};

TEST_F(RegistrySettingsStoreTest, ReadingNeverCreatesTheKey) {
    RegistrySettingsStore store;
    EXPECT_EQ(store.read(), std::nullopt);
    EXPECT_FALSE(keyExists());
}

TEST_F(RegistrySettingsStoreTest, WritingCreatesItAndReadsBack) {
    const Settings cases[] = {
        {}, {true, false}, {false, false}, {std::nullopt, true}, {true, true}};
    for (const Settings& settings : cases) {
        RegistrySettingsStore store;
        store.write(settings);
        EXPECT_TRUE(keyExists());
        EXPECT_EQ(store.read(), settings);
    }
}

TEST_F(RegistrySettingsStoreTest, TheValuesInTheKey) {
    RegistrySettingsStore store;
    store.write({true, true});
    DWORD value = 0;
    DWORD size = sizeof value;
    EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, RegistrySettingsStore::kKey, L"CheckAtStart",
                           RRF_RT_REG_DWORD, nullptr, &value, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(value, 1u);
    EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, RegistrySettingsStore::kKey, L"DontRemind",
                           RRF_RT_REG_DWORD, nullptr, &value, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(value, 1u);
    // An answer taken back is no answer.
    store.write({std::nullopt, false});
    EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, RegistrySettingsStore::kKey, L"CheckAtStart",
                           RRF_RT_ANY, nullptr, nullptr, nullptr),
              ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistrySettingsStoreTest, ValuesOfAnotherKindAreNoAnswer) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, RegistrySettingsStore::kKey, 0, nullptr, 0,
                              KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const wchar_t text[] = L"1";
    RegSetValueExW(key, L"CheckAtStart", 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                   sizeof text);
    const unsigned long long wide = 1;
    RegSetValueExW(key, L"DontRemind", 0, REG_QWORD, reinterpret_cast<const BYTE*>(&wide),
                   sizeof wide);
    RegCloseKey(key);
    EXPECT_EQ(RegistrySettingsStore().read(), Settings{});
}

class NoQuestion : public ConsentDialog {
  public:
    ConsentAnswer ask() override { return {}; }
};

class NoDisc : public VolumeInfo {
  public:
    std::string getDiscName() override { return "ERROR"; }
};

class NoNet : public HttpClient {
  public:
    void get(const std::string&, std::size_t, std::function<void(HttpAnswer)>) override {}
};

class NoEnd : public ApplicationEnd {
  public:
    void requestTermination() override {}
};

// The online update as the main window holds it: the key is opened when the
// window is put together and written when it goes, so a run that ends
// without an orderly exit leaves no key behind and one that exits does.
TEST_F(RegistrySettingsStoreTest, OnlyAnOrderlyExitLeavesTheKey) {
    RegistrySettingsStore store;
    NoQuestion question;
    NoDisc disc;
    NoNet net;
    MsXmlParser parser;
    test::PlanReadingHere reading(parser);
    QuarantineList quarantine;
    TExtraInfoList notes;
    test::FakeMessageBoxes boxes;
    test::CallLog log;
    test::FakeLauncher launcher(log);
    test::FakeWaitingWindow waiting(log);
    FileLauncher fileLauncher(launcher, waiting, boxes);
    test::FakeExtraInfoDialog noteDialog(log);
    test::FakeStatusLine status;
    NoEnd end;
    const OnlineUpdate::Parts parts{store, question, disc,         net,        reading, quarantine,
                                    notes, boxes,    fileLauncher, noteDialog, status,  end};
    {
        OnlineUpdate update(parts, "http://127.0.0.1:9");
        update.startPageLoaded();
    }
    EXPECT_FALSE(keyExists());
    {
        OnlineUpdate update(parts, "http://127.0.0.1:9");
        update.startPageLoaded();
        update.writeRegSettings();
    }
    EXPECT_TRUE(keyExists());
    EXPECT_EQ(store.read(), Settings{}); // closed without choosing: nothing answered
}

} // namespace
} // namespace dv::win32
