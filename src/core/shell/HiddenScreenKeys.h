#pragma once

#include <string>
#include <string_view>

namespace dv {

// The key sequence that opens the hidden screen while the mouse rests on the
// strip inside the logo. Typing outside the strip leaves the buffer as it
// is; a character that breaks the sequence empties it and is lost.
class HiddenScreenKeys {
  public:
    static constexpr std::string_view kSequence = "MANGO";

    void enterStrip() { armed_ = true; }
    void leaveStrip() { armed_ = false; }
    bool armed() const { return armed_; }

    // One typed character (UTF-8). True when the sequence is complete: the
    // screen opens. The buffer is not cleared then; the next character
    // overflows it and empties it.
    bool type(std::string_view character);

    const std::string& buffer() const { return buffer_; }

  private:
    bool armed_ = false;
    std::string buffer_;
};

} // namespace dv
