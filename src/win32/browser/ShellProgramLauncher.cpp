#include "browser/ShellProgramLauncher.h"

#include "browser/SystemMessageText.h"
#include "support/Utf16.h"

#include <shellapi.h>

namespace dv::win32 {

namespace {

// The shell's old error numbers, for a shell that sets no error code.
DWORD errorOfShellResult(HINSTANCE result) {
    switch (reinterpret_cast<INT_PTR>(result)) {
    case SE_ERR_FNF: return ERROR_FILE_NOT_FOUND;
    case SE_ERR_PNF: return ERROR_PATH_NOT_FOUND;
    case SE_ERR_ACCESSDENIED: return ERROR_ACCESS_DENIED;
    case SE_ERR_OOM: return ERROR_NOT_ENOUGH_MEMORY;
    case SE_ERR_SHARE: return ERROR_SHARING_VIOLATION;
    case SE_ERR_DLLNOTFOUND: return ERROR_DLL_NOT_FOUND;
    case SE_ERR_ASSOCINCOMPLETE:
    case SE_ERR_NOASSOC: return ERROR_NO_ASSOCIATION;
    default: return ERROR_GEN_FAILURE;
    }
}

} // namespace

std::optional<std::string> ShellProgramLauncher::open(const std::string& file, const std::string& parameters) {
    const std::wstring wideFile = widen(file);
    const std::wstring wideParameters = widen(parameters);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.hwnd = owner_;
    info.lpVerb = nullptr; // the file type's default action
    info.lpFile = wideFile.c_str();
    info.lpParameters = wideParameters.c_str();
    info.lpDirectory = nullptr; // the started program inherits our current folder
    info.nShow = SW_SHOWNORMAL;
    SetLastError(ERROR_SUCCESS);
    if (ShellExecuteExW(&info)) {
        // The program runs on its own; nothing waits for it.
        if (info.hProcess)
            CloseHandle(info.hProcess);
        return std::nullopt;
    }
    DWORD error = GetLastError();
    if (error == ERROR_SUCCESS)
        error = errorOfShellResult(info.hInstApp);
    return systemMessageText(error);
}

std::string ShellProgramLauncher::missingFileMessage() const { return systemMessageText(ERROR_FILE_NOT_FOUND); }

} // namespace dv::win32
