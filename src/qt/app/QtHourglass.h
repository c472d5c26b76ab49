#pragma once

#include "core/app/Hourglass.h"

namespace dv::qt {

// The application's busy pointer (an override cursor over every window).
class QtHourglass : public Hourglass {
  public:
    void showHourglass() override;
    void restoreCursor() override;
};

} // namespace dv::qt
