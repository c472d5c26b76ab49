#include "win32/update/UpdateChecker.h"

namespace dv::win32 {

UpdateChecker::UpdateChecker(Parts parts)
    : mainWindow_(parts.mainWindow), volume_(parts.discRoot),
      update_({store_, parts.consent, volume_, http_, reading_, parts.quarantine, parts.extraInfo,
               parts.boxes, parts.launcher, parts.notes, parts.status, *this},
              OnlineUpdate::serviceBase()) {}

void UpdateChecker::requestTermination() {
    // Taken up by the message loop once the current event is done; the main
    // window then closes the usual way, settings written.
    PostMessageW(mainWindow_, WM_CLOSE, 0, 0);
}

} // namespace dv::win32
