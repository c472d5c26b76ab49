#pragma once

#include <QAccessibleWidget>

namespace dv::qt {

class HotSpotLabel;

// A hot-spot as screen readers see it: a button, link or slider named and
// described as HotSpotAccess says, whose default action clicks it.
class HotSpotAccessible : public QAccessibleWidget {
  public:
    explicit HotSpotAccessible(HotSpotLabel* label);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

  private:
    HotSpotLabel* label() const;
};

} // namespace dv::qt
