#pragma once

// Plans read at once, on the calling thread, for tests of what is done
// with them.

#include "core/update/OnlineUpdate.h"
#include "core/update/UpdatePlan.h"

namespace dv::test {

class PlanReadingHere : public PlanReading {
  public:
    explicit PlanReadingHere(XmlParser& parser) : parser_(parser) {}
    void read(std::string answer, std::function<void(UpdatePlan)> planned) override {
        planned(readUpdatePlan(parser_, answer));
    }

  private:
    XmlParser& parser_;
};

} // namespace dv::test
