#pragma once

#include "qt/browser/TExtraInfoForm.h"
#include "qt/browser/TProgStartingForm.h"
#include "qt/filesearch/TFileSearchForm.h"
#include "qt/shell/TForm1.h"
#include "qt/shell/TForm2.h"
#include "qt/update/TAutoUpdateSettingsForm.h"

#include <memory>

namespace dv::qt {

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

} // namespace dv::qt
