// The hidden screen with its own timer and the real media framework: every
// showing plays the film where the reader sees it, when the timeline says.

#include "QtTestHelpers.h"
#include "qt/shell/TForm2.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QMediaPlayer>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <chrono>

#include <sys/stat.h>

namespace {

QUrl sampleFilm() {
    return QUrl::fromLocalFile(
        QStringLiteral(DATAVIND_SAMPLE_DISC "/Webblasare/ie6sv/ROMCONF.CAB"));
}

// True when the film's surface is up and the screen shows more than black there.
bool filmShows(const dv::qt::TForm2& screen) {
    const auto* surface = screen.findChild<QWidget*>(QStringLiteral("WinMediaPlayer1"));
    if (!surface || !surface->isVisible())
        return false;
    const QPoint at = surface->mapToGlobal(QPoint(0, 0));
    const QImage shot = QGuiApplication::primaryScreen()
                            ->grabWindow(0, at.x(), at.y(), surface->width(), surface->height())
                            .toImage();
    for (int y = 0; y < shot.height(); y += 8)
        for (int x = 0; x < shot.width(); x += 8)
            if (qGray(shot.pixel(x, y)) > 40)
                return true;
    return false;
}

// A tick short enough that the test does not wait on the clock.
constexpr std::chrono::milliseconds kQuickTick{200};

} // namespace

class HiddenScreenTest : public QObject {
    Q_OBJECT

    // Shows the screen as the key sequence does, clicks it away once the film
    // is seen, and says after how many of the screen's own ticks the film was
    // opened; -1 when it never showed.
    static int showAndCountTicks(dv::qt::TForm2& screen) {
        int ticks = 0;
        int openedAt = -1;
        auto* timer = screen.findChild<QTimer*>(QStringLiteral("Timer1"));
        // Runs after the screen's own tick: the timeline stops its timer at
        // the tick that opens the film.
        const QMetaObject::Connection counting = connect(timer, &QTimer::timeout, &screen, [&] {
            ++ticks;
            if (openedAt < 0 && !screen.timeline().timerEnabled())
                openedAt = ticks;
        });
        bool seen = false;
        QTimer::singleShot(0, &screen, [&] {
            seen = QTest::qWaitFor([&] { return filmShows(screen); }, 14000);
            QTest::mouseClick(&screen, Qt::LeftButton, {}, QPoint(5, 5));
        });
        screen.showModalMaximised(); // the event loop runs here, with the screen's own timer
        QObject::disconnect(counting);
        return seen ? openedAt : -1;
    }

  private Q_SLOTS:
    void theProgramsScreenTicksEveryThreeSeconds() {
        const dv::qt::TForm2 screen(sampleFilm());
        QCOMPARE(screen.findChild<QTimer*>(QStringLiteral("Timer1"))->interval(), 3000);
    }

    void everyShowingPlaysTheFilm() {
        dv::qt::TForm2 screen(sampleFilm(), kQuickTick);
        // Black, the picture, black: the film at the third tick.
        QCOMPARE(showAndCountTicks(screen), 3);
        QVERIFY(!screen.isVisible());
        QCOMPARE(screen.player()->playbackState(), QMediaPlayer::StoppedState);
        // The picture is out of sight already: the film at the first tick.
        QCOMPARE(showAndCountTicks(screen), 1);
        QCOMPARE(showAndCountTicks(screen), 1);
    }

    // A film that is no file leaves the screen black, and nothing waits on it.
    void specialFilesAreNoFilm() {
        QTemporaryDir dir;
        const QString fifo = dir.filePath(QStringLiteral("fifo.cab"));
        QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("folder.cab"))));
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("saknas")),
                            dir.filePath(QStringLiteral("dangling.cab"))));
        for (const char* name : {"fifo.cab", "folder.cab", "dangling.cab"}) {
            dv::qt::TForm2 screen(QUrl::fromLocalFile(dir.filePath(QLatin1String(name))));
            bool black = false;
            QTimer::singleShot(0, &screen, [&] {
                for (int tick = 0; tick < 3; ++tick)
                    screen.Timer1Timer();
                // A player is made for a film at the opening tick or never:
                // without one, nothing can come to show on its surface.
                auto* surface = screen.findChild<QWidget*>(QStringLiteral("WinMediaPlayer1"));
                black = QTest::qWaitFor([&] { return surface->isVisible(); }, 5000) &&
                        !screen.player() && !filmShows(screen);
                QTest::mouseClick(&screen, Qt::LeftButton, {}, QPoint(5, 5));
            });
            screen.showModalMaximised();
            QVERIFY2(black, name);
        }
    }
};

DATAVIND_QTEST_MAIN(HiddenScreenTest)
#include "HiddenScreenTest.moc"
