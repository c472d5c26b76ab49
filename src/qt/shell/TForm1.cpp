#include "qt/shell/TForm1.h"

#include "core/app/DiscLayout.h"
#include "core/app/DiscPath.h"
#include "core/app/DiscRoot.h"
#include "core/app/MessageBoxes.h"
#include "core/app/PublisherAddresses.h"
#include "core/app/StartupTick.h"
#include "core/app/UrlHost.h"
#include "core/browser/CanonicalPaths.h"
#include "core/browser/FileLauncher.h"
#include "core/shell/HotSpotAccess.h"
#include "core/shell/MainWindowLayout.h"
#include "qt/app/QtText.h"
#include "qt/app/QtTextMeasure.h"
#include "qt/app/StartupTrace.h"
#include "qt/browser/InternetSettings.h"
#include "qt/browser/MyMessageHandler.h"
#include "qt/browser/QtBrowserHost.h"
#include "qt/browser/TExtraInfoForm.h"
#include "qt/browser/TProgStartingForm.h"
#include "qt/music/PlayerControls.h"
#include "qt/music/QtSaveDialog.h"
#include "qt/shell/HotSpotLabel.h"
#include "qt/shell/MainWindowAccessible.h"
#include "qt/shell/QtPlatformFacts.h"
#include "qt/shell/SkinPictures.h"
#include "qt/shell/TForm2.h"
#include "qt/update/TAutoUpdateSettingsForm.h"
#include "qt/update/UpdateChecker.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <stdexcept>

namespace dv::qt {

namespace {

QColor toQColor(const Rgb& c) {
    return {c.red, c.green, c.blue};
}

} // namespace

TForm1::TForm1(Environment environment)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), env_(std::move(environment)),
      catalog_(hostName(publisher::kMagazineHomePage)), hover_(*this, *this),
      focus_(catalog_, hover_), indicator_(*this),
      commands_(
          [this](const std::string& command) {
              if (runner_)
                  runner_->DoCommand(command);
          },
          [this](std::function<void()> call) {
              QMetaObject::invokeMethod(this, std::move(call), Qt::QueuedConnection);
          }) {
    if (!env_.messageBoxes)
        throw std::invalid_argument("TForm1 needs message boxes");
    MainWindowAccessible::install();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(toQString(layout::kWindowCaption));
    setFixedSize(layout::kClientWidth, layout::kClientHeight);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    setFont(font);
    setFocusPolicy(Qt::StrongFocus); // typed characters come to the window itself

    createHotSpots(useArrowCursors(currentPlatformFacts(*this)));
    // The background covers the whole client area: no erasing before a paint.
    setAttribute(Qt::WA_OpaquePaintEvent);

    // The shape in logical pixels; the picture at the screen's pixels.
    const QPixmap shape = SkinPictures::backgroundWithCornersLeftOut();
    if (!shape.isNull())
        setMask(shape.mask());
    background_ = SkinPictures::backgroundWithCornersLeftOut(devicePixelRatioF());

    if (env_.executablePath.isEmpty()) {
        // On a mastered disc the start program runs this executable from the
        // runtime folder and names the disc root.
        discRoot_ = discRootOf(toStdString(QCoreApplication::applicationFilePath()),
                               qEnvironmentVariable(kDiscRootVariable).toStdString());
    } else {
        discRoot_ = discRootFromExecutable(toStdString(env_.executablePath));
    }
    createPlayer();
    if (auto* title = findChild<QLabel*>(QStringLiteral("lbSongNameWhite")))
        title->setAccessibleDescription(toQString(HotSpotAccess::kTitleLineName));

    browser_ = std::make_unique<QtBrowserHost>(*IEPanel, discRoot_, statusLine(), indicator_,
                                               env_.engineVersion);
    connect(browser_.get(), &QtBrowserHost::commandLink, this,
            [this](const QString& text, bool byReader) {
                commands_.offer(toStdString(text),
                                byReader ? CommandStart::ByReader : CommandStart::ByScript);
            });
    connect(browser_.get(), &QtBrowserHost::webPageForNewWindow, this,
            &TForm1::openWebPageInNewWindow);
    MainWindowActions& actions = *this;
    HotSpotCommands& commands = *this;
    dispatch_ = std::make_unique<HotSpotDispatch>(
        HotSpotDispatch::Parts{hover_, keys_, actions, commands, *browser_, discRoot_});
    MainWindowFrame& frame = *this;
    tick_ = std::make_unique<StartupTick>([this] { return currentPlatformFacts(*this); }, discRoot_,
                                          frame, *browser_, *env_.messageBoxes);

    StartupTimer = new QTimer(this);
    StartupTimer->setObjectName(QStringLiteral("StartupTimer"));
    StartupTimer->setSingleShot(true);
    StartupTimer->setInterval(layout::kStartupDelayMs);
    connect(StartupTimer, &QTimer::timeout, this, &TForm1::StartupTimerTimer);
    StartupTimer->start();
}

