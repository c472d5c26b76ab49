#include "update/TAutoUpdateSettingsForm.h"

#include <QCheckBox>

#include <algorithm>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace dv::qt {

TAutoUpdateSettingsForm::TAutoUpdateSettingsForm()
    : QDialog(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("AutoUpdateSettingsForm"));
    setWindowTitle(QStringLiteral("Automatisk uppdatering"));
    setFixedSize(408, 177);

    Label1 = new QLabel(
        QStringLiteral("Datavinds cd kan automatiskt koppla upp sig mot Internet och kontrollera om det "
                       "finns någon uppdaterad information som rör den aktuella skivan. Det kan "
                       "exempelvis röra sig om problem med vissa program, eller sena ändringar som "
                       "tillkommit efter att skivan trycktes."),
        this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(8, 8, 393, 57);
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label2 = new QLabel(QStringLiteral("Vill du att skivan ska göra en sådan kontroll när den startas?"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->move(8, 80);

    // In tab order.
    rbYes = new QRadioButton(QStringLiteral("Ja (rekommenderas)"), this);
    rbYes->setObjectName(QStringLiteral("rbYes"));
    rbYes->setGeometry(8, 104, 153, 17);
    rbNo = new QRadioButton(QStringLiteral("Nej"), this);
    rbNo->setObjectName(QStringLiteral("rbNo"));
    rbNo->setGeometry(8, 120, 65, 17);
    Button1 = new QPushButton(QStringLiteral("Stäng"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(325, 146, 75, 23);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    cbNoNo = new QCheckBox(QStringLiteral("Påminn mig inte om denna funktion i framtiden"), this);
    cbNoNo->setObjectName(QStringLiteral("cbNoNo"));
    cbNoNo->setGeometry(8, 152, 257, 17);
    // This font runs wider than the one the dialog was drawn for: let the
    // text show whole, it still ends before the button.
    cbNoNo->resize(std::max(257, cbNoNo->sizeHint().width()), 17);
    setTabOrder(rbYes, rbNo);
    setTabOrder(rbNo, Button1);
    setTabOrder(Button1, cbNoNo);
    // QDialog already takes Esc as reject: the cancel result.
}

ConsentAnswer TAutoUpdateSettingsForm::ask() {
    const bool accepted = exec() == QDialog::Accepted;
    return ConsentAnswer::fromControls(accepted, rbYes->isChecked(), rbNo->isChecked(), cbNoNo->isChecked());
}

} // namespace dv::qt
