#pragma once

#include "core/shell/PlatformFacts.h"

class QWidget;

namespace dv::qt {

// The facts of the display the window is on, for the start-up rules.
PlatformFacts currentPlatformFacts(const QWidget& window);

} // namespace dv::qt
