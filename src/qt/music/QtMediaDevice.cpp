#include "qt/music/QtMediaDevice.h"

#include "qt/app/QtText.h"

#include <QAudioOutput>
#include <QEventLoop>
#include <QMediaPlayer>
#include <QTimer>
#include <QUrl>

#include <cmath>
#include <stdexcept>

namespace dv::qt {

QtMediaDevice::QtMediaDevice(std::function<void()> notify, QObject* parent)
    : QObject(parent), notify_(std::move(notify)) {}

void QtMediaDevice::makePlayer() {
    if (player_)
        return;
    player_ = new QMediaPlayer(this);
    output_ = new QAudioOutput(this);
    output_->setVolume(volume_);
    player_->setAudioOutput(output_);
    connect(player_, &QMediaPlayer::playbackStateChanged, this,
            [this](QMediaPlayer::PlaybackState state) {
                // A play with a notification completes when it stops, at the end or by stop.
                if (state == QMediaPlayer::StoppedState && playNotifyPending_) {
                    playNotifyPending_ = false;
                    notifyLater();
                }
            });
}

void QtMediaDevice::notifyLater() {
    QTimer::singleShot(0, this, [this] {
        if (notify_)
            notify_();
    });
}

void QtMediaDevice::requireOpen() const {
    if (!open_)
        throw std::runtime_error("Enheten är inte öppen.");
}

void QtMediaDevice::open(const std::string& path) {
    close();
    makePlayer();
    const bool notify = std::exchange(notifyRequested_, false);
    player_->setSource(QUrl::fromLocalFile(toQString(path)));
    QEventLoop loop;
    const auto settled = [this] {
        const auto s = player_->mediaStatus();
        return s == QMediaPlayer::LoadedMedia || s == QMediaPlayer::InvalidMedia ||
               s == QMediaPlayer::NoMedia || player_->error() != QMediaPlayer::NoError;
    };
    connect(player_, &QMediaPlayer::mediaStatusChanged, &loop, [&] {
        if (settled())
            loop.quit();
    });
    connect(player_, &QMediaPlayer::errorOccurred, &loop, &QEventLoop::quit);
    QTimer::singleShot(kOpenTimeoutMs, &loop, &QEventLoop::quit);
    if (!settled())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (player_->error() != QMediaPlayer::NoError ||
        player_->mediaStatus() != QMediaPlayer::LoadedMedia) {
        const QString reason = player_->errorString();
        player_->setSource({});
        throw std::runtime_error(
            toStdString(reason.isEmpty() ? QStringLiteral("Filen kunde inte öppnas.") : reason));
    }
    open_ = true;
    if (notify)
        notifyLater();
}

void QtMediaDevice::close() {
    playNotifyPending_ = false;
    if (!open_)
        return;
    open_ = false;
    player_->stop();
    player_->setSource({});
}

void QtMediaDevice::play() {
    requireOpen();
    playNotifyPending_ = std::exchange(notifyRequested_, false);
    player_->play();
    if (player_->error() != QMediaPlayer::NoError)
        throw std::runtime_error(toStdString(player_->errorString()));
}

void QtMediaDevice::stop() {
    requireOpen();
    notifyRequested_ = false;
    player_->stop();
}

void QtMediaDevice::seek(long milliseconds) {
    requireOpen();
    // A place outside the track is refused without a word.
    if (milliseconds < 0 || milliseconds > player_->duration())
        return;
    notifyRequested_ = false;
    player_->setPosition(milliseconds);
}

long QtMediaDevice::length() const {
    requireOpen();
    return static_cast<long>(player_->duration());
}

long QtMediaDevice::position() const {
    requireOpen();
    return static_cast<long>(player_->position());
}

PlayerMode QtMediaDevice::mode() const {
    if (!open_)
        return PlayerMode::NotReady;
    switch (player_->playbackState()) {
    case QMediaPlayer::PlayingState:
        return PlayerMode::Playing;
    case QMediaPlayer::PausedState:
        return PlayerMode::Paused;
    case QMediaPlayer::StoppedState:
        break;
    }
    return PlayerMode::Stopped;
}

int QtMediaDevice::GetVolume() {
    return static_cast<int>(std::lround(volume_ * 65535.0));
}

void QtMediaDevice::SetVolume(int volume) {
    volume_ = static_cast<float>(volume) / 65535.0f;
    if (output_)
        output_->setVolume(volume_);
}

} // namespace dv::qt
