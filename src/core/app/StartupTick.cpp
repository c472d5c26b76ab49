#include "core/app/StartupTick.h"

#include "core/app/MainWindowFrame.h"
#include "core/app/MessageBoxes.h"
#include "core/browser/BrowserHost.h"
#include "core/shell/MainWindowLayout.h"

namespace dv {

StartupTick::StartupTick(FactsSource facts, std::string discRoot, MainWindowFrame& frame,
                         BrowserHost& browser, MessageBoxes& boxes)
    : facts_(std::move(facts)), discRoot_(std::move(discRoot)), frame_(frame), browser_(browser),
      boxes_(boxes) {}

std::string StartupTick::startPage() const {
    return discRoot_ + layout::kStartPage;
}

StartupTick::Outcome StartupTick::run() {
    if (outcome_ != Outcome::NotRun)
        return outcome_;
    // Mark the tick as done before anything that may fail, so it never runs twice.
    outcome_ = Outcome::BrowserFailed;

    if (!useTransparency(facts_()))
        frame_.useBorderedWindow();

    if (!createIE(browser_)) {
        boxes_.show({layout::kApplicationTitle, layout::kBrowserFailedText});
        return outcome_;
    }
    outcome_ = Outcome::BrowserReady;
    frame_.installMessageHook();
    browser_.navigate(startPage());
    frame_.loadMusic();
    return outcome_;
}

} // namespace dv
