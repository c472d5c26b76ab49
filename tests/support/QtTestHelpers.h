#pragma once

// Helpers for the Qt tests: a main window on the sample disc, and mouse
// events sent straight to a widget.

#include "RecordingPorts.h"
#include "shell/TForm1.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

#include <memory>
#include <optional>
#include <string>

namespace dv::test {

inline QString sampleDiscExecutable() {
    return QStringLiteral(DATAVIND_SAMPLE_DISC) + QStringLiteral("/datavind");
}

// A main window on the sample disc, answering its message boxes from a script.
struct MainWindowUnderTest {
    FakeMessageBoxes boxes;
    std::unique_ptr<qt::TForm1> form;

    explicit MainWindowUnderTest(std::function<std::optional<std::string>()> engineVersion = {}) {
        form = std::make_unique<qt::TForm1>(
            qt::TForm1::Environment{&boxes, sampleDiscExecutable(), std::move(engineVersion)});
    }
};

inline void sendMouse(QWidget* target, QEvent::Type type, QPoint local, Qt::MouseButtons buttons) {
    const QPointF global = target->mapToGlobal(QPointF(local));
    const Qt::MouseButton button =
        type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
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
