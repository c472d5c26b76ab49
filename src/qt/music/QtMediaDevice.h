#pragma once

#include "core/music/MediaDevice.h"

#include <QObject>

#include <functional>

class QAudioOutput;
class QMediaPlayer;

namespace dv::qt {

// The media device as QMediaPlayer with the program's own QAudioOutput.
// Opening waits until the file is loaded, so its length is known at once;
// a requested notification comes once the next command has completed: an
// open when the file is loaded, a play when playing ends or is stopped.
// The player is made at the first open: making it loads the media back end
// with every GStreamer plugin, megabytes a CD would read before the start
// page, for a track the reader may never play.
class QtMediaDevice : public QObject, public MediaDevice, public AudioVolume {
    Q_OBJECT
  public:
    explicit QtMediaDevice(std::function<void()> notify, QObject* parent = nullptr);

    void setTimeFormatMilliseconds() override {}
    void requestNotify() override { notifyRequested_ = true; }
    void open(const std::string& path) override;
    void close() override;
    void play() override;
    void stop() override;
    void seek(long milliseconds) override;
    bool isOpen() const override { return open_; }
    long length() const override;
    long position() const override;
    PlayerMode mode() const override;

    int GetVolume() override;
    void SetVolume(int volume) override;

    // How long an open may take before it counts as failed.
    static constexpr int kOpenTimeoutMs = 10000;

  private:
    void makePlayer();
    void notifyLater();
    void requireOpen() const;

    std::function<void()> notify_;
    QMediaPlayer* player_ = nullptr;
    QAudioOutput* output_ = nullptr;
    float volume_ = 1.0f; // the output's, kept until it exists
    bool open_ = false;
    bool notifyRequested_ = false;
    bool playNotifyPending_ = false;
};

} // namespace dv::qt
