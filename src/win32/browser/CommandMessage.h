#pragma once

#include "core/browser/CommandQueue.h"

#include <windows.h>

#include <functional>
#include <string>

namespace dv::win32 {

// The main window's command message: wParam is the address of a TCommand on
// the heap, lParam 0. The window's handler passes it to receiveCommand,
// which frees the record and answers kCommandTaken.
inline constexpr UINT kCommandMessage = WM_USER + 2;
inline constexpr LRESULT kCommandTaken = 1;

// One command text on its way from the browser's event to the main window.
struct TCommand {
    std::string Text;
    CommandStart Start = CommandStart::ByReader;
};

// Sends a command to the window that runs commands; returns once it has run,
// dialogs and launch included. False when no window took it (it is freed).
bool sendCommand(HWND window, std::string text, CommandStart start = CommandStart::ByReader);

// The handler of kCommandMessage: frees the record and runs its text. What
// escapes run is reported, never thrown back into the browser's event. A
// message that sendCommand did not send is refused (0): nothing runs.
LRESULT receiveCommand(WPARAM wParam,
                       const std::function<void(const std::string&, CommandStart)>& run);

} // namespace dv::win32
