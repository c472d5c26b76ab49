#pragma once

#include "core/update/OnlineUpdate.h"
#include "win32/update/RegistrySettingsStore.h"
#include "win32/update/ThreadPlanReading.h"
#include "win32/update/Win32VolumeInfo.h"
#include "win32/update/WinInetHttpClient.h"

#include <windows.h>

#include <string>

namespace dv::win32 {

// The online update on Windows: the core's OnlineUpdate over the registry,
// the volume label, WinINet and MSXML on a thread of its own. The settings are read when it is
// made (with the main window) and written by writeRegSettings (when the
// main window goes). A message that may not be continued from closes the
// main window, once the processing is done.
class UpdateChecker : private ApplicationEnd {
  public:
    struct Parts {
        std::string discRoot;
        QuarantineList& quarantine;
        TExtraInfoList& extraInfo;
        MessageBoxes& boxes;
        FileLauncher& launcher;
        ExtraInfoDialog& notes;
        ConsentDialog& consent;
        StatusLine& status;
        HWND mainWindow;
    };

    explicit UpdateChecker(Parts parts);
    UpdateChecker(const UpdateChecker&) = delete;
    UpdateChecker& operator=(const UpdateChecker&) = delete;

    // The end of the first start page's loading, whether it loaded or not.
    void startPageLoaded() { update_.startPageLoaded(); }
    void DoAutoUpdate() { update_.DoAutoUpdate(); }
    void writeRegSettings() { update_.writeRegSettings(); }

    WinInetHttpClient& httpClient() { return http_; }
    // Called once each answer has been carried out (tests wait for it).
    void onAnswerProcessed(std::function<void()> processed) {
        update_.onAnswerProcessed(std::move(processed));
    }

  private:
    void requestTermination() override;

    HWND mainWindow_;
    RegistrySettingsStore store_;
    Win32VolumeInfo volume_;
    WinInetHttpClient http_;
    ThreadPlanReading reading_;
    OnlineUpdate update_;
};

} // namespace dv::win32
