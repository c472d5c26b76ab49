#pragma once

#include "win32/support/Window.h"

#include <functional>

namespace dv::win32 {

// A window no one sees, for the messages that Windows posts to a window:
// device notifications and timers. Each message goes to the handler; what it
// does not take goes to Windows' own handling.
class MessageWindow : public Window {
  public:
    // True when the handler took the message.
    using Handler = std::function<bool(UINT message, WPARAM wParam, LPARAM lParam)>;

    explicit MessageWindow(Handler handler);

  protected:
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    Handler handler_;
};

} // namespace dv::win32
