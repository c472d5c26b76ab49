#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dv {

enum class CommandVerb { Execute, Quit, Minimize, ShowInetSettings, Unknown };

struct Command {
    CommandVerb verb = CommandVerb::Unknown;
    std::string target; // for Execute: with every <thisdir> replaced
    friend bool operator==(const Command&, const Command&) = default;
};

// The command of a decoded address that begins with "COMMAND:" in any case,
// keeping its letter case; empty when the address is no command link.
std::optional<std::string> commandTextOf(std::string_view decodedAddress);

// Reads a command text. Verbs are prefixes compared without regard to case
// and tried in a fixed order: EXECUTE=, QUIT, MINIMIZE, SHOWINETSETTINGS.
Command parseCommand(std::string_view commandText, std::string_view discRoot);

// Replaces every "<thisdir>", in any case, by the disc root less its trailing
// separator.
std::string replaceThisDir(std::string_view target, std::string_view discRoot);

} // namespace dv
