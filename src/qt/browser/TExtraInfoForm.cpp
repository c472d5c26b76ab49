#include "browser/TExtraInfoForm.h"

#include "app/QtText.h"
#include "app/UrlHost.h"
#include "browser/FileLauncher.h"
#include "browser/TExtraInfo.h"
#include "shell/MainWindowLayout.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
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

    gbMoreInfo = new QGroupBox(QStringLiteral(" Mer information på nätet "), this);
    gbMoreInfo->setObjectName(QStringLiteral("gbMoreInfo"));
    gbMoreInfo->setGeometry(8, 96, 369, 49);
    lbURL = new QLabel(gbMoreInfo);
    lbURL->setObjectName(QStringLiteral("lbURL"));
    lbURL->move(8, 20);
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
    lbInformation->setText(toDisplayLines(note.Information));
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