TForm1::~TForm1() {
    // Closing moves the focus and hides the labels after the core objects
    // they report to are gone.
    for (HotSpotLabel* label : findChildren<HotSpotLabel*>(Qt::FindDirectChildrenOnly))
        disconnect(label, nullptr, this, nullptr);
    if (hook_)
        qApp->removeEventFilter(hook_.get());
    // The settings are written last, on every orderly exit.
    if (update_)
        update_->writeRegSettings();
}

void TForm1::attachWindows(QWidget& fileSearch, TProgStartingForm& progStarting,
                           TAutoUpdateSettingsForm& consent, TExtraInfoForm& extraInfo,
                           TForm2& hiddenScreen) {
    fileSearch_ = &fileSearch;
    hiddenScreen_ = &hiddenScreen;
    hiddenScreen.setFilm(QUrl::fromLocalFile(
        toQString(resolveDiscPath(discRoot_ + std::string(disc::kHiddenScreenFilm)))));
    fileLauncher_ = std::make_unique<FileLauncher>(
        programLauncher_, progStarting, *env_.messageBoxes,
        std::make_unique<DiscTargets>(discRoot_, std::make_unique<CanonicalPaths>(),
                                      PathCase::Sensitive));
    extraInfo.setLauncher(fileLauncher_.get());
    MainWindowActions& actions = *this;
    runner_ = std::make_unique<CommandRunner>(
        discRoot_, CommandRunner::Parts{quarantine_, extraInfo_, extraInfo, *fileLauncher_, actions,
                                        statusLine(), *env_.messageBoxes});
    update_ = std::make_unique<UpdateChecker>(
        UpdateChecker::Parts{discRoot_, quarantine_, extraInfo_, *env_.messageBoxes, *fileLauncher_,
                             extraInfo, consent, statusLine(), *this});
    connect(browser_.get(), &QtBrowserHost::pageLoaded, this,
            [this] { update_->startPageLoaded(); });
}

void TForm1::IECommand(const QString& commandText) {
    commands_.push(toStdString(commandText));
}

