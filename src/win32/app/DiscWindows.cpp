#include "win32/app/DiscWindows.h"

namespace dv::win32 {

DiscWindows::DiscWindows(TForm1::Environment environment)
    : form1(std::make_unique<TForm1>(environment)),
      fileSearch(std::make_unique<TFileSearchForm>(form1->discRoot(), *environment.messageBoxes)),
      progStarting(std::make_unique<TProgStartingForm>()),
      autoUpdateSettings(std::make_unique<TAutoUpdateSettingsForm>()),
      extraInfo(std::make_unique<TExtraInfoForm>()),
      form2(std::make_unique<TForm2>(form1->hwnd())) {
    form1->attachWindows(*fileSearch, *progStarting, *autoUpdateSettings, *extraInfo, *form2);
}

} // namespace dv::win32
