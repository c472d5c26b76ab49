#pragma once

#include "win32/browser/TExtraInfoForm.h"
#include "win32/browser/TProgStartingForm.h"
#include "win32/filesearch/TFileSearchForm.h"
#include "win32/shell/TForm1.h"
#include "win32/shell/TForm2.h"
#include "win32/update/TAutoUpdateSettingsForm.h"

#include <memory>

namespace dv::win32 {

// Every window of the program, created in their order: the main window first
// (it sets the disc root the file search window reads), then the five
// secondary windows, none of them shown.
struct DiscWindows {
    explicit DiscWindows(TForm1::Environment environment);

    std::unique_ptr<TForm1> form1;
    std::unique_ptr<TFileSearchForm> fileSearch;
    std::unique_ptr<TProgStartingForm> progStarting;
    std::unique_ptr<TAutoUpdateSettingsForm> autoUpdateSettings;
    std::unique_ptr<TExtraInfoForm> extraInfo;
    std::unique_ptr<TForm2> form2;
};

} // namespace dv::win32
