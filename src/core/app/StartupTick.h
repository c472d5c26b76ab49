#pragma once

#include "core/shell/PlatformFacts.h"

#include <functional>
#include <string>

namespace dv {

class BrowserHost;
class MainWindowFrame;
class MessageBoxes;

// The work the main window does once, shortly after its message loop has
// started: choose the window shape, create the browser and show the start
// page. A browser that cannot be created is reported and the rest is skipped;
// the window stays up without it.
//
// Both programs create the main window shaped and let this tick decide, from
// facts read when it runs, not when the window was made: by then the window
// is shown on the screen it will stay on (a window being built may not have
// one yet), and a display that changed in between (another depth, a remote
// session) is the one the reader looks at.
class StartupTick {
  public:
    enum class Outcome { NotRun, BrowserReady, BrowserFailed };

    using FactsSource = std::function<PlatformFacts()>;

    StartupTick(FactsSource facts, std::string discRoot, MainWindowFrame& frame,
                BrowserHost& browser, MessageBoxes& boxes);

    // Runs the steps on the first call; later calls do nothing.
    Outcome run();
    Outcome outcome() const { return outcome_; }

    // The start page's address under the disc root.
    std::string startPage() const;

  private:
    FactsSource facts_;
    std::string discRoot_;
    MainWindowFrame& frame_;
    BrowserHost& browser_;
    MessageBoxes& boxes_;
    Outcome outcome_ = Outcome::NotRun;
};

} // namespace dv
