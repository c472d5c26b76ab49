#include "win32/browser/ShellProgramLauncher.h"

#include "win32/browser/SystemMessageText.h"
#include "win32/support/Utf16.h"

#include <objbase.h>
#include <shellapi.h>

#include <memory>
#include <utility>

namespace dv::win32 {

namespace {

// The shell's old error numbers, for a shell that sets no error code.
DWORD errorOfShellResult(HINSTANCE result) {
    switch (reinterpret_cast<INT_PTR>(result)) {
    case SE_ERR_FNF:
        return ERROR_FILE_NOT_FOUND;
    case SE_ERR_PNF:
        return ERROR_PATH_NOT_FOUND;
    case SE_ERR_ACCESSDENIED:
        return ERROR_ACCESS_DENIED;
    case SE_ERR_OOM:
        return ERROR_NOT_ENOUGH_MEMORY;
    case SE_ERR_SHARE:
        return ERROR_SHARING_VIOLATION;
    case SE_ERR_DLLNOTFOUND:
        return ERROR_DLL_NOT_FOUND;
    case SE_ERR_ASSOCINCOMPLETE:
    case SE_ERR_NOASSOC:
        return ERROR_NO_ASSOCIATION;
    default:
        return ERROR_GEN_FAILURE;
    }
}

// One request to the shell, shared with its thread, which may outlive the
// wait for it.
struct ShellRequest {
    std::wstring file;
    std::wstring parameters;
    HWND owner = nullptr;
    std::optional<std::string> refusal; // written before `answered` is set
    HANDLE answered = nullptr;

    ~ShellRequest() {
        if (answered)
            CloseHandle(answered);
    }

    // On the shell's thread.
    void ask() {
        // The shell wants a single-threaded apartment of its own.
        const HRESULT com =
            CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
        SHELLEXECUTEINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
        info.hwnd = owner;
        info.lpVerb = nullptr; // the file type's default action
        info.lpFile = file.c_str();
        info.lpParameters = parameters.c_str();
        info.lpDirectory = nullptr; // the started program inherits our current folder
        info.nShow = SW_SHOWNORMAL;
        SetLastError(ERROR_SUCCESS);
        if (ShellExecuteExW(&info)) {
            // The program runs on its own; nothing waits for it.
            if (info.hProcess)
                CloseHandle(info.hProcess);
        } else {
            DWORD error = GetLastError();
            if (error == ERROR_SUCCESS)
                error = errorOfShellResult(info.hInstApp);
            refusal = systemMessageText(error);
        }
        if (SUCCEEDED(com))
            CoUninitialize();
        SetEvent(answered);
    }
};

DWORD WINAPI askShell(void* parameter) {
    const std::unique_ptr<std::shared_ptr<ShellRequest>> request(
        static_cast<std::shared_ptr<ShellRequest>*>(parameter));
    (*request)->ask();
    return 0;
}

// Handles what is waiting except keyboard and mouse input, which stays
// queued for later: a click now would reach a window that is busy starting.
// False once the program is to end (the quit is put back for the loop).
bool handleAllButInput() {
    static constexpr std::pair<UINT, UINT> kRanges[] = {
        {0, WM_KEYFIRST - 1}, {WM_KEYLAST + 1, WM_MOUSEFIRST - 1}, {WM_MOUSELAST + 1, 0xFFFFFFFF}};
    for (const auto& [first, last] : kRanges) {
        MSG message{};
        while (PeekMessageW(&message, nullptr, first, last, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(message.wParam));
                return false;
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return true;
}

} // namespace

std::optional<std::string> ShellProgramLauncher::open(const std::string& file,
                                                      const std::string& parameters) {
    // The shell takes no longer path, and Wine's faults on one of a thousand
    // characters: refused as Windows refuses it.
    if (widen(file).size() >= MAX_PATH && file.find("://") == std::string::npos)
        return systemMessageText(ERROR_FILENAME_EXCED_RANGE);
    auto request = std::make_shared<ShellRequest>();
    request->file = widen(file);
    request->parameters = widen(parameters);
    request->owner = owner_;
    request->answered = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!request->answered)
        return systemMessageText(GetLastError());
    auto* handed = new std::shared_ptr<ShellRequest>(request);
    const HANDLE thread = CreateThread(nullptr, 0, askShell, handed, 0, nullptr);
    if (!thread) {
        delete handed;
        return systemMessageText(GetLastError());
    }
    CloseHandle(thread);
    const ULONGLONG until = GetTickCount64() + patienceMs_;
    for (;;) {
        const ULONGLONG now = GetTickCount64();
        if (now >= until)
            return std::nullopt; // still on its way: it goes on alone
        const DWORD woke =
            MsgWaitForMultipleObjectsEx(1, &request->answered, static_cast<DWORD>(until - now),
                                        QS_ALLINPUT & ~QS_INPUT, MWMO_INPUTAVAILABLE);
        if (woke == WAIT_OBJECT_0)
            return request->refusal;
        if (woke == WAIT_FAILED)
            return systemMessageText(GetLastError());
        if (!handleAllButInput())
            return std::nullopt; // the program ends; the shell goes on alone
    }
}

std::string ShellProgramLauncher::missingFileMessage() const {
    return systemMessageText(ERROR_FILE_NOT_FOUND);
}

} // namespace dv::win32
