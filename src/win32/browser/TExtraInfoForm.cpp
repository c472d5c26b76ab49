#include "browser/TExtraInfoForm.h"

#include "support/WindowPlacement.h"

namespace dv::win32 {

namespace {
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;
} // namespace

TExtraInfoForm::TExtraInfoForm() {
    create({L"TExtraInfoForm", 0, GetSysColorBrush(COLOR_BTNFACE)}, kExStyle, kStyle, L"",
           centredOnScreen(kStyle, kExStyle, 386, 217), nullptr);
}

} // namespace dv::win32
