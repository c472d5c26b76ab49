#pragma once

#include "support/Window.h"

namespace dv::win32 {

// The "Vänta..." window shown while a program or document is started: a
// tool window without border icons, always on top, centred on the screen.
class TProgStartingForm : public Window {
public:
    TProgStartingForm();
};

} // namespace dv::win32
