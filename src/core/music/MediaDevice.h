#pragma once

#include <string>

namespace dv {

// The modes a media device reports, in the device's own order.
enum class PlayerMode { NotReady, Stopped, Playing, Recording, Seeking, Paused, Open };

// A media device that plays one file at a time, with times in milliseconds.
// Commands that fail throw std::runtime_error with the device's own text.
// After requestNotify, the next command's completion is reported later,
// on the user-interface thread, through the notify callback the device was
// given.
class MediaDevice {
  public:
    virtual ~MediaDevice() = default;
    virtual void setTimeFormatMilliseconds() = 0;
    virtual void requestNotify() = 0;
    // Closes a file already open first.
    virtual void open(const std::string& path) = 0;
    virtual void close() = 0;
    virtual void play() = 0; // from the current position
    virtual void stop() = 0;
    virtual void seek(long milliseconds) = 0;
    virtual bool isOpen() const = 0;
    virtual long length() const = 0;   // throws when no file is open
    virtual long position() const = 0; // throws when no file is open
    virtual PlayerMode mode() const = 0;
};

// The output volume of the program's sound, 0..65535 on both channels.
class AudioVolume {
  public:
    virtual ~AudioVolume() = default;
    // -1 where there is no volume control.
    virtual int GetVolume() = 0;
    virtual void SetVolume(int volume) = 0;
};

} // namespace dv
