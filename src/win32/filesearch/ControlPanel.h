#pragma once

#include "shell/DisplayScale.h"
#include "support/ResourcePicture.h"
#include "support/Window.h"

namespace dv::win32 {

// A white child window that holds controls: it hands their notifications
// and colour questions to its parent, as if the controls were the parent's
// own, and draws a picture at its right edge, behind them.
class ControlPanel : public Window {
public:
    // Height and the picture's margins in logical units, drawn at that scale.
    ControlPanel(HWND parent, int height, ResourcePicture picture, const DisplayScale& scale = DisplayScale());

    // Where the picture lies in the panel (empty when there is none).
    RECT pictureBounds() const;

protected:
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    ResourcePicture picture_;
    DisplayScale scale_;
};

} // namespace dv::win32
