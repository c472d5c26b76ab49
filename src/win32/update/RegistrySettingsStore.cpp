#include "win32/update/RegistrySettingsStore.h"

namespace dv::win32 {

namespace {

constexpr const wchar_t* kCheckAtStart = L"CheckAtStart";
constexpr const wchar_t* kDontRemind = L"DontRemind";

class OpenKey {
  public:
    explicit OpenKey(HKEY key = nullptr) : key_(key) {}
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    ~OpenKey() {
        if (key_)
            RegCloseKey(key_);
    }
    HKEY* out() { return &key_; }
    HKEY get() const { return key_; }

  private:
    HKEY key_;
};

// A REG_DWORD value; empty when it is absent or of another kind.
std::optional<DWORD> number(HKEY key, const wchar_t* name) {
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof value)
        return std::nullopt;
    return value;
}

void setNumber(HKEY key, const wchar_t* name, DWORD value) {
    RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

} // namespace

std::optional<Settings> RegistrySettingsStore::read() {
    OpenKey key;
    // Reading must not create the key.
    if (RegOpenKeyExW(root_, key_.c_str(), 0, KEY_QUERY_VALUE, key.out()) != ERROR_SUCCESS)
        return std::nullopt;
    Settings settings;
    if (const auto check = number(key.get(), kCheckAtStart))
        settings.checkAtStart = *check != 0;
    settings.dontRemind = number(key.get(), kDontRemind).value_or(0) != 0;
    return settings;
}

void RegistrySettingsStore::write(const Settings& settings) {
    OpenKey key;
    if (RegCreateKeyExW(root_, key_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                        nullptr, key.out(), nullptr) != ERROR_SUCCESS)
        return;
    if (settings.checkAtStart)
        setNumber(key.get(), kCheckAtStart, *settings.checkAtStart ? 1 : 0);
    else
        RegDeleteValueW(key.get(), kCheckAtStart);
    setNumber(key.get(), kDontRemind, settings.dontRemind ? 1 : 0);
}

} // namespace dv::win32
