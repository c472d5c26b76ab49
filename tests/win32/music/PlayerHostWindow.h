#pragma once

// A stand-in for the main window around the player's controls: it paints a
// plain background, lets the controls paint over it, hands them its mouse
// messages and keeps the status line, as the main window does.

#include "core/shell/HighlightDisplay.h"
#include "core/shell/HoverController.h"
#include "core/shell/StatusLine.h"
#include "win32/music/PlayerControls.h"
#include "win32/support/Win32MessageBoxes.h"
#include "win32/support/Window.h"

#include <memory>
#include <set>
#include <string>

namespace dv::win32::test {

class PlayerHostWindow : public Window, public StatusLine, public HighlightDisplay {
  public:
    static constexpr COLORREF kBackground = RGB(255, 0, 255);

    PlayerHostWindow(const std::string& discRoot, SaveDialog& saveDialog);
    ~PlayerHostWindow() override;

    PlayerControls& controls() { return *controls_; }
    const std::string& statusText() const { return status_; }
    bool trackBarVisible() const { return trackBar_; }
    const std::set<std::string, std::less<>>& highlights() const { return lit_; }
    Win32MessageBoxes& boxes() { return boxes_; }

    void setStatusText(const std::string& text) override { status_ = text; }
    void setHighlightVisible(std::string_view name, bool visible) override;

  protected:
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    HoverController hover_{*this, *this};
    Win32MessageBoxes boxes_;
    std::unique_ptr<PlayerControls> controls_;
    std::string status_;
    bool trackBar_ = false;
    std::set<std::string, std::less<>> lit_;
};

} // namespace dv::win32::test
