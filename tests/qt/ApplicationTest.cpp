// Whatever escapes an event handler is reported in a message box with its
// text, and the program keeps running.

#include "RecordingPorts.h"
#include "app/DatavindApplication.h"

#include <QTimer>
#include <QTest>

#include <stdexcept>

namespace {

class Thrower : public QObject {
public:
    int handled = 0;
    bool event(QEvent* e) override {
        if (e->type() == QEvent::User) {
            ++handled;
            throw std::runtime_error("Filen kunde inte öppnas");
        }
        return QObject::event(e);
    }
};

} // namespace

class ApplicationTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void escapingErrorIsShownAndTheLoopGoesOn() {
        auto* app = static_cast<dv::qt::DatavindApplication*>(QCoreApplication::instance());
        dv::test::FakeMessageBoxes boxes;
        app->setErrorReport(&boxes);
        Thrower thrower;
        QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
        QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
        QTRY_COMPARE(thrower.handled, 2);
        QCOMPARE(boxes.shown.size(), std::size_t{2});
        QCOMPARE(QString::fromStdString(boxes.shown[0].text), QStringLiteral("Filen kunde inte öppnas"));
        QCOMPARE(QString::fromStdString(boxes.shown[0].caption), QStringLiteral("Datavinds cd"));
        QVERIFY(boxes.shown[0].icon == dv::MessageIcon::Error);
        app->setErrorReport(nullptr);
    }
};

int main(int argc, char** argv) {
    dv::qt::DatavindApplication app(argc, argv);
    ApplicationTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "ApplicationTest.moc"
