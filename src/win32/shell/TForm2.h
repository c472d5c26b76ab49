#pragma once

#include "core/shell/HiddenScreenTimeline.h"
#include "win32/support/ResourcePicture.h"
#include "win32/support/Window.h"
#include "win32/support/WindowDpi.h"

#include <chrono>
#include <memory>
#include <string>

namespace dv::win32 {

class MciVideoWindow;

// The hidden screen: black, borderless, filling the screen; a picture for a
// moment, then a film from the disc in a window of its own. Created at start
// and kept for the whole run; shown modally. A click on the black closes it.
class TForm2 : public Window {
  public:
    // owner: the window the screen belongs to (no task-bar button of its own).
    // tick: the time between the timeline's ticks.
    explicit TForm2(HWND owner = nullptr,
                    std::chrono::milliseconds tick = HiddenScreenTimeline::kTick);
    ~TForm2() override;

    // The film to play; a missing one leaves the screen black.
    void setFilm(std::string path) { film_ = std::move(path); }

    // Shows the screen modally over the whole screen; returns when closed.
    void showModal();
    // One tick of the timeline, also callable directly (tests).
    void Timer1Timer();

    const HiddenScreenTimeline& timeline() const { return timeline_; }
    MciVideoWindow& player() { return *WinMediaPlayer1; }

    static constexpr UINT_PTR kTimer1 = 1;

  protected:
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void FormShow();
    void FormHide();
    void FormClick(POINT at);
    void paint(HDC dc) const;
    void placePlayer();
    bool onPicture(POINT at) const;

    // The timeline places things in logical units; they are shown at the display's scale.
    DisplayScale scale_ = systemScale();
    HiddenScreenTimeline timeline_;
    ResourcePicture Image1{L"Image1", scale_.picturePercent()};
    std::string film_;
    std::unique_ptr<MciVideoWindow> WinMediaPlayer1;
    bool pressedOnBlack_ = false;
};

} // namespace dv::win32
