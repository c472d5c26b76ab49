#pragma once

#include "support/Window.h"

namespace dv::win32 {

// The consent dialog "Automatisk uppdatering": fixed dialog border, centred
// on the screen, created at start.
class TAutoUpdateSettingsForm : public Window {
public:
    TAutoUpdateSettingsForm();
};

} // namespace dv::win32
