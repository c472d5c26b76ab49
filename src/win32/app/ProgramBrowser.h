#pragma once

#include "win32/shell/TForm1.h"

namespace dv::win32 {

class Win32BrowserHost;

// The program's own browser for its main window: the WebBrowser control in
// the panel and, once that exists, the message hook over it.
class ProgramBrowser {
  public:
    // Gives the environment its browser and hook; this object must live as
    // long as the main window made from it.
    void furnish(TForm1::Environment& environment);

  private:
    Win32BrowserHost* host_ = nullptr; // owned by the main window
};

} // namespace dv::win32
