#pragma once

// The program's main window with the windows it works with, opened as the
// program opens them, its message boxes answered by the test: one way for
// every test of the real main window to open it, wait for it and close it.

#include "RecordingPorts.h"
#include "WindowTesting.h"
#include "win32/browser/TExtraInfoForm.h"
#include "win32/browser/TProgStartingForm.h"
#include "win32/filesearch/TFileSearchForm.h"
#include "win32/shell/TForm1.h"
#include "win32/shell/TForm2.h"
#include "win32/update/TAutoUpdateSettingsForm.h"

#include <memory>

namespace dv::wintest {

class OpenMainWindow {
  protected:
    enum class Startup { ByTheLoop, AtOnce };

    dv::test::CallLog log;
    dv::test::FakeMessageBoxes boxes{&log};
    std::unique_ptr<win32::TForm1> form;
    std::unique_ptr<win32::TFileSearchForm> fileSearch;
    std::unique_ptr<win32::TProgStartingForm> progStarting;
    std::unique_ptr<win32::TAutoUpdateSettingsForm> consent;
    std::unique_ptr<win32::TExtraInfoForm> extraInfo;
    std::unique_ptr<win32::TForm2> form2;

    ~OpenMainWindow() { closeMainWindow(); }

    // Opens and shows the main window on a disc at C:\Skiva, on a Windows of
    // these facts, and handles what its opening posted. AtOnce runs its
    // start-up tick straight away; ByTheLoop leaves it to its timer.
    void openMainWindow(const PlatformFacts& facts,
                        win32::TForm1::BrowserFactory createBrowser = {},
                        Startup startup = Startup::AtOnce) {
        form = std::make_unique<win32::TForm1>(win32::TForm1::Environment{
            &boxes, "C:\\Skiva\\datavind.exe", facts, std::move(createBrowser), {}});
        fileSearch = std::make_unique<win32::TFileSearchForm>(form->discRoot(), boxes);
        progStarting = std::make_unique<win32::TProgStartingForm>();
        consent = std::make_unique<win32::TAutoUpdateSettingsForm>();
        extraInfo = std::make_unique<win32::TExtraInfoForm>();
        form2 = std::make_unique<win32::TForm2>();
        form->attachWindows(*fileSearch, *progStarting, *consent, *extraInfo, *form2);
        form->show();
        if (startup == Startup::AtOnce)
            form->StartupTimerTimer();
        handlePosted();
    }

    void closeMainWindow() {
        form.reset();
        fileSearch.reset();
        form2.reset();
        // A closed main window ends the program: its quit is not the next test's.
        MSG quit;
        while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }

    HWND main() const { return form->hwnd(); }
};

} // namespace dv::wintest
