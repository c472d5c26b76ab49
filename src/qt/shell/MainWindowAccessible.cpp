#include "qt/shell/MainWindowAccessible.h"

#include "qt/shell/HotSpotAccessible.h"
#include "qt/shell/HotSpotLabel.h"
#include "qt/shell/TForm1.h"

namespace dv::qt {

namespace {

QAccessibleInterface* shellAccessible(const QString&, QObject* object) {
    if (auto* label = qobject_cast<HotSpotLabel*>(object); label && label->spot())
        return new HotSpotAccessible(label);
    if (auto* form = qobject_cast<TForm1*>(object))
        return new MainWindowAccessible(form);
    return nullptr;
}

} // namespace

MainWindowAccessible::MainWindowAccessible(TForm1* form)
    : QAccessibleWidget(form, QAccessible::Window) {}

void MainWindowAccessible::install() {
    static const bool installed = [] {
        QAccessible::installFactory(&shellAccessible);
        return true;
    }();
    (void)installed;
}

QList<QWidget*> MainWindowAccessible::children() const {
    return static_cast<const TForm1*>(widget())->accessibleChildren();
}

int MainWindowAccessible::childCount() const {
    return static_cast<int>(children().size());
}

QAccessibleInterface* MainWindowAccessible::child(int index) const {
    const QList<QWidget*> all = children();
    if (index < 0 || index >= all.size())
        return nullptr;
    return QAccessible::queryAccessibleInterface(all.at(index));
}

int MainWindowAccessible::indexOfChild(const QAccessibleInterface* child) const {
    if (!child)
        return -1;
    return static_cast<int>(children().indexOf(qobject_cast<QWidget*>(child->object())));
}

} // namespace dv::qt
