#include "browser/TExtraInfoForm.h"

#include "app/QtText.h"
#include "app/UrlHost.h"
#include "browser/FileLauncher.h"
#include "browser/TExtraInfo.h"
#include "shell/MainWindowLayout.h"
#include "text/LongLines.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace dv::qt {

namespace {

constexpr int kYes = 6;
constexpr int kNo = 7;

} // namespace

TExtraInfoForm::TExtraInfoForm() : QDialog(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("ExtraInfoForm"));
    setWindowTitle(toQString(layout::kApplicationTitle) + QStringLiteral(" - Mer information"));
    setFixedSize(386, 217);

    lbInformation = new QLabel(this);
    lbInformation->setObjectName(QStringLiteral("lbInformation"));
    lbInformation->setGeometry(8, 8, 369, 73);
    lbInformation->setWordWrap(true);
    lbInformation->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Notes and addresses come from the update service: plain text only.
    lbInformation->setTextFormat(Qt::PlainText);
    lbInformation->setTextInteractionFlags(Qt::NoTextInteraction);
    // A note too long for the label is shown whole in a scrolling field in
    // its place, so the buttons keep theirs.
    ebInformation = new QPlainTextEdit(this);
    ebInformation->setObjectName(QStringLiteral("ebInformation"));
    ebInformation->setGeometry(lbInformation->geometry());
    ebInformation->setReadOnly(true);
    ebInformation->setFrameShape(QFrame::NoFrame);
    ebInformation->setBackgroundRole(QPalette::Window);
    ebInformation->viewport()->setBackgroundRole(QPalette::Window);
    ebInformation->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    ebInformation->hide();

    gbMoreInfo = new QGroupBox(QStringLiteral(" Mer information på nätet "), this);
    gbMoreInfo->setObjectName(QStringLiteral("gbMoreInfo"));
    gbMoreInfo->setGeometry(8, 96, 369, 49);
    lbURL = new QLabel(gbMoreInfo);
    lbURL->setObjectName(QStringLiteral("lbURL"));
    lbURL->move(8, 20);
    lbURL->setTextFormat(Qt::PlainText);
    lbURL->setTextInteractionFlags(Qt::NoTextInteraction);
    lbURL->setCursor(Qt::PointingHandCursor);
    lbURL->setStyleSheet(QStringLiteral("color: blue; text-decoration: underline;"));
    lbURL->installEventFilter(this);

    lbOpenNow = new QLabel(QStringLiteral("Vill du gå vidare och starta det du klickade på nu?"), this);
    lbOpenNow->setObjectName(QStringLiteral("lbOpenNow"));
    lbOpenNow->move(8, 160);

    btYes = new QPushButton(QStringLiteral("Ja"), this);
    btYes->setObjectName(QStringLiteral("btYes"));
    btYes->setGeometry(224, 184, 75, 23);
    btYes->setDefault(true);
    connect(btYes, &QPushButton::clicked, this, [this] { done(kYes); });

    btNo = new QPushButton(QStringLiteral("Nej"), this);
    btNo->setObjectName(QStringLiteral("btNo"));
    btNo->setGeometry(304, 184, 75, 23);
    connect(btNo, &QPushButton::clicked, this, [this] { done(kNo); });
}

void TExtraInfoForm::prepare(const TExtraInfo& note, const QString& caption, bool canRun) {
    setWindowTitle(caption);
    gbMoreInfo->setVisible(!note.Url.empty());
    lbOpenNow->setVisible(canRun);
    btYes->setVisible(canRun);
    btNo->setText(canRun ? QStringLiteral("Nej") : QStringLiteral("Stäng"));
    (canRun ? btYes : btNo)->setDefault(true);
    (canRun ? btYes : btNo)->setFocus();
    // A line of the note longer than the text layout takes in one piece is
    // shown as several, or the dialog would not paint.
    const QString information = toDisplayLines(breakLongLines(note.Information));
    // Long notes are not measured: they go to the field at once.
    const QRect needed = information.size() > 4000
                             ? QRect()
                             : lbInformation->fontMetrics().boundingRect(
                                   QRect(0, 0, lbInformation->width(), 1 << 24), Qt::TextWordWrap, information);
    const bool fits = needed.isValid() && needed.width() <= lbInformation->width() &&
                      needed.height() <= lbInformation->height();
    lbInformation->setText(fits ? information : QString());
    lbInformation->setVisible(fits);
    ebInformation->setPlainText(fits ? QString() : information);
    ebInformation->setVisible(!fits);
    lbURL->setText(toQString(note.Url));
    lbURL->adjustSize();
}

bool TExtraInfoForm::askToStart(const TExtraInfo& note) {
    prepare(note, toQString(layout::kApplicationTitle) + QStringLiteral(" - Mer information"),
            note.CanRun);
    return exec() == kYes;
}

void TExtraInfoForm::showNotice(const TExtraInfo& note, const std::string& caption) {
    prepare(note, toQString(caption), false);
    exec();
}

void TExtraInfoForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        done(kNo);
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TExtraInfoForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lbURL && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        lbURLClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TExtraInfoForm::lbURLClick() {
    // Addresses from the update service open only when they are web pages.
    const std::string address = toStdString(lbURL->text());
    if (launcher_ && isWebPageAddress(address))
        launcher_->ExecuteFile(address);
}

} // namespace dv::qt
