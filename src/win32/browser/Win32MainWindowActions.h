#pragma once

#include "browser/CommandRunner.h"

#include <windows.h>

namespace dv::win32 {

// What the command verbs do to the program's windows.
class Win32MainWindowActions : public MainWindowActions {
public:
    explicit Win32MainWindowActions(HWND mainWindow) : main_(mainWindow) {}
    // The file search window goes to the task bar with the main window.
    void setFileSearchWindow(HWND window) { fileSearch_ = window; }

    // Closes once the current event is done, so the browser is never torn
    // down inside its own event.
    void closeMainWindow() override;
    void minimiseApplication() override;
    void openInternetSettings() override;

private:
    HWND main_;
    HWND fileSearch_ = nullptr;
};

} // namespace dv::win32
