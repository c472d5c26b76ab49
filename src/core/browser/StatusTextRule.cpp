#include "core/browser/StatusTextRule.h"

namespace dv {

bool statusTextReachesStatusLine(std::string_view browserText) {
    return !browserText.starts_with("command:") && !browserText.starts_with("file://");
}

} // namespace dv
