#pragma once

#include "core/app/MessageBoxes.h"

#include <windows.h>

namespace dv::win32 {

// The core's message boxes as Windows message boxes: owned by the given
// window (the application's main window), brought to the foreground. Their
// text is never interpreted: whatever the update service or a file name
// holds is shown as it is. A text Windows' box cannot show whole goes into a
// box of the program's own that fits the screen and scrolls.
class Win32MessageBoxes : public MessageBoxes {
  public:
    explicit Win32MessageBoxes(HWND owner = nullptr) : owner_(owner) {}
    void setOwner(HWND owner) { owner_ = owner; }

    MessageAnswer show(const MessageBoxRequest& request) override;

  private:
    HWND owner_;
};

} // namespace dv::win32
