// The request address built from any label: decoding its id gives back the
// label, its query has exactly one key, and every character in it may stand
// in an address (or is well-formed UTF-8, which the HTTP layer encodes).
#include "core/browser/UrlDecoder.h"
#include "core/text/AnsiText.h"
#include "core/update/UpdateRequest.h"

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void require(bool condition) {
    if (!condition)
        std::abort();
}

bool allowedInAddress(unsigned char c) {
    if (c >= 0x80)
        return true; // checked as UTF-8 below
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
        return true;
    return std::string_view("-._~!$'()*,:@/%").find(static_cast<char>(c)) != std::string_view::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string label(reinterpret_cast<const char*>(data), size);
    // A volume label is a C string: it never holds a NUL.
    if (label.find('\0') != std::string::npos)
        return 0;
    const std::string base = "http://u.example";
    const std::string url = dv::updateRequestUrl(base, label);
    const std::string prefix = base + "/dvcd/autoupdate.asp?discid=";
    require(url.starts_with(prefix));
    const std::string_view id = std::string_view(url).substr(prefix.size());

    require(dv::urlDecode(id) == label);
    // One key: nothing in the id could start another, end the query or
    // split the value.
    require(id.find_first_of("&;=#+? ") == std::string_view::npos);
    for (const char c : id)
        require(allowedInAddress(static_cast<unsigned char>(c)));
    // What is left unencoded beyond ASCII is text.
    require(dv::isValidUtf8(id));
    // Every "%" starts an escape of two hexadecimal digits.
    for (std::size_t at = id.find('%'); at != std::string_view::npos; at = id.find('%', at + 1)) {
        require(at + 2 < id.size());
        require(std::isxdigit(static_cast<unsigned char>(id[at + 1])) &&
                std::isxdigit(static_cast<unsigned char>(id[at + 2])));
    }
    return 0;
}
