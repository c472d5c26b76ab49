#include "support/ErrorReport.h"

#include "shell/MainWindowLayout.h"
#include "support/Utf16.h"

#include <windows.h>

namespace dv::win32 {

void reportUnhandled(const std::string& text) {
    MessageBoxW(GetActiveWindow(), widen(text).c_str(), widen(layout::kApplicationTitle).c_str(),
                MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

} // namespace dv::win32
