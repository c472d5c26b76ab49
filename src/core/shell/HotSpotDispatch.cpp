#include "core/shell/HotSpotDispatch.h"

#include "core/browser/CommandRunner.h"
#include "core/shell/HiddenScreenKeys.h"
#include "core/shell/HotSpotAccess.h"
#include "core/shell/HotSpotCommands.h"
#include "core/shell/HoverController.h"
#include "core/shell/SectionNavigation.h"

namespace dv {

namespace {

constexpr std::string_view kHiddenScreenStrip = "Label1";

} // namespace

void HotSpotDispatch::entered(const HotSpot& spot) {
    if (spot.name == kHiddenScreenStrip)
        p_.keys.enterStrip();
    p_.hover.enter(spot);
}

void HotSpotDispatch::left(const HotSpot& spot) {
    if (spot.name == kHiddenScreenStrip)
        p_.keys.leaveStrip();
    p_.hover.leave(spot);
}

void HotSpotDispatch::clicked(const HotSpot& spot) {
    switch (HotSpotAccess::actionOf(spot.name)) {
    case HotSpotAction::OpenPage:
        openSection(spot.name, p_.discRoot, p_.browser);
        break;
    case HotSpotAction::FileSearch:
        p_.commands.showFileSearch();
        break;
    case HotSpotAction::Play:
        p_.commands.play();
        break;
    case HotSpotAction::Stop:
        p_.commands.stop();
        break;
    case HotSpotAction::Save:
        p_.commands.saveTrack();
        break;
    case HotSpotAction::Minimise:
        p_.window.minimiseApplication();
        break;
    case HotSpotAction::Exit:
        p_.window.closeMainWindow();
        break;
    case HotSpotAction::Seek: // a release, wherever it is, not a click
    case HotSpotAction::None:
        break;
    }
}

void HotSpotDispatch::released(const HotSpot& spot, int x) {
    if (HotSpotAccess::actionOf(spot.name) == HotSpotAction::Seek)
        p_.commands.seek(x, spot.bounds.width);
}

} // namespace dv
