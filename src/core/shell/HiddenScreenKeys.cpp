#include "core/shell/HiddenScreenKeys.h"

namespace dv {

bool HiddenScreenKeys::type(std::string_view character) {
    if (!armed_)
        return false;
    buffer_ += character;
    if (!kSequence.starts_with(buffer_)) {
        buffer_.clear();
        return false;
    }
    return buffer_ == kSequence;
}

} // namespace dv
