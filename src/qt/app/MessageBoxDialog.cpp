#include "qt/app/MessageBoxDialog.h"

#include "core/text/LongLines.h"
#include "qt/app/QtText.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

namespace dv::qt {

namespace {

QStyle::StandardPixmap pixmapOf(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return QStyle::SP_MessageBoxInformation;
    case MessageIcon::Warning:
        return QStyle::SP_MessageBoxWarning;
    case MessageIcon::Error:
        return QStyle::SP_MessageBoxCritical;
    case MessageIcon::None:
        break;
    }
    return QStyle::SP_CustomBase;
}

// Longer texts are not measured: they go to the field at once.
constexpr qsizetype kMeasuredLength = 8000;

QScreen* screenFor(const QWidget* owner) {
    if (owner && owner->screen())
        return owner->screen();
    return QGuiApplication::primaryScreen();
}

} // namespace

MessageBoxDialog::MessageBoxDialog(const MessageBoxRequest& request, QWidget* owner)
    : QDialog(owner),
      answer_(request.buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No) {
    setObjectName(QStringLiteral("MessageBox"));
    setWindowTitle(toQString(request.caption));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setSizeGripEnabled(false);

    auto* grid = new QGridLayout(this);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    int textColumn = 0;
    if (const QStyle::StandardPixmap pixmap = pixmapOf(request.icon);
        pixmap != QStyle::SP_CustomBase) {
        auto* icon = new QLabel(this);
        icon->setObjectName(QStringLiteral("imIcon"));
        const int extent = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
        icon->setPixmap(style()->standardIcon(pixmap, nullptr, this).pixmap(extent, extent));
        icon->setAlignment(Qt::AlignTop);
        grid->addWidget(icon, 0, 0, Qt::AlignTop);
        grid->setColumnMinimumWidth(1, 7);
        textColumn = 2;
    }

    // Room for the text: the screen less the title bar, the buttons and the
    // margins, and at most two thirds of its width.
    const QRect screen = screenFor(owner)->availableGeometry();
    const QSize room(qMax(200, screen.width() * 2 / 3), qMax(100, screen.height() - 200));
    // A line longer than the text layout takes in one piece would freeze the
    // window before the box paints: it is shown as several.
    addText(toDisplayLines(breakLongLines(request.text)), room);
    grid->addWidget(label_ ? static_cast<QWidget*>(label_) : field_, 0, textColumn);

    auto* buttons = new QDialogButtonBox(this);
    buttons->setObjectName(QStringLiteral("Buttons"));
    if (request.buttons == MessageButtons::YesNo) {
        QPushButton* yes = buttons->addButton(QStringLiteral("Ja"), QDialogButtonBox::YesRole);
        QPushButton* no = buttons->addButton(QStringLiteral("Nej"), QDialogButtonBox::NoRole);
        yes->setObjectName(QStringLiteral("btYes"));
        no->setObjectName(QStringLiteral("btNo"));
        connect(yes, &QPushButton::clicked, this, [this] {
            answer_ = MessageAnswer::Yes;
            accept();
        });
        connect(no, &QPushButton::clicked, this, [this] {
            answer_ = MessageAnswer::No;
            reject();
        });
        no->setDefault(true);
        no->setFocus();
    } else {
        QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
        ok->setObjectName(QStringLiteral("btOK"));
        connect(ok, &QPushButton::clicked, this, &QDialog::accept);
        ok->setDefault(true);
        ok->setFocus();
    }
    buttons->setCenterButtons(
        style()->styleHint(QStyle::SH_MessageBox_CenterButtons, nullptr, this));
    grid->addWidget(buttons, 1, 0, 1, textColumn + 1);
}

void MessageBoxDialog::addText(const QString& text, QSize room) {
    if (text.size() <= kMeasuredLength) {
        const QRect needed =
            fontMetrics().boundingRect(QRect(0, 0, room.width(), 1 << 24), Qt::TextWordWrap, text);
        if (needed.width() <= room.width() && needed.height() <= room.height()) {
            label_ = new QLabel(this);
            label_->setObjectName(QStringLiteral("lbText"));
            label_->setTextFormat(Qt::PlainText);
            label_->setTextInteractionFlags(Qt::TextSelectableByMouse);
            label_->setOpenExternalLinks(false);
            label_->setWordWrap(true);
            label_->setText(text);
            label_->setMinimumWidth(qMin(needed.width() + 2, room.width()));
            return;
        }
    }
    // Too long for the screen: the whole text, scrolling, wrapped anywhere
    // when a line has no blank to break at.
    field_ = new QPlainTextEdit(this);
    field_->setObjectName(QStringLiteral("ebText"));
    field_->setReadOnly(true);
    field_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    field_->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    field_->setPlainText(text);
    field_->setFixedSize(room);
}

void MessageBoxDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    keepOnScreen();
}

void MessageBoxDialog::keepOnScreen() {
    const QRect screen = screenFor(parentWidget())->availableGeometry();
    QRect frame = frameGeometry();
    frame.moveLeft(qBound(screen.left(), frame.left(),
                          qMax(screen.left(), screen.right() - frame.width() + 1)));
    frame.moveTop(qBound(screen.top(), frame.top(),
                         qMax(screen.top(), screen.bottom() - frame.height() + 1)));
    if (frame.topLeft() != frameGeometry().topLeft())
        move(frame.topLeft());
}

} // namespace dv::qt
