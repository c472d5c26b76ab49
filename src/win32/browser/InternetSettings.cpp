#include "win32/browser/InternetSettings.h"

namespace dv::win32 {

bool openInternetSettings(HWND owner) {
    using ControlRunDll = void(WINAPI*)(HWND, HINSTANCE, LPCWSTR, int);
    const HMODULE shell = LoadLibraryW(L"shell32.dll");
    if (!shell)
        return false;
    // Through void(*)() because the entry's real type is not FARPROC's.
    const auto run = reinterpret_cast<ControlRunDll>(
        reinterpret_cast<void (*)()>(GetProcAddress(shell, "Control_RunDLLW")));
    if (run)
        run(owner, nullptr, L"inetcpl.cpl", SW_SHOW);
    FreeLibrary(shell);
    return run != nullptr;
}

} // namespace dv::win32
