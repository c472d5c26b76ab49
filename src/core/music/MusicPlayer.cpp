#include "core/music/MusicPlayer.h"

#include "core/music/Id3v1Tag.h"
#include "core/music/MediaDevice.h"
#include "core/music/MonthTracks.h"
#include "core/music/Mp3Length.h"
#include "core/music/PlayerMath.h"
#include "core/music/PlayerView.h"
#include "core/shell/HoverController.h"
#include "core/shell/StatusLine.h"

#include <optional>
#include <stdexcept>

namespace dv {

namespace {

template <typename F> void guarded(StatusLine& status, F&& f) {
    try {
        f();
    } catch (const std::exception& e) {
        status.setStatusText(e.what());
    }
}

} // namespace

void MusicPlayer::openTrack() {
    p_.device.requestNotify();
    p_.device.open(trackPath_);
}

void MusicPlayer::LoadMusic() {
    const std::vector<std::string> tracks = monthTracks(discRoot_);
    if (!tracks.empty()) {
        trackPath_ = tracks.front();
        const std::string title = "Månadens MP3: " + FindMP3Tag(trackPath_);
        // The frames give the length, so the device, a weight of its own (a
        // whole media framework on some systems), opens at the first play.
        if (const std::optional<long> length = mp3LengthOf(trackPath_)) {
            trackLoaded();
            p_.view.setTitleLine(title + " (" + player::formatTime(*length) + ")");
        } else {
            // Data the frames do not explain: the device says at once
            // whether it can play it.
            openAtStart(title);
        }
    }
    p_.view.setKnobLeft(player::knobLeftForVolume(p_.volume.GetVolume()));
}

void MusicPlayer::trackLoaded() {
    trackLoaded_ = true;
    p_.hover.setTrackLoaded(true);
    p_.view.setKnobVisible(true);
}

void MusicPlayer::openAtStart(const std::string& title) {
    guarded(p_.status, [&] {
        try {
            p_.device.setTimeFormatMilliseconds(); // before the open; its result does not matter
        } catch (const std::exception&) {
        }
        openTrack();
        trackLoaded();
    });
    p_.view.setTitleLine(title + " (" + getMPLen() + ")");
    guarded(p_.status, [&] {
        if (p_.device.mode() == PlayerMode::Open)
            p_.device.close();
    });
}

void MusicPlayer::lbPlayClick() {
    guarded(p_.status, [&] {
        if (p_.device.mode() != PlayerMode::Open) {
            // Every play starts over at the beginning.
            p_.device.close();
            openTrack();
        }
        p_.device.requestNotify();
        p_.device.play();
    });
}

void MusicPlayer::lbStopClick() {
    guarded(p_.status, [&] { p_.device.stop(); });
}

void MusicPlayer::mPlayerNotify() {
    p_.device.requestNotify();
    const PlayerMode mode = p_.device.mode();
    if (mode == PlayerMode::Playing)
        p_.view.setPositionDisplayVisible(true);
    else if (mode == PlayerMode::Stopped)
        p_.view.setPositionDisplayVisible(false);
}

void MusicPlayer::MPTimerTimer() {
    p_.view.setPositionText(getMPPos());
    p_.view.setPositionBar(getMPRelPos());
    if (p_.device.mode() == PlayerMode::Stopped)
        p_.view.setPositionDisplayVisible(false);
}

void MusicPlayer::lbTrackBarMouseUp(int x, int barWidth) {
    const PlayerMode before = p_.device.mode();
    guarded(p_.status, [&] {
        p_.device.seek(player::seekTarget(p_.device.length(), x, barWidth));
        if (before == PlayerMode::Playing) {
            p_.device.requestNotify();
            p_.device.play();
        }
    });
}

std::string MusicPlayer::getMPLen() const {
    try {
        if (!p_.device.isOpen())
            return player::formatTime(std::nullopt);
        return player::formatTime(p_.device.length());
    } catch (const std::exception&) {
        return player::formatTime(std::nullopt);
    }
}

std::string MusicPlayer::getMPPos() const {
    try {
        return player::formatTime(p_.device.position());
    } catch (const std::exception&) {
        return player::formatTime(std::nullopt);
    }
}

int MusicPlayer::getMPRelPos() const {
    try {
        if (!p_.device.isOpen())
            return 0;
        return player::relativePosition(p_.device.position(), p_.device.length());
    } catch (const std::exception&) {
        return 0;
    }
}

void MusicPlayer::knobMouseDown(bool leftButton, int x) {
    if (!leftButton || volumeDragging_ || !trackLoaded_)
        return;
    dragStartX_ = x;
    volumeDragging_ = true;
}

void MusicPlayer::knobMouseMove(int x) {
    if (!volumeDragging_)
        return;
    const int left = player::clampKnob(p_.view.knobLeft() + x - dragStartX_);
    p_.view.setKnobLeft(left);
    const int volume = player::volumeForKnob(left);
    p_.volume.SetVolume(volume);
    const std::string text = "Volym " + std::to_string(player::percentOfVolume(volume)) + "%";
    p_.view.setKnobHint(text);
    p_.status.setStatusText(text);
}

void MusicPlayer::knobMouseUp(bool leftButton) {
    if (!leftButton || !volumeDragging_ || !trackLoaded_)
        return;
    volumeDragging_ = false;
    p_.status.setStatusText({});
}

} // namespace dv
