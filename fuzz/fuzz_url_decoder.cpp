// Decoding never grows the text, and its result is always readable as text.
#include "core/browser/UrlDecoder.h"
#include "core/text/AnsiText.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string decoded = dv::urlDecode(input);
    if (decoded.size() > input.size())
        std::abort();
    if (!dv::isValidUtf8(dv::bytesToText(decoded)))
        std::abort();
    return 0;
}
