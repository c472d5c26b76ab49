#include "qt/update/TAutoUpdateSettingsForm.h"

#include "core/update/ConsentDialogModel.h"
#include "qt/app/QtText.h"
#include "qt/app/QtTextMeasure.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace dv::qt {

using ConsentModel = ConsentDialogModel;

TAutoUpdateSettingsForm::TAutoUpdateSettingsForm()
    : QDialog(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("AutoUpdateSettingsForm"));
    setWindowTitle(toQString(ConsentModel::kCaption));

    Label1 = new QLabel(toQString(ConsentModel::kIntro), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label2 = new QLabel(toQString(ConsentModel::kQuestion), this);
    Label2->setObjectName(QStringLiteral("Label2"));

    // In tab order.
    rbYes = new QRadioButton(toQString(ConsentModel::kYes), this);
    rbYes->setObjectName(QStringLiteral("rbYes"));
    rbNo = new QRadioButton(toQString(ConsentModel::kNo), this);
    rbNo->setObjectName(QStringLiteral("rbNo"));
    Button1 = new QPushButton(toQString(ConsentModel::kClose), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    // No default button: the model says what Enter does.
    Button1->setAutoDefault(false);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    cbNoNo = new QCheckBox(toQString(ConsentModel::kDontRemind), this);
    cbNoNo->setObjectName(QStringLiteral("cbNoNo"));
    setTabOrder(rbYes, rbNo);
    setTabOrder(rbNo, Button1);
    setTabOrder(Button1, cbNoNo);
    layOut();
}

void TAutoUpdateSettingsForm::layOut() {
    const ConsentDialogLayout l = ConsentModel::layout(QtTextMeasure(*this));
    setFixedSize(l.clientWidth, l.clientHeight);
    Label1->setGeometry(toQRect(l.Label1));
    Label2->setGeometry(toQRect(l.Label2));
    rbYes->setGeometry(toQRect(l.rbYes));
    rbNo->setGeometry(toQRect(l.rbNo));
    Button1->setGeometry(toQRect(l.Button1));
    cbNoNo->setGeometry(toQRect(l.cbNoNo));
}

void TAutoUpdateSettingsForm::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key != Qt::Key_Escape && key != Qt::Key_Return && key != Qt::Key_Enter) {
        QDialog::keyPressEvent(event);
        return;
    }
    event->accept();
    const QWidget* focus = focusWidget();
    const ConsentModel::Control focused = focus == Button1  ? ConsentModel::Control::Button1
                                          : focus == rbNo   ? ConsentModel::Control::rbNo
                                          : focus == cbNoNo ? ConsentModel::Control::cbNoNo
                                                            : ConsentModel::Control::rbYes;
    switch (ConsentModel::onKey(
        key == Qt::Key_Escape ? ConsentModel::Key::Escape : ConsentModel::Key::Enter, focused)) {
    case ConsentModel::Closing::WithTheChoice:
        accept();
        break;
    case ConsentModel::Closing::WithoutAChoice:
        reject();
        break;
    case ConsentModel::Closing::StaysOpen:
        break;
    }
}

ConsentAnswer TAutoUpdateSettingsForm::ask() {
    const bool accepted = exec() == QDialog::Accepted;
    return ConsentAnswer::fromControls(accepted, rbYes->isChecked(), rbNo->isChecked(),
                                       cbNoNo->isChecked());
}

} // namespace dv::qt
