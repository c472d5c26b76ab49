#include "core/text/Utf8Path.h"

#include "core/text/AnsiText.h"
#include "core/text/Utf8Append.h"

#include <cstring>
#include <type_traits>

#ifdef _WIN32
// The C library's wide-character file functions; no Windows API.
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#endif

namespace dv {

namespace fs = std::filesystem;

namespace {

constexpr bool kWideNames = std::is_same_v<fs::path::value_type, wchar_t>;

// Names as the system keeps them: UTF-16 on Windows, bytes elsewhere.
[[maybe_unused]] std::string utf8FromNative(const std::string& bytes) {
    return bytes;
}

[[maybe_unused]] std::string utf8FromNative(const std::wstring& units) {
    std::string out;
    out.reserve(units.size());
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char32_t unit = static_cast<char16_t>(units[i]);
        const bool high = unit >= 0xD800 && unit < 0xDC00;
        const bool low = unit >= 0xDC00 && unit < 0xE000;
        if (high && i + 1 < units.size()) {
            const char32_t next = static_cast<char16_t>(units[i + 1]);
            if (next >= 0xDC00 && next < 0xE000) {
                appendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00));
                ++i;
                continue;
            }
        }
        appendUtf8(out, high || low ? char32_t{0xFFFD} : unit);
    }
    return out;
}

} // namespace

fs::path pathFromUtf8(std::string_view utf8) {
    // Where names are bytes, whatever the bytes are, they name the file.
    const std::string text = kWideNames ? bytesToText(utf8) : std::string(utf8);
    return fs::path(std::u8string(text.begin(), text.end()));
}

std::string utf8FromPath(const fs::path& path) {
    return utf8FromNative(path.native());
}

std::FILE* openFile(std::string_view utf8Path, const char* mode) {
#ifdef _WIN32
    const std::wstring name = pathFromUtf8(utf8Path).native();
    if (std::strchr(mode, 'x')) {
        // Exclusive creation through the lower level, which has it.
        int fd = -1;
        const int flags =
            _O_CREAT | _O_EXCL | _O_BINARY | (std::strchr(mode, '+') ? _O_RDWR : _O_WRONLY);
        if (_wsopen_s(&fd, name.c_str(), flags, _SH_DENYNO, _S_IREAD | _S_IWRITE) != 0)
            return nullptr;
        std::FILE* file = _wfdopen(fd, std::strchr(mode, '+') ? L"w+b" : L"wb");
        if (!file)
            _close(fd);
        return file;
    }
    const std::string narrowMode(mode);
    return _wfopen(name.c_str(), std::wstring(narrowMode.begin(), narrowMode.end()).c_str());
#else
    return std::fopen(std::string(utf8Path).c_str(), mode);
#endif
}

} // namespace dv
