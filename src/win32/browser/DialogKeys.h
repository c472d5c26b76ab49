#pragma once

#include "win32/support/MessageLoop.h"

namespace dv::win32 {

// Dialog keys for one of the program's own windows while it is shown: Tab
// between its controls, Enter for its default button, Escape to cancel.
class DialogKeys : public MessageFilter {
  public:
    explicit DialogKeys(HWND window) : window_(window) {}
    bool preTranslate(MSG& message) override {
        return IsDialogMessageW(window_, &message) != FALSE;
    }

  private:
    HWND window_;
};

} // namespace dv::win32
