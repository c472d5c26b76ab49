#include "qt/music/PlayerControls.h"

#include "core/music/PlayerLayout.h"
#include "core/music/PlayerMath.h"
#include "qt/app/QtText.h"
#include "qt/app/QtTextMeasure.h"
#include "qt/shell/SkinPictures.h"

#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QTimer>

namespace dv::qt {

namespace {

namespace layout = player::layout;

QColor toQColor(const Rgb& c) {
    return {c.red, c.green, c.blue};
}

const QColor kShadow = toQColor(layout::kShadow);

} // namespace

PlayerControls::PlayerControls(std::string discRoot, Parts parts)
    : p_(parts), device_(std::make_unique<QtMediaDevice>([this] { player_.mPlayerNotify(); })),
      player_(std::move(discRoot), {*device_, *device_, *this, parts.status, parts.hover}),
      saver_(parts.saveDialog, parts.boxes, parts.status) {
    // The shadow lies one pixel right of and below the white text, under it.
    lbSongNameShadow =
        label("lbSongNameShadow", toQRect(layout::kSongNameShadow), kShadow, Qt::AlignLeft);
    lbSongNameWhite =
        label("lbSongNameWhite", toQRect(layout::kSongNameWhite), Qt::white, Qt::AlignLeft);

    ggPlayerPos = new QProgressBar(&p_.window);
    ggPlayerPos->setObjectName(QStringLiteral("ggPlayerPos"));
    ggPlayerPos->setGeometry(toQRect(layout::kPositionBar));
    ggPlayerPos->setRange(0, 100);
    ggPlayerPos->setTextVisible(false);
    ggPlayerPos->setStyleSheet(
        QStringLiteral("QProgressBar { border: none; background: %1; }"
                       "QProgressBar::chunk { background: %2; }")
            .arg(toQColor(layout::kBarBack).name(), toQColor(layout::kBarFore).name()));
    ggPlayerPos->hide();
    p_.trackBar.raise(); // the click strip lies over the bar

    lbPosShadow = label("lbPosShadow", toQRect(layout::kPositionShadow), kShadow, Qt::AlignRight);
    lbPos = label("lbPos", toQRect(layout::kPosition), Qt::white, Qt::AlignRight);
    lbPosShadow->hide();
    lbPos->hide();

    imPlayerPlayPos = new QLabel(&p_.window);
    imPlayerPlayPos->setObjectName(QStringLiteral("imPlayerPlayPos"));
    imPlayerPlayPos->setPixmap(SkinPictures::picture(QStringLiteral("Knob")));
    imPlayerPlayPos->setGeometry(player::kKnobMin, layout::kKnobTop, layout::kKnobWidth,
                                 layout::kKnobHeight);
    imPlayerPlayPos->setToolTip(toQString(layout::kKnobHint));
    imPlayerPlayPos->installEventFilter(this);
    imPlayerPlayPos->hide();

    MPTimer = new QTimer(this);
    MPTimer->setObjectName(QStringLiteral("MPTimer"));
    MPTimer->setInterval(layout::kPositionTimerMs);
    connect(MPTimer, &QTimer::timeout, this, [this] { player_.MPTimerTimer(); });
}

PlayerControls::~PlayerControls() = default;

QLabel* PlayerControls::label(const char* name, QRect bounds, QColor colour,
                              Qt::Alignment alignment) {
    auto* l = new QLabel(&p_.window);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(bounds);
    l->setAlignment(alignment | Qt::AlignTop);
    // Titles come from the track's tag: plain text.
    l->setTextFormat(Qt::PlainText);
    l->setTextInteractionFlags(Qt::NoTextInteraction);
    l->setAttribute(Qt::WA_TransparentForMouseEvents);
    QPalette palette = l->palette();
    palette.setColor(QPalette::WindowText, colour);
    l->setPalette(palette);
    return l;
}

void PlayerControls::lbSaveMP3Click() {
    saver_.lbSaveMP3Click(player_.trackPath());
}

void PlayerControls::setTitleLine(const std::string& text) {
    lbSongNameWhite->setText(toQString(text));
    lbSongNameShadow->setText(lbSongNameWhite->text());
}

void PlayerControls::setPositionDisplayVisible(bool visible) {
    for (QWidget* w : {static_cast<QWidget*>(ggPlayerPos), &p_.trackBar,
                       static_cast<QWidget*>(lbPos), static_cast<QWidget*>(lbPosShadow)})
        w->setVisible(visible);
    if (visible)
        MPTimer->start();
    else
        MPTimer->stop();
}

void PlayerControls::setPositionText(const std::string& text) {
    lbPos->setText(toQString(text));
    lbPosShadow->setText(lbPos->text());
}

void PlayerControls::setPositionBar(int percent) {
    ggPlayerPos->setValue(percent);
}
void PlayerControls::setKnobVisible(bool visible) {
    imPlayerPlayPos->setVisible(visible);
}
void PlayerControls::setKnobLeft(int left) {
    imPlayerPlayPos->move(left, imPlayerPlayPos->y());
}
int PlayerControls::knobLeft() const {
    return imPlayerPlayPos->x();
}
void PlayerControls::setKnobHint(const std::string& hint) {
    imPlayerPlayPos->setToolTip(toQString(hint));
}

bool PlayerControls::eventFilter(QObject* watched, QEvent* event) {
    if (watched != imPlayerPlayPos)
        return QObject::eventFilter(watched, event);
    const auto mouse = [event] { return static_cast<QMouseEvent*>(event); };
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        player_.knobMouseDown(mouse()->button() == Qt::LeftButton,
                              mouse()->position().toPoint().x());
        return true;
    case QEvent::MouseMove:
        player_.knobMouseMove(mouse()->position().toPoint().x());
        return true;
    case QEvent::MouseButtonRelease:
        player_.knobMouseUp(mouse()->button() == Qt::LeftButton);
        return true;
    default:
        return QObject::eventFilter(watched, event);
    }
}

} // namespace dv::qt
