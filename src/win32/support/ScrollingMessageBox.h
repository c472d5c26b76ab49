#pragma once

#include "core/app/MessageBoxes.h"

#include <windows.h>

#include <string_view>

namespace dv::win32 {

// A message box of the program's own for texts Windows' box cannot show:
// Windows makes its box as tall as the text, past the screen's edge (an
// update message of 800 KB gave a box 32767 pixels high at y = -32768) and
// spends seconds measuring it. This one fits the work area of the owner's
// monitor and shows the text in a read-only field that wraps and scrolls,
// with the same icon, buttons and answers.
class ScrollingMessageBox {
  public:
    // Whether Windows' own box shows the text whole on any screen: short,
    // few lines, none of them long.
    static bool fitsWindowsBox(std::string_view text);

    // Shows the box modally; the owner is disabled meanwhile.
    static MessageAnswer show(HWND owner, const MessageBoxRequest& request);

    // The control that holds the text.
    static constexpr int kTextId = 100;
};

} // namespace dv::win32
