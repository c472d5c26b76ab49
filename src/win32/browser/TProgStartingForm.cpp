#include "browser/TProgStartingForm.h"

#include "support/Utf16.h"
#include "support/WindowPlacement.h"

namespace dv::win32 {

namespace {
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
} // namespace

TProgStartingForm::TProgStartingForm() {
    create({L"TProgStartingForm", 0, GetSysColorBrush(COLOR_BTNFACE)}, kExStyle, kStyle, widen("Vänta..."),
           centredOnScreen(kStyle, kExStyle, 265, 74), nullptr);
}

} // namespace dv::win32
