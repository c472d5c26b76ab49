#pragma once

#include <optional>
#include <string>

namespace dv::win32 {

// The installed browser engine's version text, the registry value "IE" of
// HKLM "SOFTWARE\Microsoft\Internet Explorer\Version Vector" ("6.0000"). A
// missing value reads as an empty text; a key that cannot be opened or a
// value that is no text gives nothing.
std::optional<std::string> installedEngineVersionText();

// The decimal separator of a locale (LOCALE_NAME_USER_DEFAULT for the
// reader's own); "." when the locale's is not a single ASCII character.
char localeDecimalSeparator(const wchar_t* localeName);

} // namespace dv::win32
