#pragma once

#include "core/update/Settings.h"

#include <windows.h>

#include <string>

namespace dv::win32 {

// The settings in the registry key HKEY_CURRENT_USER\SOFTWARE\Velmora
// Media\Datavinds cd: REG_DWORD "CheckAtStart" (1 yes, 0 no; absent until
// the reader has answered) and REG_DWORD "DontRemind" (1 or 0). Reading
// opens the key without creating it; writing creates it. A key that cannot
// be opened, created or written is passed over without a word.
class RegistrySettingsStore : public SettingsStore {
  public:
    static constexpr const wchar_t* kKey = L"SOFTWARE\\Velmora Media\\Datavinds cd";

    explicit RegistrySettingsStore(HKEY root = HKEY_CURRENT_USER, std::wstring key = kKey)
        : root_(root), key_(std::move(key)) {}

    std::optional<Settings> read() override;
    void write(const Settings& settings) override;

  private:
    HKEY root_;
    std::wstring key_;
};

} // namespace dv::win32
