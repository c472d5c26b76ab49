#pragma once

#include "support/Window.h"

namespace dv::win32 {

// The hidden screen: a black borderless window, maximised when shown,
// created at start and kept for the whole run. Shown modally; a click on
// the black background closes it.
class TForm2 : public Window {
public:
    TForm2();

    // Shows the screen and returns once it is closed.
    void showModal();

protected:
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool showing_ = false;
};

} // namespace dv::win32
