// The hidden screen with its own timer and the real media framework: every
// showing plays the film where the reader sees it, when the timeline says.

#include "QtTestHelpers.h"
#include "shell/TForm2.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QMediaPlayer>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <sys/stat.h>

namespace {

QUrl sampleFilm() {
    return QUrl::fromLocalFile(QStringLiteral(DATAVIND_SAMPLE_DISC "/Webblasare/ie6sv/ROMCONF.CAB"));
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

} // namespace

class HiddenScreenTest : public QObject {
    Q_OBJECT

    // Shows the screen as the key sequence does, clicks it away once the film
    // is seen, and says how long after the showing that was; -1 for never.
    static qint64 showAndTimeTheFilm(dv::qt::TForm2& screen) {
        qint64 seenAfter = -1;
        QTimer::singleShot(0, &screen, [&] {
            QElapsedTimer clock;
            clock.start();
            if (QTest::qWaitFor([&] { return filmShows(screen); }, 14000))
                seenAfter = clock.elapsed();
            QTest::mouseClick(&screen, Qt::LeftButton, {}, QPoint(5, 5));
        });
        screen.showModalMaximised(); // the event loop runs here, with the screen's own timer
        return seenAfter;
    }

private Q_SLOTS:
    void everyShowingPlaysTheFilm() {
        dv::qt::TForm2 screen(sampleFilm());
        // Black, the picture, black: the film at the third tick.
        const qint64 first = showAndTimeTheFilm(screen);
        QVERIFY2(first >= 8500 && first < 11500, qPrintable(QString::number(first)));
        QVERIFY(!screen.isVisible());
        QCOMPARE(screen.player()->playbackState(), QMediaPlayer::StoppedState);
        // The picture is out of sight already: the film at the first tick.
        const qint64 second = showAndTimeTheFilm(screen);
        QVERIFY2(second >= 2500 && second < 5500, qPrintable(QString::number(second)));
        const qint64 third = showAndTimeTheFilm(screen);
        QVERIFY2(third >= 2500 && third < 5500, qPrintable(QString::number(third)));
    }

    // A film that is no file leaves the screen black, and nothing waits on it.
    void specialFilesAreNoFilm() {
        QTemporaryDir dir;
        const QString fifo = dir.filePath(QStringLiteral("fifo.cab"));
        QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("folder.cab"))));
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("saknas")), dir.filePath(QStringLiteral("dangling.cab"))));
        for (const char* name : {"fifo.cab", "folder.cab", "dangling.cab"}) {
            dv::qt::TForm2 screen(QUrl::fromLocalFile(dir.filePath(QLatin1String(name))));
            bool black = false;
            QTimer::singleShot(0, &screen, [&] {
                for (int tick = 0; tick < 3; ++tick)
                    screen.Timer1Timer();
                QTest::qWait(1500);
                black = !filmShows(screen) && screen.player()->source().isEmpty();
                QTest::mouseClick(&screen, Qt::LeftButton, {}, QPoint(5, 5));
            });
            screen.showModalMaximised();
            QVERIFY2(black, name);
        }
    }
};

DATAVIND_QTEST_MAIN(HiddenScreenTest)
#include "HiddenScreenTest.moc"
