#pragma once

namespace dv {

// What the command verbs do to the main window.
class MainWindowActions {
  public:
    virtual ~MainWindowActions() = default;
    virtual void closeMainWindow() = 0;
    virtual void minimiseApplication() = 0;
    // Opens the desktop's network or proxy settings; false when no program
    // for them is installed.
    virtual bool openInternetSettings() = 0;
};

} // namespace dv
