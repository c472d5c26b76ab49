#include "win32/music/MciMediaDevice.h"

#include "win32/support/Utf16.h"

#include <stdexcept>
#include <utility>

namespace dv::win32 {

namespace {

// Errors with which a device refuses to seek at all: Wine's DirectShow
// device, for one, plays from a place but does not seek to one.
bool cannotSeek(MCIERROR error) {
    return error == MCIERR_UNSUPPORTED_FUNCTION || error == MCIERR_INTERNAL ||
           error == MCIERR_UNRECOGNIZED_KEYWORD;
}

} // namespace

MciMediaDevice::MciMediaDevice(std::function<void()> notify)
    : notify_(std::move(notify)), window_([this](UINT message, WPARAM, LPARAM) {
          if (message != MM_MCINOTIFY)
              return false;
          // Every outcome counts (done, stopped, superseded): the player
          // reads the mode afresh each time.
          if (notify_)
              notify_();
          return true;
      }) {}

HWND MciMediaDevice::notifyWindow() {
    return std::exchange(notifyRequested_, false) ? window_.hwnd() : nullptr;
}

void MciMediaDevice::setTimeFormatMilliseconds() {
    // Every open sets milliseconds anyway; an open device gets it now.
    if (device_.isOpen())
        device_.setTimeFormatMilliseconds();
}

void MciMediaDevice::open(const std::string& path) {
    close();
    device_.open(widen(path), notifyWindow());
    device_.setTimeFormatMilliseconds();
}

void MciMediaDevice::close() {
    playFrom_.reset();
    device_.close();
}

void MciMediaDevice::play() {
    const std::optional<long> from = std::exchange(playFrom_, std::nullopt);
    device_.play(notifyWindow(),
                 from ? std::optional<DWORD>(static_cast<DWORD>(*from)) : std::nullopt);
}

void MciMediaDevice::stop() {
    playFrom_.reset();
    device_.stop(notifyWindow());
}

void MciMediaDevice::seek(long milliseconds) {
    // A place outside the track (a release beside the bar) is refused
    // without a word.
    if (milliseconds < 0 || milliseconds > length())
        return;
    try {
        device_.seek(static_cast<DWORD>(milliseconds), notifyWindow());
        playFrom_.reset();
    } catch (const std::runtime_error&) {
        if (!cannotSeek(device_.lastError()))
            throw;
        playFrom_ = milliseconds;
    }
}

long MciMediaDevice::length() const {
    return static_cast<long>(device_.status(MCI_STATUS_LENGTH));
}

long MciMediaDevice::position() const {
    if (playFrom_ && mode() != PlayerMode::Playing)
        return *playFrom_;
    return static_cast<long>(device_.status(MCI_STATUS_POSITION));
}

PlayerMode MciMediaDevice::mode() const {
    if (!device_.isOpen())
        return PlayerMode::NotReady;
    DWORD_PTR mode = 0;
    try {
        mode = device_.status(MCI_STATUS_MODE);
    } catch (const std::runtime_error&) {
        // A device that cannot say is not ready; asking is no command that
        // could fail for the reader.
        return PlayerMode::NotReady;
    }
    // Some drivers return the mode as a resource: the constant in both words.
    switch (LOWORD(mode)) {
    case MCI_MODE_STOP:
        return PlayerMode::Stopped;
    case MCI_MODE_PLAY:
        return PlayerMode::Playing;
    case MCI_MODE_RECORD:
        return PlayerMode::Recording;
    case MCI_MODE_SEEK:
        return PlayerMode::Seeking;
    case MCI_MODE_PAUSE:
        return PlayerMode::Paused;
    case MCI_MODE_OPEN:
        return PlayerMode::Open;
    default:
        return PlayerMode::NotReady;
    }
}

} // namespace dv::win32
