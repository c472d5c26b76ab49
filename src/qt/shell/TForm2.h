#pragma once

#include "core/shell/HiddenScreenTimeline.h"

#include <QDialog>
#include <QUrl>

class QLabel;
class QMediaPlayer;
class QTimer;

namespace dv::qt {

class FilmView;

// The hidden screen: black, borderless, filling the screen; a picture for a
// moment, then a film from the disc. A click on the black closes it.
class TForm2 : public QDialog {
    Q_OBJECT
  public:
    // film: the file to play; a missing one, or anything but a file, leaves
    // the screen black. tick: the time between the timeline's ticks.
    explicit TForm2(QUrl film = {}, std::chrono::milliseconds tick = HiddenScreenTimeline::kTick);

    void setFilm(QUrl film) { film_ = std::move(film); }
    // None until the first film plays.
    QMediaPlayer* player() const { return player_; }
    const HiddenScreenTimeline& timeline() const { return timeline_; }

    // Shows the screen modally over the whole screen; returns when closed.
    void showModalMaximised();

    // One tick of the timeline, also callable directly (tests).
    void Timer1Timer();

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    void place(QWidget& widget, const Placement& p);

    HiddenScreenTimeline timeline_;
    QUrl film_;
    QLabel* Image1 = nullptr;
    FilmView* WinMediaPlayer1 = nullptr;
    QMediaPlayer* player_ = nullptr;
    QTimer* Timer1 = nullptr;
};

} // namespace dv::qt
