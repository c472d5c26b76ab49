#include "core/browser/ReaderGesture.h"

#include <utility>

namespace dv {

CommandStart ReaderGesture::startOf(Clock::time_point now) {
    const std::optional<Clock::time_point> act = std::exchange(act_, std::nullopt);
    if (act && now >= *act && now - *act <= kReach)
        return CommandStart::ByReader;
    return CommandStart::ByScript;
}

} // namespace dv
