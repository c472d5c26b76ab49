#include "browser/Win32MainWindowActions.h"

#include "browser/InternetSettings.h"

namespace dv::win32 {

void Win32MainWindowActions::closeMainWindow() { PostMessageW(main_, WM_CLOSE, 0, 0); }

void Win32MainWindowActions::minimiseApplication() {
    ShowWindow(main_, SW_MINIMIZE);
    // Windows the main window owns hide with it; one of its own in the task
    // bar is minimised beside it.
    if (fileSearch_ && IsWindowVisible(fileSearch_) && GetWindow(fileSearch_, GW_OWNER) != main_)
        ShowWindow(fileSearch_, SW_MINIMIZE);
}

void Win32MainWindowActions::openInternetSettings() { dv::win32::openInternetSettings(main_); }

} // namespace dv::win32
