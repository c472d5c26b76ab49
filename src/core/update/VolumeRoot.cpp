#include "core/update/VolumeRoot.h"

namespace dv {

namespace {

bool separator(char c) {
    return c == '\\' || c == '/';
}

bool asciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        const char a = text[i] >= 'a' && text[i] <= 'z' ? static_cast<char>(text[i] - 32) : text[i];
        if (a != prefix[i] && !(separator(a) && separator(prefix[i])))
            return false;
    }
    return true;
}

// The length of the next component from `at`: up to a separator or the end.
std::size_t componentLength(std::string_view path, std::size_t at) {
    std::size_t end = at;
    while (end < path.size() && !separator(path[end]))
        ++end;
    return end - at;
}

std::string shareRoot(std::string_view rest) {
    const std::size_t server = componentLength(rest, 0);
    if (server == 0 || server >= rest.size())
        return {};
    const std::size_t share = componentLength(rest, server + 1);
    if (share == 0)
        return {};
    return "\\\\" + std::string(rest.substr(0, server)) + "\\" +
           std::string(rest.substr(server + 1, share)) + "\\";
}

} // namespace

std::string windowsVolumeRoot(std::string_view path) {
    if (startsWithNoCase(path, "\\\\?\\UNC\\"))
        return shareRoot(path.substr(8));
    if (startsWithNoCase(path, "\\\\?\\"))
        path.remove_prefix(4);
    if (path.size() >= 2 && asciiLetter(path[0]) && path[1] == ':')
        return std::string(path.substr(0, 2)) + "\\";
    if (path.size() >= 2 && separator(path[0]) && separator(path[1]))
        return shareRoot(path.substr(2));
    return {};
}

} // namespace dv
