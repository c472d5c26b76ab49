#pragma once

#include "support/Window.h"

#include <string>

namespace dv {
class MessageBoxes;
}

namespace dv::win32 {

// The file search window "Filsökaren": a sizeable tool window, created at
// start after the main window (it reads the disc root) and shown modelessly.
class TFileSearchForm : public Window {
public:
    TFileSearchForm(const std::string& discRoot, MessageBoxes& boxes);

    // Shows the window, or brings it to the front when it is already shown.
    void showModeless();

protected:
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::string discRoot_;
    MessageBoxes& boxes_;
};

} // namespace dv::win32
