#include "qt/browser/PageScriptDialog.h"

#include "core/text/LongLines.h"
#include "qt/app/QtText.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace dv::qt {

namespace {

// Texts up to this length are shown in a label; longer ones scroll.
constexpr qsizetype kLabelLength = 500;

} // namespace

PageScriptDialog::PageScriptDialog(const PageDialogModel& model, QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("PageScriptDialog"));
    setWindowTitle(toQString(model.caption));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowModality(Qt::NonModal);
    auto* column = new QVBoxLayout(this);
    column->setSizeConstraint(QLayout::SetFixedSize);

    const QString text = toDisplayLines(breakLongLines(model.text));
    if (text.size() <= kLabelLength) {
        label_ = new QLabel(this);
        label_->setObjectName(QStringLiteral("lbText"));
        label_->setTextFormat(Qt::PlainText);
        label_->setTextInteractionFlags(Qt::TextSelectableByMouse);
        label_->setOpenExternalLinks(false);
        label_->setWordWrap(true);
        label_->setText(text);
        label_->setMinimumWidth(300);
        label_->setMaximumWidth(500);
        column->addWidget(label_);
    } else {
        field_ = new QPlainTextEdit(this);
        field_->setObjectName(QStringLiteral("ebText"));
        field_->setReadOnly(true);
        field_->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        field_->setPlainText(text);
        field_->setFixedSize(500, 240);
        column->addWidget(field_);
    }
    if (model.hasInput) {
        input_ = new QLineEdit(toQString(model.defaultValue), this);
        input_->setObjectName(QStringLiteral("ebInput"));
        column->addWidget(input_);
    }
    if (model.stopText) {
        stop_ = new QCheckBox(toQString(*model.stopText), this);
        stop_->setObjectName(QStringLiteral("cbStop"));
        column->addWidget(stop_);
    }
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(toQString(model.okText), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("btOK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    if (model.cancelText) {
        QPushButton* cancel =
            buttons->addButton(toQString(*model.cancelText), QDialogButtonBox::RejectRole);
        cancel->setObjectName(QStringLiteral("btCancel"));
        connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    }
    column->addWidget(buttons);
    (input_ ? static_cast<QWidget*>(input_) : ok)->setFocus();
}

PageScriptDialog::Answer PageScriptDialog::ask() {
    // Once the main window is closed, the program is ending: no more boxes.
    if (parentWidget() && !parentWidget()->isVisible())
        return {};
    if (parentWidget())
        parentWidget()->installEventFilter(this);
    // Not exec(): that would block the main window, exit hot-spot and all.
    QEventLoop loop;
    connect(this, &QDialog::finished, &loop, &QEventLoop::quit);
    show();
    raise();
    activateWindow();
    loop.exec();
    Answer answer;
    answer.accepted = result() == QDialog::Accepted;
    answer.input = input_ ? input_->text() : QString();
    answer.stopFurther = stop_ && stop_->isChecked();
    hide();
    if (parentWidget())
        parentWidget()->removeEventFilter(this);
    return answer;
}

bool PageScriptDialog::eventFilter(QObject* watched, QEvent* event) {
    // The main window closing ends the program: the box goes with it.
    if (watched == parentWidget() && event->type() == QEvent::Hide)
        reject();
    return QDialog::eventFilter(watched, event);
}

} // namespace dv::qt
