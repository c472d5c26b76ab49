#pragma once

#include "core/music/MusicPlayer.h"
#include "core/music/PlayerView.h"
#include "core/music/TrackSaver.h"
#include "core/shell/DisplayScale.h"
#include "win32/music/MciMediaDevice.h"
#include "win32/music/SessionVolume.h"
#include "win32/support/MessageWindow.h"
#include "win32/support/ResourcePicture.h"
#include "win32/support/ToolTips.h"

#include <windows.h>

#include <functional>
#include <string>

namespace dv {
class HoverController;
class MessageBoxes;
class StatusLine;
} // namespace dv

namespace dv::win32 {

// The music player's controls along the bottom of the main window, and the
// device, volume, player and saver behind them. The labels, the position
// bar and the knob have no windows of their own: like the window's other
// graphic controls they are painted by the main window over its background
// (paint), so that nothing but their text and pictures covers it. The
// window hands them its mouse messages for the knob.
class PlayerControls : public PlayerView {
  public:
    struct Parts {
        HWND window; // the main window
        StatusLine& status;
        HoverController& hover;
        MessageBoxes& boxes;
        SaveDialog& saveDialog;
        // Shows and hides the click strip over the bar, a hot-spot of the window.
        std::function<void(bool)> showTrackBar;
    };

    PlayerControls(std::string discRoot, Parts parts);
    ~PlayerControls() override;
    PlayerControls(const PlayerControls&) = delete;
    PlayerControls& operator=(const PlayerControls&) = delete;

    MusicPlayer& player() { return player_; }
    MciMediaDevice& device() { return device_; }
    SessionVolume& volume() { return volume_; }
    void lbSaveMP3Click();

    // Draws the controls for a display of that scale (their places are the
    // skin's logical units).
    void setScale(const DisplayScale& scale);

    // Paints the visible controls; the window has painted its background.
    void paint(HDC dc) const;
    // Whether a client point lies on the knob while it shows.
    bool onKnob(POINT at) const;
    // One of the window's mouse messages (client coordinates); true when
    // the knob took it.
    bool mouseMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // What the controls show, for the window's tests.
    const std::wstring& titleText() const { return title_; }
    const std::wstring& positionText() const { return position_; }
    bool positionDisplayVisible() const { return positionShown_; }
    int positionBar() const { return percent_; }
    bool knobVisible() const { return knobShown_; }
    RECT knobBounds() const;
    std::string knobHint() const { return tips_.text(kKnobTool); }

    // PlayerView
    void setTitleLine(const std::string& text) override;
    void setPositionDisplayVisible(bool visible) override;
    void setPositionText(const std::string& text) override;
    void setPositionBar(int percent) override;
    void setKnobVisible(bool visible) override;
    void setKnobLeft(int left) override;
    int knobLeft() const override { return knobLeft_; }
    void setKnobHint(const std::string& hint) override;

    static constexpr UINT_PTR kMPTimer = 1;
    static constexpr UINT kKnobTool = 1;

  private:
    void invalidate(const RECT& area) const;
    RECT place(const Rect& logical) const;
    void updateKnobTip();
    void endDrag();

    Parts p_;
    MciMediaDevice device_;
    SessionVolume volume_;
    MusicPlayer player_;
    TrackSaver saver_;
    MessageWindow MPTimer; // its WM_TIMER is the position timer's tick
    DisplayScale scale_;
    ResourcePicture imPlayerPlayPos{L"Knob"}; // the knob
    ToolTips tips_;

    std::wstring title_;
    std::wstring position_;
    bool positionShown_ = false;
    int percent_ = 0;
    bool knobShown_ = false;
    int knobLeft_;
    bool dragging_ = false;
};

} // namespace dv::win32
