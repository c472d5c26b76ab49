#pragma once

#include "support/Window.h"

namespace dv::win32 {

// The "more information" dialog about an item of the disc: a dialog-frame
// window centred on the screen, shown modally when needed.
class TExtraInfoForm : public Window {
public:
    TExtraInfoForm();
};

} // namespace dv::win32
