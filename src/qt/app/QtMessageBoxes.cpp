#include "app/QtMessageBoxes.h"

#include "app/QtText.h"

#include <QMessageBox>

namespace dv::qt {

namespace {

QMessageBox::Icon iconOf(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

MessageAnswer QtMessageBoxes::show(const MessageBoxRequest& request) {
    QMessageBox box(iconOf(request.icon), toQString(request.caption),
                    toDisplayLines(request.text), QMessageBox::NoButton, owner_);
    box.setObjectName(QStringLiteral("MessageBox"));
    if (request.buttons == MessageButtons::YesNo) {
        box.addButton(QStringLiteral("Ja"), QMessageBox::YesRole);
        box.setDefaultButton(box.addButton(QStringLiteral("Nej"), QMessageBox::NoRole));
    } else {
        box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    }
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.raise();
    box.activateWindow();
    box.exec();
    if (request.buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    QAbstractButton* clicked = box.clickedButton();
    if (clicked && box.buttonRole(clicked) == QMessageBox::YesRole)
        return MessageAnswer::Yes;
    return MessageAnswer::No;
}

} // namespace dv::qt
