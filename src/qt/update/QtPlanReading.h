#pragma once

#include "core/update/OnlineUpdate.h"

#include <QObject>
#include <QThreadPool>

namespace dv::qt {

// Update documents parsed and read on a thread of their own with a parser
// of their own (libxml2), one at a time and in the order their answers
// came; each plan comes back on the user-interface thread. Plans not yet
// back when it goes are dropped.
class QtPlanReading : public QObject, public PlanReading {
    Q_OBJECT
  public:
    QtPlanReading();
    ~QtPlanReading() override;

    void read(std::string answer, std::function<void(UpdatePlan)> planned) override;

  private:
    QThreadPool pool_;
};

} // namespace dv::qt
