#include "qt/shell/HotSpotAccessible.h"

#include "core/shell/HotSpotAccess.h"
#include "qt/app/QtText.h"
#include "qt/shell/HotSpotLabel.h"

namespace dv::qt {

namespace {

QAccessible::Role roleOf(const HotSpotLabel& label) {
    switch (HotSpotAccess::roleOf(HotSpotAccess::actionOf(label.spot()->name))) {
    case HotSpotRole::Link:
        return QAccessible::Link;
    case HotSpotRole::Slider:
        return QAccessible::Slider;
    case HotSpotRole::Button:
        break;
    }
    return QAccessible::Button;
}

bool clickable(const HotSpotLabel& label) {
    return !HotSpotAccess::defaultActionName(HotSpotAccess::actionOf(label.spot()->name)).empty();
}

} // namespace

HotSpotAccessible::HotSpotAccessible(HotSpotLabel* label)
    : QAccessibleWidget(label, roleOf(*label)) {}

HotSpotLabel* HotSpotAccessible::label() const {
    return static_cast<HotSpotLabel*>(widget());
}

QString HotSpotAccessible::text(QAccessible::Text t) const {
    const HotSpot& spot = *label()->spot();
    switch (t) {
    case QAccessible::Name:
        if (const HotSpotAccessEntry* entry = HotSpotAccess::find(spot.name))
            return toQString(entry->accessibleName);
        return {};
    case QAccessible::Description:
        return toQString(HotSpotAccess::description(spot));
    case QAccessible::Help:
        return label()->toolTip();
    default:
        return QAccessibleWidget::text(t);
    }
}

QAccessible::State HotSpotAccessible::state() const {
    QAccessible::State s = QAccessibleWidget::state();
    const HotSpotAccessEntry* entry = HotSpotAccess::find(label()->spot()->name);
    s.focusable = entry && entry->tabStop;
    if (HotSpotAccess::roleOf(HotSpotAccess::actionOf(label()->spot()->name)) == HotSpotRole::Link)
        s.linked = true;
    return s;
}

QStringList HotSpotAccessible::actionNames() const {
    QStringList names;
    if (clickable(*label()))
        names << pressAction();
    if (state().focusable)
        names << setFocusAction();
    return names;
}

void HotSpotAccessible::doAction(const QString& actionName) {
    if (actionName == pressAction() && clickable(*label()) && label()->isVisible())
        label()->activate();
    else if (actionName == setFocusAction() && state().focusable)
        label()->setFocus(Qt::OtherFocusReason);
}

QStringList HotSpotAccessible::keyBindingsForAction(const QString& actionName) const {
    if (actionName == pressAction() && state().focusable)
        return {QStringLiteral("Return"), QStringLiteral("Space")};
    return {};
}

} // namespace dv::qt
