#pragma once

#include "core/browser/TargetSplitter.h"

#include <optional>
#include <string>
#include <string_view>

namespace dv {

enum class CommandVerb { Execute, Quit, Minimize, ShowInetSettings, Unknown };

struct Command {
    CommandVerb verb = CommandVerb::Unknown;
    std::string target; // for Execute: with every <thisdir> replaced
    SplitTarget launch; // for Execute: what starts, see splitCommandTarget
    friend bool operator==(const Command&, const Command&) = default;
};

// The command of a decoded address that begins with "COMMAND:" in any case,
// keeping its letter case; empty when the address is no command link.
std::optional<std::string> commandTextOf(std::string_view decodedAddress);

// Reads a command text. Verbs are prefixes compared without regard to case
// and tried in a fixed order: EXECUTE=, QUIT, MINIMIZE, SHOWINETSETTINGS.
Command parseCommand(std::string_view commandText, std::string_view discRoot);

// The file and parameters of a target as written in a link: cut first, then
// every <thisdir> replaced in each part, so that a disc root holding blanks
// or apostrophes (a Linux desktop mounts a disc at /media/<user>/<label>)
// never moves the cut. With a root free of both, the same as splitting the
// replaced target.
SplitTarget splitCommandTarget(std::string_view writtenTarget, std::string_view discRoot);

// Replaces every "<thisdir>", in any case, by the disc root less its trailing
// separator.
std::string replaceThisDir(std::string_view target, std::string_view discRoot);

} // namespace dv
