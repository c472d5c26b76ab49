#pragma once

#include "core/update/Settings.h"

namespace dv {

// The consent dialog's outcome.
struct ConsentAnswer {
    std::optional<bool> checkAtStart; // empty: closed without choosing
    bool dontRemind = false;

    // What the dialog's controls say once it has closed: a choice only when
    // "Stäng" closed it with one of the two buttons chosen (Esc or the close
    // box is no choice); the check box however it closed.
    static ConsentAnswer fromControls(bool closedWithButton, bool yes, bool no, bool dontRemind);
};

class ConsentDialog {
  public:
    virtual ~ConsentDialog() = default;
    virtual ConsentAnswer ask() = 0;
};

// When to ask and when to look for updates: once the start page is in, a
// reader who said yes gets a check; one who never answered (and did not ask
// to be left alone) gets the question first. Answers are kept in memory and
// written with the settings at exit.
class UpdateConsent {
  public:
    explicit UpdateConsent(Settings settings) : settings_(settings) {}

    // True when an update check is to run now.
    bool startPageLoaded(ConsentDialog& dialog);

    const Settings& settings() const { return settings_; }

  private:
    Settings settings_;
    bool done_ = false;
};

} // namespace dv
