#pragma once

#include "core/browser/PageDialogs.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace dv::qt {

// One box a page's script asked for (alert, confirm, prompt), drawn from
// the core's model: the page's text and default value as plain text, a long
// text in a scrolling field, and the offer to stop the page's boxes when
// the model makes it. The box blocks only its page: the main window's
// hot-spots stay in use while it is up.
class PageScriptDialog : public QDialog {
    Q_OBJECT
  public:
    struct Answer {
        bool accepted = false;
        QString input;
        bool stopFurther = false;
    };

    PageScriptDialog(const PageDialogModel& model, QWidget* owner);

    // Shows the box and returns once the reader answered it, or the main
    // window closed (an answer of cancel).
    Answer ask();

    QLabel* textLabel() const { return label_; }
    QPlainTextEdit* textField() const { return field_; }
    QLineEdit* inputField() const { return input_; }
    QCheckBox* stopBox() const { return stop_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QLabel* label_ = nullptr;
    QPlainTextEdit* field_ = nullptr;
    QLineEdit* input_ = nullptr;
    QCheckBox* stop_ = nullptr;
};

} // namespace dv::qt
