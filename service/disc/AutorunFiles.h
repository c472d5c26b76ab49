#pragma once

#include <string>
#include <string_view>

namespace dv {

// The files at the root of a disc that make desktops offer to start it.
class AutorunFiles {
  public:
    // autorun.inf for Windows: open the start program, its icon, the label.
    static std::string windowsAutorun(std::string_view label);
    // .autorun of the freedesktop autostart-on-media rule: a desktop that
    // honours it asks the reader, then runs it from the disc's root.
    static std::string freedesktopAutorun();
};

} // namespace dv
