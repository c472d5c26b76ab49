// Any decoded address: the command filter and grammar never fail, the
// upper-casing keeps lengths, <thisdir> never survives replacement, and a
// link's written address is the href with only its outer blanks and its
// tabs and line breaks gone.
#include "core/browser/CommandLinkFilter.h"
#include "core/browser/CommandText.h"
#include "core/text/AnsiText.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string text = dv::bytesToText(input);
    if (dv::upperAnsi(text).size() != text.size())
        std::abort();
    const dv::NavigationDecision decision = dv::beforeNavigate(input, true);
    if (decision.command && decision.navigate)
        std::abort();
    const std::string written = dv::writtenLinkAddress(input);
    if (written.size() > input.size() || written.find_first_of("\t\n\r") != std::string::npos ||
        (!written.empty() && (static_cast<unsigned char>(written.front()) <= 0x20 ||
                              static_cast<unsigned char>(written.back()) <= 0x20)))
        std::abort();
    const dv::NavigationDecision linked = dv::beforeNavigate(written, true);
    if (linked.command && linked.navigate)
        std::abort();
    const dv::Command command = dv::parseCommand(text, "/media/cd/");
    if (command.verb == dv::CommandVerb::Execute &&
        dv::upperAnsi(command.target).find("<THISDIR>") != std::string::npos &&
        dv::upperAnsi(text).find("<THISDIR>") == std::string::npos)
        std::abort();
    return 0;
}