void TForm1::createPanels() {
    IEPanel = new QLabel(toQString(layout::kIEPanelCaption), this);
    IEPanel->setObjectName(QStringLiteral("IEPanel"));
    IEPanel->setGeometry(toQRect(layout::kIEPanel));
    IEPanel->setAlignment(Qt::AlignCenter);
    IEPanel->setAutoFillBackground(true);
    QPalette white = IEPanel->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    IEPanel->setPalette(white);

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(toQRect(layout::kPanel1));

    Panel2 = new QWidget(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setGeometry(toQRect(layout::kPanel2));
    Panel2->setAutoFillBackground(true);
    QPalette grey = Panel2->palette();
    grey.setColor(QPalette::Window, toQColor(layout::kStatusPanelColour));
    Panel2->setPalette(grey);

    lbStatus = new QLabel(Panel2);
    lbStatus->setObjectName(QStringLiteral("lbStatus"));
    lbStatus->setGeometry(toQRect(layout::kStatusLabel));
    lbStatus->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Link addresses a page hovers and texts of the update service: plain text.
    lbStatus->setTextFormat(Qt::PlainText);
    lbStatus->setTextInteractionFlags(Qt::NoTextInteraction);
    lbStatus->setAccessibleDescription(toQString(HotSpotAccess::kStatusLineName));
    QPalette text = lbStatus->palette();
    text.setColor(QPalette::WindowText, QColor(128, 128, 128));
    lbStatus->setPalette(text);

    pbDocument = new QProgressBar(this);
    pbDocument->setObjectName(QStringLiteral("pbDocument"));
    pbDocument->setGeometry(toQRect(layout::kDocumentProgress));
    pbDocument->setRange(0, 100);
    pbDocument->setTextVisible(false);
    pbDocument->hide();
}

void TForm1::createHotSpots(bool arrowCursors) {
    createPanels();
    // Pictures first so that every label lies above the picture it lights.
    for (const HotSpot& spot : catalog_.all()) {
        if (spot.highlight.empty())
            continue;
        auto* picture = new QLabel(this);
        picture->setObjectName(toQString(spot.highlight));
        picture->setGeometry(toQRect(spot.highlightBounds));
        picture->setPixmap(SkinPictures::highlight(
            toQString(spot.highlight), toQRect(spot.highlightBounds), devicePixelRatioF()));
        picture->hide();
        highlights_.emplace(spot.highlight, picture);
    }

    for (const HotSpot& spot : catalog_.all()) {
        auto* label = new HotSpotLabel(this);
        label->setSpot(spot);
        label->setObjectName(toQString(spot.name));
        label->setGeometry(toQRect(spot.bounds));
        label->setToolTip(toQString(spot.hint));
        if (spot.handCursor)
            label->setCursor(arrowCursors && spot.arrowOnOldWindows ? Qt::ArrowCursor
                                                                    : Qt::PointingHandCursor);
        label->setVisible(spot.visibleAtStart);
        const HotSpotAccessEntry* access = HotSpotAccess::find(spot.name);
        label->setFocusPolicy(access && access->tabStop ? Qt::TabFocus : Qt::NoFocus);
        connect(label, &HotSpotLabel::entered, this, [this, &spot] { dispatch_->entered(spot); });
        connect(label, &HotSpotLabel::left, this, [this, &spot] { dispatch_->left(spot); });
        connect(label, &HotSpotLabel::clicked, this,
                [this, &spot] { reported([&] { dispatch_->clicked(spot); }); });
        connect(label, &HotSpotLabel::focusEntered, this, [this, &spot] { focus_.focus(&spot); });
        connect(label, &HotSpotLabel::focusLeft, this, [this, &spot] {
            if (focus_.focused() == &spot)
                focus_.focus(nullptr);
        });
        connect(label, &HotSpotLabel::visibilityChanged, this,
                [this, &spot](bool visible) { focus_.setVisible(spot.name, visible); });
    }
}

void TForm1::createPlayer() {
    if (!env_.saveDialog) {
        ownSaveDialog_ = std::make_unique<QtSaveDialog>(this);
        env_.saveDialog = ownSaveDialog_.get();
    }
    auto* trackBar = findChild<HotSpotLabel*>(QStringLiteral("lbTrackBar"));
    player_ = std::make_unique<PlayerControls>(
        discRoot_, PlayerControls::Parts{*this, *trackBar, statusLine(), hover_, *env_.messageBoxes,
                                         *env_.saveDialog});
    connect(trackBar, &HotSpotLabel::released, this, [this, trackBar](QPoint at, Qt::MouseButton) {
        reported([&] { dispatch_->released(*trackBar->spot(), at.x()); });
    });
}

void TForm1::loadMusic() {
    reported([this] { player_->player().LoadMusic(); });
}

void TForm1::reported(const std::function<void()>& handler) {
    // The default error report, here rather than past Qt's signal code,
    // which exceptions must not cross.
    try {
        handler();
    } catch (const std::exception& e) {
        env_.messageBoxes->show({layout::kApplicationTitle, e.what(), MessageIcon::Error});
    }
}

void TForm1::StartupTimerTimer() {
    StartupTimer->stop();
    tick_->run();
    Q_EMIT startupDone();
}

QString TForm1::statusText() const {
    return lbStatus->text();
}

void TForm1::setStatusText(const std::string& text) {
    lbStatus->setText(toQString(text));
}

void TForm1::setHighlightVisible(std::string_view pictureName, bool visible) {
    if (const auto it = highlights_.find(pictureName); it != highlights_.end())
        it->second->setVisible(visible);
}

void TForm1::setProgressVisible(bool visible) {
    pbDocument->setVisible(visible);
}
void TForm1::setProgressPosition(int position) {
    pbDocument->setValue(position);
}
void TForm1::setProgressMaximum(int maximum) {
    pbDocument->setMaximum(maximum);
}

void TForm1::useBorderedWindow() {
    bordered_ = true;
    const QPoint where = pos();
    clearMask();
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(layout::kClientWidth, layout::kClientHeight);
    move(where);
    show(); // changing the flags hides the window
}

void TForm1::installMessageHook() {
    hook_ = std::make_unique<MyMessageHandler>();
    qApp->installEventFilter(hook_.get());
}

void TForm1::closeMainWindow() {
    close();
}

void TForm1::minimiseApplication() {
    showMinimized();
}

void TForm1::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || !fileSearch_)
        return;
    // The whole program leaves the screen and comes back, however the main
    // window was minimised. The search window is a tool window with no task
    // bar entry to go to, so it hides and shows again.
    if (isMinimized() && fileSearch_->isVisible()) {
        fileSearch_->hide();
        fileSearchHiddenWithUs_ = true;
    } else if (!isMinimized() && fileSearchHiddenWithUs_) {
        fileSearchHiddenWithUs_ = false;
        fileSearch_->show();
    }
}

