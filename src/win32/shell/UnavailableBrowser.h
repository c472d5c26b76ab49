#pragma once

#include "core/browser/BrowserHost.h"

namespace dv::win32 {

// The browser of a main window that has no browser control to offer: it can
// never be created, so the start-up reports "Kunde inte skapa IE" and the
// window goes on without pages, as it does where the control is missing.
class UnavailableBrowser : public BrowserHost {
  public:
    bool createControl() override { return false; }
    void destroyControl() override {}
    bool hasControl() const override { return false; }
    std::optional<std::string> engineVersionText() const override { return std::nullopt; }
    char decimalSeparator() const override { return '.'; }
    void navigate(const std::string&) override {}
};

} // namespace dv::win32
