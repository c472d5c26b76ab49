#pragma once

#include "core/music/MediaDevice.h"
#include "win32/music/MciDevice.h"
#include "win32/support/MessageWindow.h"

#include <functional>
#include <optional>

namespace dv::win32 {

// The player's media device: the DirectShow MCI device with times in
// milliseconds. A requested notification rides on the next command (open,
// play, stop or seek) and arrives as MM_MCINOTIFY at a window of our own,
// which hands it to the notify callback on the user-interface thread.
class MciMediaDevice : public MediaDevice {
  public:
    explicit MciMediaDevice(std::function<void()> notify);

    void setTimeFormatMilliseconds() override;
    void requestNotify() override { notifyRequested_ = true; }
    void open(const std::string& path) override;
    void close() override;
    void play() override;
    void stop() override;
    void seek(long milliseconds) override;
    bool isOpen() const override { return device_.isOpen(); }
    long length() const override;
    long position() const override;
    PlayerMode mode() const override;

  private:
    HWND notifyWindow();

    std::function<void()> notify_;
    MessageWindow window_;
    MciDevice device_;
    bool notifyRequested_ = false;
    // Where the next play starts, after a seek the device could not make.
    std::optional<long> playFrom_;
};

} // namespace dv::win32