bool TForm1::openInternetSettings() {
    return dv::qt::openInternetSettings();
}

void TForm1::openWebPageInNewWindow(const QUrl& address) {
    if (fileLauncher_)
        fileLauncher_->OpenAddress(toStdString(address.toString(QUrl::FullyEncoded)));
}

void TForm1::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), toQColor(layout::kSkyBlue));
    painter.drawPixmap(0, 0, background_);
    StartupTrace::mark("shown");
}

void TForm1::setVisible(bool visible) {
    // Centre before the first showing, so that the window system places the
    // window there from the start and every part of it agrees where it is.
    if (visible && !centred_) {
        centred_ = true;
        if (const QScreen* s = screen())
            move(s->availableGeometry().center() - rect().center());
    }
    QWidget::setVisible(visible);
}

void TForm1::closeEvent(QCloseEvent* event) {
    event->accept();
    // Closing the main window ends the program, whatever else is open.
    QCoreApplication::quit();
}

void TForm1::mousePressEvent(QMouseEvent* event) {
    // Only bare background is a drag handle, and only in the shaped window.
    const bool onControl = childAt(event->position().toPoint()) != nullptr;
    if (event->button() != Qt::LeftButton || onControl || bordered_) {
        QWidget::mousePressEvent(event);
        return;
    }
    event->accept();
    if (windowHandle() && windowHandle()->startSystemMove())
        return;
    // No window manager to move us: follow the mouse ourselves.
    dragOffset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
}

void TForm1::mouseMoveEvent(QMouseEvent* event) {
    if (!dragOffset_ || !(event->buttons() & Qt::LeftButton)) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    move(event->globalPosition().toPoint() - *dragOffset_);
}

void TForm1::mouseReleaseEvent(QMouseEvent* event) {
    dragOffset_.reset();
    QWidget::mouseReleaseEvent(event);
}

void TForm1::showFileSearch() {
    if (!fileSearch_)
        return;
    fileSearch_->show();
    fileSearch_->raise();
    fileSearch_->activateWindow();
}

void TForm1::keyPressEvent(QKeyEvent* event) {
    const std::string typed = toStdString(event->text());
    // One character at a time; a key may give several, or none.
    for (std::size_t i = 0; i < typed.size();) {
        std::size_t length = 1;
        while (i + length < typed.size() &&
               (static_cast<unsigned char>(typed[i + length]) & 0xC0) == 0x80)
            ++length;
        if (keys_.type(typed.substr(i, length)) && hiddenScreen_)
            hiddenScreen_->showModalMaximised();
        i += length;
    }
    QWidget::keyPressEvent(event);
}

void TForm1::play() {
    player_->player().lbPlayClick();
}

void TForm1::stop() {
    player_->player().lbStopClick();
}

void TForm1::saveTrack() {
    player_->lbSaveMP3Click();
}

void TForm1::seek(int x, int width) {
    player_->player().lbTrackBarMouseUp(x, width);
}

HotSpotLabel* TForm1::labelOf(const HotSpot& spot) const {
    return findChild<HotSpotLabel*>(toQString(spot.name), Qt::FindDirectChildrenOnly);
}

bool TForm1::focusNextPrevChild(bool next) {
    const Qt::FocusReason reason = next ? Qt::TabFocusReason : Qt::BacktabFocusReason;
    const HotSpot* target = focus_.next(!next);
    if (!target) {
        // Past the last hot-spot: into the page, when there is one.
        if (QWidget* page = browser_->view(); page && page->isVisible()) {
            page->setFocus(reason);
            return true;
        }
        focus_.focus(nullptr);
        target = focus_.next(!next);
    }
    HotSpotLabel* label = target ? labelOf(*target) : nullptr;
    if (!label)
        return false;
    label->setFocus(reason);
    return true;
}

QList<QWidget*> TForm1::accessibleChildren() const {
    QList<QWidget*> children;
    for (const HotSpot* spot : focus_.offered()) {
        if (HotSpotLabel* label = labelOf(*spot))
            children << label;
    }
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        // The hot-spots came above; pictures and shadows say nothing new.
        const QString name = child->objectName();
        if (qobject_cast<HotSpotLabel*>(child) || highlights_.contains(name.toStdString()) ||
            name.endsWith(QStringLiteral("Shadow")) || child == Panel1 || child->isWindow())
            continue;
        children << child;
    }
    return children;
}

} // namespace dv::qt
