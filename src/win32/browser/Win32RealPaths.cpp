#include "win32/browser/Win32RealPaths.h"

#include "win32/support/Utf16.h"

#include <windows.h>
#include <shlwapi.h>

#include <algorithm>
#include <vector>

namespace dv::win32 {

namespace {

// Closes a file handle on every way out.
class FileHandle {
  public:
    explicit FileHandle(HANDLE h) : handle_(h) {}
    ~FileHandle() {
        if (handle_ != INVALID_HANDLE_VALUE)
            CloseHandle(handle_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE get() const { return handle_; }

  private:
    HANDLE handle_;
};

} // namespace

std::optional<std::string> Win32RealPaths::realPath(const std::string& localPath) const {
    // Folders open only with backup semantics; no access is asked for, so
    // read-only discs and locked files open alike.
    const FileHandle file(CreateFileW(widen(localPath).c_str(), 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE)
        return std::nullopt;
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD n =
            GetFinalPathNameByHandleW(file.get(), buffer.data(), static_cast<DWORD>(buffer.size()),
                                      FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (n == 0)
            return std::nullopt;
        if (n < buffer.size())
            return narrow(std::wstring_view(buffer.data(), n));
        buffer.resize(n + 1);
    }
}

namespace {

bool isFileUrl(std::wstring_view url) {
    return url.size() >= 5 && CompareStringOrdinal(url.data(), 5, L"file:", 5, TRUE) == CSTR_EQUAL;
}

// The path of a file: address whose "#" and "?" are all part of the path:
// the part before the first of them converted, the rest taken as it stands.
std::optional<std::string> pathOfWholeUrl(std::wstring_view url) {
    const std::size_t mark = url.find_first_of(L"#?");
    const std::wstring address(url.substr(0, mark));
    std::vector<wchar_t> path(address.size() + MAX_PATH);
    DWORD length = static_cast<DWORD>(path.size());
    if (FAILED(PathCreateFromUrlW(address.c_str(), path.data(), &length, 0)))
        return std::nullopt;
    std::wstring whole(path.data(), length);
    if (mark != std::wstring_view::npos)
        for (const wchar_t c : url.substr(mark))
            whole += c == L'/' ? L'\\' : c;
    return narrow(whole);
}

bool isDotSegment(std::wstring_view part) {
    return part == L"." || part == L"..";
}

// Whether "." or ".." stands as a segment anywhere in the text.
bool holdsDotSegment(std::wstring_view text) {
    std::size_t at = 0;
    while (at <= text.size()) {
        const std::size_t end = std::min(text.find_first_of(L"/\\", at), text.size());
        if (isDotSegment(text.substr(at, end - at)))
            return true;
        at = end + 1;
    }
    return false;
}

} // namespace

std::optional<std::string> localPathOfFileUrl(std::wstring_view url) {
    if (!isFileUrl(url))
        return std::nullopt;
    // A fragment or a query names no file: left in, its "\.." parts would
    // climb out of the page's own file when the path is resolved.
    return pathOfWholeUrl(url.substr(0, url.find_first_of(L"#?")));
}

std::vector<std::string> localPathsOfFileUrl(std::wstring_view url) {
    std::vector<std::string> paths;
    if (!isFileUrl(url))
        return paths;
    const std::size_t first = url.find_first_of(L"#?");
    std::size_t end = url.size();
    for (;;) {
        const std::wstring_view address = url.substr(0, end);
        const bool climbs = first != std::wstring_view::npos && first < end &&
                            holdsDotSegment(address.substr(first + 1));
        if (!climbs)
            if (std::optional<std::string> path = pathOfWholeUrl(address))
                paths.push_back(std::move(*path));
        if (end == 0 || first == std::wstring_view::npos || end <= first)
            break;
        end = url.find_last_of(L"#?", end - 1);
    }
    return paths;
}

std::optional<std::string> pageFileOfUrl(std::wstring_view url) {
    for (const std::string& path : localPathsOfFileUrl(url)) {
        const DWORD attributes = GetFileAttributesW(widen(path).c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY))
            return path;
    }
    return std::nullopt;
}

} // namespace dv::win32
