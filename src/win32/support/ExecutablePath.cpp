#include "win32/support/ExecutablePath.h"

#include "win32/support/Utf16.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace dv::win32 {

std::string executablePath(std::size_t firstGuess) {
    // Windows' longest path is 32767 characters.
    constexpr std::size_t kLongest = 32768;
    std::vector<wchar_t> buffer(firstGuess > 0 ? firstGuess : 1);
    for (;;) {
        const DWORD n =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0)
            return {};
        // A full buffer means the path was cut short: try a bigger one.
        if (n < buffer.size())
            return narrow(std::wstring_view(buffer.data(), n));
        if (buffer.size() >= kLongest)
            return {};
        buffer.resize(std::min(buffer.size() * 2, kLongest));
    }
}

} // namespace dv::win32
