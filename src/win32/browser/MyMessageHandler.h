#pragma once

#include "win32/browser/HookedBrowser.h"
#include "win32/support/MessageLoop.h"

namespace dv::win32 {

// The application-wide hook on every queued message, installed once the main
// browser exists. Right-clicks are swallowed everywhere, so no context menu
// opens in any window of the program. Keys for the browser go through the
// dialog-key handling with the browser as the dialog and then to the
// control's own accelerators, as in a browser, except Backspace, Left and
// Right, which would otherwise leave the page. Clicks and keys in the page
// are reported to the browser, before they are handled, as the reader's acts.
class MyMessageHandler : public MessageFilter {
  public:
    explicit MyMessageHandler(HookedBrowser& browser) : browser_(browser) {}

    bool preTranslate(MSG& message) override;

    // True for the key messages the control's accelerators never see.
    static bool heldBack(const MSG& message);
    // True for the reader's acts that follow a link: a click, Enter or Space.
    static bool followsLink(const MSG& message);

  private:
    HookedBrowser& browser_;
    // Taken on first need and kept for the life of the program.
    Microsoft::WRL::ComPtr<IOleInPlaceActiveObject> inPlace_;
};

} // namespace dv::win32
