#include "win32/support/ErrorReport.h"

#include "core/shell/MainWindowLayout.h"
#include "win32/support/Win32MessageBoxes.h"

#include <windows.h>

namespace dv::win32 {

void reportUnhandled(const std::string& text) {
    Win32MessageBoxes(GetActiveWindow())
        .show({layout::kApplicationTitle, text, MessageIcon::Error, MessageButtons::Ok});
}

} // namespace dv::win32
