#pragma once

#include <string>

namespace dv {

class AudioVolume;
class HoverController;
class MediaDevice;
class PlayerView;
class StatusLine;

// The music of the month: finds the disc's track and shows its tag and
// length, opens it on the device at the first play (at start only when its
// frames cannot be read), plays and stops it, follows its position, seeks,
// and sets the volume with the knob. Device errors go to the status line;
// the program goes on.
class MusicPlayer {
  public:
    struct Parts {
        MediaDevice& device;
        AudioVolume& volume;
        PlayerView& view;
        StatusLine& status;
        HoverController& hover; // play and stop light up only with a track
    };

    MusicPlayer(std::string discRoot, Parts parts) : discRoot_(std::move(discRoot)), p_(parts) {}

    void LoadMusic();
    void lbPlayClick();
    void lbStopClick();
    void mPlayerNotify();
    void MPTimerTimer();
    void lbTrackBarMouseUp(int x, int barWidth);

    void knobMouseDown(bool leftButton, int x);
    void knobMouseMove(int x);
    void knobMouseUp(bool leftButton);

    bool TrackLoaded() const { return trackLoaded_; }
    // The opened track's full path; empty when none was found.
    const std::string& trackPath() const { return trackPath_; }

  private:
    void openTrack();
    void trackLoaded();
    void openAtStart(const std::string& title);
    std::string getMPLen() const;
    std::string getMPPos() const;
    int getMPRelPos() const;

    std::string discRoot_;
    Parts p_;
    std::string trackPath_;
    bool trackLoaded_ = false;
    bool volumeDragging_ = false;
    int dragStartX_ = 0;
};

} // namespace dv
