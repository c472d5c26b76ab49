#include "win32/browser/InstalledEngineVersion.h"

#include "win32/support/Utf16.h"

#include <windows.h>

namespace dv::win32 {

std::optional<std::string> installedEngineVersionText() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Internet Explorer\\Version Vector",
                      0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::nullopt;
    std::optional<std::string> text;
    DWORD type = 0;
    DWORD bytes = 0;
    const LSTATUS sized = RegQueryValueExW(key, L"IE", nullptr, &type, nullptr, &bytes);
    if (sized == ERROR_FILE_NOT_FOUND) {
        text = std::string();
    } else if (sized == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ)) {
        std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
        DWORD size = static_cast<DWORD>(value.size() * sizeof(wchar_t));
        if (RegGetValueW(key, nullptr, L"IE", RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND,
                         nullptr, value.data(), &size) == ERROR_SUCCESS) {
            value.resize(wcsnlen(value.c_str(), value.size()));
            text = narrow(value);
        }
    }
    RegCloseKey(key);
    return text;
}

char localeDecimalSeparator(const wchar_t* localeName) {
    wchar_t separator[8]{};
    const int n = GetLocaleInfoEx(localeName, LOCALE_SDECIMAL, separator, 8);
    // n counts the terminating null.
    if (n == 2 && separator[0] > 0 && separator[0] < 128)
        return static_cast<char>(separator[0]);
    return '.';
}

} // namespace dv::win32
