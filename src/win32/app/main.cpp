// Process entry: the application, its windows in their order, the message loop.

#include "win32/app/DiscWindows.h"
#include "win32/app/ProgramBrowser.h"
#include "win32/support/ErrorReport.h"
#include "win32/support/MessageLoop.h"
#include "win32/support/StartupTrace.h"
#include "win32/support/Win32MessageBoxes.h"

#include <windows.h>

#include <ole2.h>
#include <commctrl.h>

#include <exception>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    dv::win32::StartupTrace::markProcessCreated();
    dv::win32::StartupTrace::mark("entry");
    // The browser control is an OLE object on this thread; the common
    // controls give the tooltips and the progress bar.
    if (FAILED(OleInitialize(nullptr)))
        return 1;
    const INITCOMMONCONTROLSEX controls{
        sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_PROGRESS_CLASS |
                                          ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);

    int exitCode = 1;
    try {
        dv::win32::Win32MessageBoxes boxes;
        dv::win32::ProgramBrowser browser;
        dv::win32::TForm1::Environment environment{&boxes, {}, {}, {}, {}};
        browser.furnish(environment);
        dv::win32::DiscWindows windows(environment);
        boxes.setOwner(windows.form1->hwnd());
        dv::win32::StartupTrace::mark("windows");
        windows.form1->show();
        exitCode = dv::win32::MessageLoop::instance().run();
    } catch (const std::exception& e) {
        dv::win32::reportUnhandled(e.what());
    }
    OleUninitialize();
    return exitCode;
}
