#include "qt/browser/TExtraInfoForm.h"

#include "core/browser/FileLauncher.h"
#include "core/browser/TExtraInfo.h"
#include "core/text/LongLines.h"
#include "qt/app/QtText.h"
#include "qt/app/QtTextMeasure.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace dv::qt {

using ExtraInfoModel = ExtraInfoDialogModel;

TExtraInfoForm::TExtraInfoForm() : QDialog(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("ExtraInfoForm"));
    setWindowTitle(toQString(ExtraInfoModel::questionCaption()));

    lbInformation = new QLabel(this);
    lbInformation->setObjectName(QStringLiteral("lbInformation"));
    lbInformation->setWordWrap(true);
    lbInformation->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Notes and addresses come from the update service: plain text only.
    lbInformation->setTextFormat(Qt::PlainText);
    lbInformation->setTextInteractionFlags(Qt::NoTextInteraction);
    // A note too long for the label is shown whole in a scrolling field in
    // its place, so the buttons keep theirs.
    ebInformation = new QPlainTextEdit(this);
    ebInformation->setObjectName(QStringLiteral("ebInformation"));
    ebInformation->setReadOnly(true);
    ebInformation->setFrameShape(QFrame::NoFrame);
    ebInformation->setBackgroundRole(QPalette::Window);
    ebInformation->viewport()->setBackgroundRole(QPalette::Window);
    ebInformation->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    ebInformation->hide();

    gbMoreInfo = new QGroupBox(toQString(ExtraInfoModel::kMoreInfoTitle), this);
    gbMoreInfo->setObjectName(QStringLiteral("gbMoreInfo"));
    lbURL = new QLabel(gbMoreInfo);
    lbURL->setObjectName(QStringLiteral("lbURL"));
    lbURL->setTextFormat(Qt::PlainText);
    lbURL->setTextInteractionFlags(Qt::NoTextInteraction);
    lbURL->setCursor(Qt::PointingHandCursor);
    lbURL->setStyleSheet(QStringLiteral("color: blue; text-decoration: underline;"));
    lbURL->installEventFilter(this);

    lbOpenNow = new QLabel(toQString(ExtraInfoModel::kOpenNow), this);
    lbOpenNow->setObjectName(QStringLiteral("lbOpenNow"));
    lbOpenNow->setWordWrap(true);
    lbOpenNow->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    btYes = new QPushButton(toQString(ExtraInfoModel::kYes), this);
    btYes->setObjectName(QStringLiteral("btYes"));
    connect(btYes, &QPushButton::clicked, this,
            [this] { done(static_cast<int>(ExtraInfoModel::Result::Yes)); });
    btNo = new QPushButton(toQString(ExtraInfoModel::kNo), this);
    btNo->setObjectName(QStringLiteral("btNo"));
    connect(btNo, &QPushButton::clicked, this,
            [this] { done(static_cast<int>(ExtraInfoModel::Result::No)); });
    // The model says what Enter presses.
    btYes->setAutoDefault(false);
    btNo->setAutoDefault(false);

    // As the form was drawn: a note that may run.
    present(ExtraInfoModel::question({"", "", "", true}));
}

void TExtraInfoForm::present(const ExtraInfoView& view) {
    view_ = view;
    setWindowTitle(toQString(view.caption));
    gbMoreInfo->setVisible(view.moreInfoVisible);
    lbOpenNow->setVisible(view.openNowVisible);
    btYes->setVisible(view.yesVisible);
    btNo->setText(toQString(view.noText));
    QPushButton* byDefault = view.defaultButton == ExtraInfoView::Button::Yes ? btYes : btNo;
    btYes->setDefault(byDefault == btYes);
    btNo->setDefault(byDefault == btNo);
    byDefault->setFocus();
    lbURL->setText(toQString(view.url));

    const ExtraInfoLayout l = ExtraInfoModel::layout(view, QtTextMeasure(*this));
    setFixedSize(l.clientWidth, l.clientHeight);
    // A line longer than the text layout takes in one piece is shown as
    // several, or the dialog would not paint.
    const QString information = toQString(breakLongLines(view.information));
    lbInformation->setGeometry(toQRect(l.lbInformation));
    lbInformation->setText(l.informationScrolls ? QString() : information);
    lbInformation->setVisible(!l.informationScrolls);
    ebInformation->setGeometry(toQRect(l.lbInformation));
    ebInformation->setPlainText(l.informationScrolls ? information : QString());
    ebInformation->setVisible(l.informationScrolls);
    gbMoreInfo->setGeometry(toQRect(l.gbMoreInfo));
    lbURL->setGeometry(toQRect(l.lbURL));
    lbOpenNow->setGeometry(toQRect(l.lbOpenNow));
    btYes->setGeometry(toQRect(l.btYes));
    btNo->setGeometry(toQRect(l.btNo));
}

bool TExtraInfoForm::askToStart(const TExtraInfo& note) {
    present(ExtraInfoModel::question(note));
    return ExtraInfoModel::starts(static_cast<ExtraInfoModel::Result>(exec()));
}

void TExtraInfoForm::showNotice(const TExtraInfo& note, const std::string& caption) {
    present(ExtraInfoModel::notice(note, caption));
    exec();
}

void TExtraInfoForm::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key != Qt::Key_Escape && key != Qt::Key_Return && key != Qt::Key_Enter) {
        QDialog::keyPressEvent(event);
        return;
    }
    event->accept();
    std::optional<ExtraInfoView::Button> focused;
    if (focusWidget() == btYes)
        focused = ExtraInfoView::Button::Yes;
    else if (focusWidget() == btNo)
        focused = ExtraInfoView::Button::No;
    const auto result = ExtraInfoModel::onKey(key == Qt::Key_Escape ? ExtraInfoModel::Key::Escape
                                                                    : ExtraInfoModel::Key::Enter,
                                              view_, focused);
    if (result)
        done(static_cast<int>(*result));
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
    if (const auto address = ExtraInfoModel::addressToOpen(view_.url); address && launcher_)
        launcher_->ExecuteFile(*address);
}

} // namespace dv::qt
