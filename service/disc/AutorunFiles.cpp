#include "AutorunFiles.h"

namespace dv {

std::string AutorunFiles::windowsAutorun(std::string_view label) {
    return "[autorun]\r\n"
           "open=datavind.exe\r\n"
           "icon=datavind.exe,0\r\n"
           "label=" +
           std::string(label) + "\r\n";
}

std::string AutorunFiles::freedesktopAutorun() {
    return "#!/bin/sh\n"
           "# Started by the desktop, after asking, when this disc is inserted.\n"
           "here=$(dirname \"$0\")\n"
           "exec \"$here/datavind\" \"$@\"\n";
}

} // namespace dv
