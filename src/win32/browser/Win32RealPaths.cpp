#include "browser/Win32RealPaths.h"

#include "support/Utf16.h"

#include <windows.h>
#include <shlwapi.h>

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
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE)
        return std::nullopt;
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD n = GetFinalPathNameByHandleW(file.get(), buffer.data(), static_cast<DWORD>(buffer.size()),
                                                  FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (n == 0)
            return std::nullopt;
        if (n < buffer.size())
            return narrow(std::wstring_view(buffer.data(), n));
        buffer.resize(n + 1);
    }
}

std::optional<std::string> localPathOfFileUrl(std::wstring_view url) {
    if (url.size() < 5 || CompareStringOrdinal(url.data(), 5, L"file:", 5, TRUE) != CSTR_EQUAL)
        return std::nullopt;
    // A fragment or a query names no file: left in, its "\.." parts would
    // climb out of the page's own file when the path is resolved.
    const std::wstring address(url.substr(0, url.find_first_of(L"#?")));
    std::vector<wchar_t> path(address.size() + MAX_PATH);
    DWORD length = static_cast<DWORD>(path.size());
    if (FAILED(PathCreateFromUrlW(address.c_str(), path.data(), &length, 0)))
        return std::nullopt;
    return narrow(std::wstring_view(path.data(), length));
}

} // namespace dv::win32
