#pragma once

// Helpers for the Qt tests: a main window on the sample disc, and mouse
// events sent straight to a widget.

#include "RecordingPorts.h"
#include "qt/app/DiscWindows.h"
#include "qt/browser/CommandScheme.h"
#include "qt/shell/TForm1.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QVariant>
#include <QWebEnginePage>
#include <QWidget>

#include <unistd.h>

#include <memory>
#include <optional>
#include <string>

namespace dv::test {

// A script's value in a page, once the page has answered.
inline QVariant evaluate(QWebEnginePage* page, const QString& script) {
    QVariant result;
    bool done = false;
    page->runJavaScript(script, [&](const QVariant& v) {
        result = v;
        done = true;
    });
    if (!QTest::qWaitFor([&] { return done; }, 10000))
        qWarning("script did not answer: %s", qPrintable(script));
    return result;
}

inline QString sampleDiscExecutable() {
    return QStringLiteral(DATAVIND_SAMPLE_DISC) + QStringLiteral("/datavind");
}

// The program's windows on a disc (the sample disc unless told), answering
// their message boxes from a script.
struct MainWindowUnderTest {
    FakeMessageBoxes boxes;
    std::unique_ptr<qt::DiscWindows> windows;
    qt::TForm1* form = nullptr;

    explicit MainWindowUnderTest(std::function<std::optional<std::string>()> engineVersion = {},
                                 QString executable = sampleDiscExecutable(),
                                 SaveDialog* saveDialog = nullptr) {
        windows = std::make_unique<qt::DiscWindows>(qt::TForm1::Environment{
            &boxes, std::move(executable), std::move(engineVersion), saveDialog});
        form = windows->form1.get();
    }
};

inline void sendMouse(QWidget* target, QEvent::Type type, QPoint local, Qt::MouseButtons buttons) {
    const QPointF global = target->mapToGlobal(QPointF(local));
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(local), global, button, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

// Presses the left button at a point of the window, moves by (dx, dy) and
// releases, each event going to whatever widget lies under the point.
inline void dragWindowAt(QWidget* window, QPoint at, int dx, int dy) {
    QWidget* under = window->childAt(at);
    QWidget* target = under ? under : window;
    const QPoint local = target->mapFrom(window, at);
    sendMouse(target, QEvent::MouseButtonPress, local, Qt::LeftButton);
    sendMouse(target, QEvent::MouseMove, local + QPoint(dx, dy), Qt::LeftButton);
    sendMouse(target, QEvent::MouseButtonRelease, local + QPoint(dx, dy), Qt::NoButton);
}

} // namespace dv::test

namespace dv::test {

// Closes a dialog that stays up with no test answering it, so that a test
// fails instead of hanging; remembers that it had to.
class UnexpectedDialogGuard : public QObject {
  public:
    static constexpr int kPatienceMs = 30000;
    bool closedOne = false;

    UnexpectedDialogGuard() {
        timer_.setInterval(1000);
        QObject::connect(&timer_, &QTimer::timeout, this, [this] { look(); });
        timer_.start();
    }

  private:
    void look() {
        QWidget* dialog = QApplication::activeModalWidget();
        if (dialog != current_) {
            current_ = dialog;
            since_.start();
            return;
        }
        if (!dialog || since_.elapsed() < kPatienceMs)
            return;
        qCritical("a dialog nobody answered was closed: \"%s\"", qPrintable(dialog->windowTitle()));
        closedOne = true;
        dialog->close();
        current_ = nullptr;
    }

    QTimer timer_;
    QPointer<QWidget> current_;
    QElapsedTimer since_;
};

} // namespace dv::test

// A test main that prepares the web engine as the program's own main does.
// The engine's sandbox stays on, as for a reader, unless the tests run as
// root, where the engine cannot start with it.
#define DATAVIND_QTEST_MAIN(TestObject)                                                            \
    int main(int argc, char** argv) {                                                              \
        if (geteuid() == 0)                                                                        \
            qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");                                           \
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);                                \
        dv::qt::registerCommandScheme();                                                           \
        QApplication app(argc, argv);                                                              \
        dv::test::UnexpectedDialogGuard guard;                                                     \
        TestObject test;                                                                           \
        const int failed = QTest::qExec(&test, argc, argv);                                        \
        return failed ? failed : guard.closedOne ? 1 : 0;                                          \
    }
