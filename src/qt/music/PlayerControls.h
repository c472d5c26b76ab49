#pragma once

#include "core/music/MusicPlayer.h"
#include "core/music/PlayerView.h"
#include "core/music/TrackSaver.h"
#include "qt/music/QtMediaDevice.h"

#include <QObject>

#include <memory>

class QLabel;
class QProgressBar;
class QTimer;
class QWidget;

namespace dv {
class HoverController;
class MessageBoxes;
class StatusLine;
} // namespace dv

namespace dv::qt {

// The music player's controls along the bottom of the main window, and the
// device, player and saver behind them.
class PlayerControls : public QObject, public PlayerView {
    Q_OBJECT
  public:
    struct Parts {
        QWidget& window;
        QWidget& trackBar; // the click strip, a hot-spot of the window
        StatusLine& status;
        HoverController& hover;
        MessageBoxes& boxes;
        SaveDialog& saveDialog;
    };

    PlayerControls(std::string discRoot, Parts parts);
    ~PlayerControls() override;

    MusicPlayer& player() { return player_; }
    QtMediaDevice& device() { return *device_; }
    void lbSaveMP3Click();

    // PlayerView
    void setTitleLine(const std::string& text) override;
    void setPositionDisplayVisible(bool visible) override;
    void setPositionText(const std::string& text) override;
    void setPositionBar(int percent) override;
    void setKnobVisible(bool visible) override;
    void setKnobLeft(int left) override;
    int knobLeft() const override;
    void setKnobHint(const std::string& hint) override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QLabel* label(const char* name, QRect bounds, QColor colour, Qt::Alignment alignment);

    Parts p_;
    QLabel* lbSongNameShadow = nullptr;
    QLabel* lbSongNameWhite = nullptr;
    QProgressBar* ggPlayerPos = nullptr;
    QLabel* lbPosShadow = nullptr;
    QLabel* lbPos = nullptr;
    QLabel* imPlayerPlayPos = nullptr;
    QTimer* MPTimer = nullptr;
    std::unique_ptr<QtMediaDevice> device_;
    MusicPlayer player_;
    TrackSaver saver_;
};

} // namespace dv::qt
