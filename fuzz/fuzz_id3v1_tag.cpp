// Any last bytes of a file: the tag text is valid UTF-8, never longer than
// its two fields and a blank allow, and never starts or ends in padding.
#include "core/music/Id3v1Tag.h"
#include "core/text/AnsiText.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text =
        dv::tagTextOf(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!dv::isValidUtf8(text) || text.size() > 2 * 30 * 3 + 1)
        std::abort();
    if (!text.empty() && static_cast<unsigned char>(text.front()) <= 32)
        std::abort();
    return 0;
}
