#pragma once

#include "core/app/MessageBoxes.h"

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace dv::qt {

// One modal message box. Its text is always plain text (never rich text,
// never a link: it may come from the update service or name a file), and a
// box never grows past the screen: a text too long to fit is shown in a
// scrolling read-only field, whole, with the buttons below it on screen.
class MessageBoxDialog : public QDialog {
    Q_OBJECT
  public:
    MessageBoxDialog(const MessageBoxRequest& request, QWidget* owner);

    MessageAnswer answer() const { return answer_; }

    // Where the text is shown: a label for texts that fit, else a field.
    QLabel* textLabel() const { return label_; }
    QPlainTextEdit* textField() const { return field_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void addText(const QString& text, QSize room);
    void keepOnScreen();

    MessageAnswer answer_;
    QLabel* label_ = nullptr;
    QPlainTextEdit* field_ = nullptr;
};

} // namespace dv::qt
