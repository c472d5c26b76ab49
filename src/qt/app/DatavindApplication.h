#pragma once

#include <QApplication>

namespace dv {
class MessageBoxes;
}

namespace dv::qt {

// The application object. Whatever escapes an event handler is shown in a
// message box with its text, and the program keeps running.
class DatavindApplication : public QApplication {
  public:
    DatavindApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    void setErrorReport(MessageBoxes* boxes) { boxes_ = boxes; }

  private:
    void report(const QString& text);
    MessageBoxes* boxes_ = nullptr;
};

} // namespace dv::qt
