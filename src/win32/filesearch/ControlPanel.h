#pragma once

#include "win32/support/ResourcePicture.h"
#include "win32/support/Window.h"

#include <functional>

namespace dv::win32 {

// A white child window that holds controls: it hands their notifications
// and colour questions to its parent, as if the controls were the parent's
// own, and draws a picture behind them where its owner places it.
class ControlPanel : public Window {
  public:
    // Where the picture lies for a panel width and the picture's size.
    using Placement = std::function<RECT(int panelWidth, SIZE picture)>;

    ControlPanel(HWND parent, int height, ResourcePicture picture, Placement placement);

    // Where the picture lies in the panel (empty when there is none).
    RECT pictureBounds() const;

  protected:
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    ResourcePicture picture_;
    Placement placement_;
};

} // namespace dv::win32
