#include "core/browser/CommandText.h"

#include "core/text/AnsiText.h"

namespace dv {

namespace {

constexpr std::string_view kCommandPrefix = "COMMAND:";
constexpr std::string_view kThisDir = "<THISDIR>";

// Upper-casing keeps byte lengths, so positions found in the upper-cased
// text hold in the original.
bool startsWithUpper(std::string_view text, std::string_view upperPrefix) {
    return upperAnsi(text.substr(0, upperPrefix.size())) == upperPrefix;
}

} // namespace

std::optional<std::string> commandTextOf(std::string_view decodedAddress) {
    if (!startsWithUpper(decodedAddress, kCommandPrefix))
        return std::nullopt;
    return std::string(decodedAddress.substr(kCommandPrefix.size()));
}

std::string replaceThisDir(std::string_view target, std::string_view discRoot) {
    std::string_view root = discRoot;
    if (!root.empty() && (root.back() == '/' || root.back() == '\\'))
        root.remove_suffix(1);
    const std::string upper = upperAnsi(target);
    std::string out;
    std::size_t from = 0;
    for (std::size_t at = upper.find(kThisDir); at != std::string::npos;
         at = upper.find(kThisDir, from)) {
        out.append(target.substr(from, at - from));
        out.append(root);
        from = at + kThisDir.size();
    }
    out.append(target.substr(from));
    return out;
}

SplitTarget splitCommandTarget(std::string_view writtenTarget, std::string_view discRoot) {
    const SplitTarget written = splitTarget(writtenTarget);
    return {replaceThisDir(written.file, discRoot), replaceThisDir(written.parameters, discRoot)};
}

Command parseCommand(std::string_view commandText, std::string_view discRoot) {
    static constexpr std::string_view kExecute = "EXECUTE=";
    if (startsWithUpper(commandText, kExecute)) {
        const std::string_view written = commandText.substr(kExecute.size());
        return {CommandVerb::Execute, replaceThisDir(written, discRoot),
                splitCommandTarget(written, discRoot)};
    }
    if (startsWithUpper(commandText, "QUIT"))
        return {CommandVerb::Quit, {}, {}};
    if (startsWithUpper(commandText, "MINIMIZE"))
        return {CommandVerb::Minimize, {}, {}};
    if (startsWithUpper(commandText, "SHOWINETSETTINGS"))
        return {CommandVerb::ShowInetSettings, {}, {}};
    return {CommandVerb::Unknown, {}, {}};
}

} // namespace dv
