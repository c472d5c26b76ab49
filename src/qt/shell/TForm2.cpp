#include "qt/shell/TForm2.h"

#include "core/app/RegularFile.h"
#include "qt/app/QtText.h"
#include "qt/shell/FilmView.h"
#include "qt/shell/SkinPictures.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMediaPlayer>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <QVideoSink>

namespace dv::qt {

TForm2::TForm2(QUrl film, std::chrono::milliseconds tick)
    : QDialog(nullptr, Qt::Window | Qt::FramelessWindowHint), timeline_(tick),
      film_(std::move(film)) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Form2"));
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(SkinPictures::picture(QStringLiteral("Image1")));
    place(*Image1, timeline_.image());

    WinMediaPlayer1 = new FilmView(this);
    WinMediaPlayer1->setObjectName(QStringLiteral("WinMediaPlayer1"));
    place(*WinMediaPlayer1, timeline_.player());

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(timeline_.tickInterval());
    connect(Timer1, &QTimer::timeout, this, &TForm2::Timer1Timer);
}

void TForm2::place(QWidget& widget, const Placement& p) {
    widget.setGeometry(p.bounds.left, p.bounds.top, p.bounds.width, p.bounds.height);
    widget.setVisible(p.visible);
}

void TForm2::showModalMaximised() {
    // Without a window manager to maximise it, fill the screen ourselves.
    if (const QScreen* s = QGuiApplication::primaryScreen())
        setGeometry(s->geometry());
    setWindowState(Qt::WindowMaximized);
    exec();
}

void TForm2::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    timeline_.formShow();
    Timer1->start();
}

void TForm2::Timer1Timer() {
    const bool open = timeline_.tick(width(), height());
    place(*Image1, timeline_.image());
    place(*WinMediaPlayer1, timeline_.player());
    if (!timeline_.timerEnabled())
        Timer1->stop();
    // Only a file is a film: the player would wait on a FIFO for ever.
    if (open && film_.isLocalFile() && isRegularFile(toStdString(film_.toLocalFile()))) {
        // Made at the first film, not with the window at start: the media
        // back end is megabytes a CD would read before the start page.
        if (!player_) {
            player_ = new QMediaPlayer(this);
            player_->setVideoOutput(WinMediaPlayer1->sink());
        }
        player_->setSource(film_);
        player_->play();
    }
}

void TForm2::hideEvent(QHideEvent* event) {
    Timer1->stop();
    if (player_)
        player_->stop();
    WinMediaPlayer1->clear();
    QDialog::hideEvent(event);
}

void TForm2::mousePressEvent(QMouseEvent* event) {
    // Only the black background closes; the picture and the player do not.
    if (childAt(event->position().toPoint()) == nullptr)
        done(QDialog::Accepted);
    event->accept();
}

} // namespace dv::qt
