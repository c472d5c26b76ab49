#pragma once

#include <QObject>

namespace dv::qt {

// The application-wide hook, installed once the main browser exists: no
// right-click and no context menu anywhere in the program. Keys are left to
// the widgets, so inside a page they behave as in a browser (Backspace edits
// text fields and never goes back).
class MyMessageHandler : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace dv::qt
