// The music player on the real media device with the sample disc's track.

#include "QtTestHelpers.h"
#include "core/music/TrackSaver.h"
#include "qt/music/PlayerControls.h"

#include <QAudioOutput>
#include <QLabel>
#include <QMediaPlayer>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTemporaryDir>

using dv::test::MainWindowUnderTest;

namespace {

class ScriptedSaveDialog : public dv::SaveDialog {
  public:
    std::optional<std::string> answer;
    std::optional<std::string> askSaveFileName(const std::string&) override { return answer; }
};

// Whether the media back end, with GStreamer, is in this process.
bool mediaBackEndLoaded() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        qFatal("no /proc/self/maps");
    return maps.readAll().contains("libgstreamer-1.0");
}

void sendMouse(QWidget* w, QEvent::Type type, int x, Qt::MouseButtons buttons) {
    QMouseEvent e(type, QPointF(x, 5), w->mapToGlobal(QPointF(x, 5)),
                  type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                  Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

} // namespace

class PlayerTest : public QObject {
    Q_OBJECT

    ScriptedSaveDialog saveDialog_;
    std::unique_ptr<MainWindowUnderTest> t_;

    template <typename T> T* child(const char* name) {
        auto* w = t_->form->findChild<T*>(QLatin1String(name));
        if (!w)
            qFatal("no %s", name);
        return w;
    }
    QString position() { return child<QLabel>("lbPos")->text(); }
    long positionMs() { return t_->form->playerControls().device().position(); }

  private Q_SLOTS:
    void initTestCase() {
        t_ = std::make_unique<MainWindowUnderTest>();
        t_->form->show();
        QSignalSpy done(t_->form, &dv::qt::TForm1::startupDone);
        QVERIFY(done.wait(30000)); // the web engine starts slowly on a loaded machine
    }

    // From a CD the back end is megabytes read before the start page.
    void theMediaBackEndLoadsAtTheFirstPlay() {
        QVERIFY(!mediaBackEndLoaded());
        QTest::mouseClick(child<QWidget>("lbPlay"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(t_->form->playerControls().device().mode(),
                                  dv::PlayerMode::Playing, 5000);
        QVERIFY(mediaBackEndLoaded());
        QTest::mouseClick(child<QWidget>("lbStop"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(t_->form->playerControls().device().mode(),
                                  dv::PlayerMode::Stopped, 3000);
    }

    void titleLineShowsTagAndLength() {
        QCOMPARE(child<QLabel>("lbSongNameWhite")->text(),
                 QStringLiteral("Månadens MP3: Snöänglarna Vinterljus (00:08)"));
        QCOMPARE(child<QLabel>("lbSongNameShadow")->text(),
                 child<QLabel>("lbSongNameWhite")->text());
        QCOMPARE(child<QLabel>("lbSongNameWhite")->geometry(), QRect(177, 577, 352, 13));
        QVERIFY(child<QLabel>("imPlayerPlayPos")->isVisible());
        QVERIFY(t_->form->playerControls().player().TrackLoaded());
    }

    void playShowsThePositionAndStopHidesIt() {
        auto* bar = child<QProgressBar>("ggPlayerPos");
        QVERIFY(!bar->isVisible());
        QTest::mouseClick(child<QWidget>("lbPlay"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(bar->isVisible(), 5000);
        QVERIFY(child<QWidget>("lbTrackBar")->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(position() >= QStringLiteral("00:01"), 5000);
        QVERIFY(bar->value() > 0);
        QTest::mouseClick(child<QWidget>("lbStop"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!bar->isVisible(), 3000);
        QVERIFY(!child<QLabel>("lbPos")->isVisible());
    }

    void seekWhilePlayingKeepsPlayingFromThere() {
        QTest::mouseClick(child<QWidget>("lbPlay"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(child<QProgressBar>("ggPlayerPos")->isVisible(), 5000);
        QWidget* strip = child<QWidget>("lbTrackBar");
        QTest::mouseClick(strip, Qt::LeftButton, {}, QPoint(204, 5)); // about the middle
        QTRY_VERIFY_WITH_TIMEOUT(positionMs() >= 4000, 3000);
        const long after = positionMs();
        QTRY_VERIFY_WITH_TIMEOUT(positionMs() > after, 5000); // still playing
        QCOMPARE(t_->form->playerControls().device().mode(), dv::PlayerMode::Playing);
        QTest::mouseClick(child<QWidget>("lbStop"), Qt::LeftButton);
    }

    void knobDragSetsTheOutputVolume() {
        auto& device = t_->form->playerControls().device();
        auto* knob = child<QLabel>("imPlayerPlayPos");
        QCOMPARE(knob->x(), 139);
        sendMouse(knob, QEvent::MouseButtonPress, 3, Qt::LeftButton);
        sendMouse(knob, QEvent::MouseMove, 3 - 39, Qt::LeftButton);
        QCOMPARE(knob->x(), 100);
        QCOMPARE(device.GetVolume(), 32342);
        const auto* output = device.findChild<QAudioOutput*>(); // made at the first play
        QVERIFY(output);
        QVERIFY(qAbs(output->volume() - 32342 / 65535.0f) < 1e-4f);
        QCOMPARE(t_->form->statusText(), QStringLiteral("Volym 49%"));
        QCOMPARE(knob->toolTip(), QStringLiteral("Volym 49%"));
        sendMouse(knob, QEvent::MouseButtonRelease, 3 - 39, Qt::NoButton);
        QCOMPARE(t_->form->statusText(), QString());
    }

    void savingMakesAByteIdenticalCopy() {
        QTemporaryDir target;
        const QString path = target.filePath(QStringLiteral("Min låt.mp3"));
        saveDialog_.answer = path.toStdString();
        // A fresh window with the scripted dialog.
        t_.reset();
        t_ = std::make_unique<MainWindowUnderTest>(std::function<std::optional<std::string>()>{},
                                                   dv::test::sampleDiscExecutable(), &saveDialog_);
        t_->form->show();
        QSignalSpy done(t_->form, &dv::qt::TForm1::startupDone);
        QVERIFY(done.wait(30000)); // the web engine starts slowly on a loaded machine
        QTest::mouseClick(child<QWidget>("lbSaveMP3"), Qt::LeftButton);
        QFile copy(path), original(QStringLiteral(DATAVIND_SAMPLE_DISC "/musik/Vinterljus.mp3"));
        QVERIFY(copy.open(QIODevice::ReadOnly));
        QVERIFY(original.open(QIODevice::ReadOnly));
        QCOMPARE(copy.readAll(), original.readAll());
        QCOMPARE(t_->boxes.shown.size(), std::size_t{1});
        QCOMPARE(QString::fromStdString(t_->boxes.shown[0].text),
                 QStringLiteral("Filen sparad som \"") + path + QStringLiteral("\"!"));
    }

    void aTargetThatCannotBeCreatedIsReported() {
        saveDialog_.answer = "/nonexistent/folder/låt.mp3";
        t_->boxes.shown.clear();
        QTest::mouseClick(child<QWidget>("lbSaveMP3"), Qt::LeftButton);
        QCOMPARE(t_->boxes.shown.size(), std::size_t{1});
        QVERIFY(t_->boxes.shown[0].icon == dv::MessageIcon::Error);
        QVERIFY(QString::fromStdString(t_->boxes.shown[0].text)
                    .contains(QStringLiteral("/nonexistent/folder")));
        QVERIFY(t_->form->isVisible()); // and the program goes on
    }

    void cleanupTestCase() { t_.reset(); }
};

DATAVIND_QTEST_MAIN(PlayerTest)
#include "PlayerTest.moc"
