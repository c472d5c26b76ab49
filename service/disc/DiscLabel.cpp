#include "DiscLabel.h"

namespace dv {

std::optional<std::string> labelProblem(std::string_view label) {
    if (label.empty())
        return "the label is empty";
    if (label.size() > 16)
        return "the label has " + std::to_string(label.size()) +
               " characters; Windows reads at most 16 from the disc";
    for (const char c : label) {
        if (c < 0x20 || c > 0x7e)
            return "the label holds a character that is not printable ASCII";
        if (std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos)
            return std::string("the label holds \"") + c +
                   "\", which no file name of the update service and no Windows label may hold";
    }
    if (label.front() == ' ' || label.back() == ' ')
        return "the label begins or ends with a blank";
    return std::nullopt;
}

} // namespace dv
