#pragma once

#include "core/app/Hourglass.h"

#include <windows.h>

namespace dv::win32 {

// The busy pointer while the user-interface thread works: the hourglass
// set at once (no message is handled meanwhile to set it back), and the
// pointer before it put back after. Nested uses keep the outermost one.
class Win32Hourglass : public Hourglass {
  public:
    void showHourglass() override;
    void restoreCursor() override;

  private:
    HCURSOR previous_ = nullptr;
    int depth_ = 0;
};

} // namespace dv::win32
