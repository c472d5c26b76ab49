#pragma once

#include <string>

namespace dv {

enum class MessageIcon { None, Information, Warning, Error };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No, Cancel };

struct MessageBoxRequest {
    std::string caption;
    std::string text; // line breaks are single carriage returns
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
};

// Modal message boxes owned by the application window and brought to the
// foreground; show returns once the reader has answered.
class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    virtual MessageAnswer show(const MessageBoxRequest& request) = 0;
};

} // namespace dv
