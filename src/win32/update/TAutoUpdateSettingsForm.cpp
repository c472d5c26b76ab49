#include "update/TAutoUpdateSettingsForm.h"

#include "support/WindowPlacement.h"

namespace dv::win32 {

namespace {
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;
} // namespace

TAutoUpdateSettingsForm::TAutoUpdateSettingsForm() {
    create({L"TAutoUpdateSettingsForm", 0, GetSysColorBrush(COLOR_BTNFACE)}, kExStyle, kStyle,
           L"Automatisk uppdatering", centredOnScreen(kStyle, kExStyle, 408, 177), nullptr);
}

} // namespace dv::win32
