// What the update service reads from outside: request targets, conditional
// headers, and the documents editors put in its folder (their charset, the
// advice on them). The first byte picks the reader.

#include "DocumentAdvice.h"
#include "EntityTags.h"
#include "HttpDate.h"
#include "UpdateQuery.h"
#include "core/update/DocumentEncoding.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    switch (data[0] % 4) {
    case 0: {
        const dv::UpdateQuery query = dv::UpdateQuery::parse(text);
        if (query.discId && query.discId->size() > text.size())
            __builtin_trap(); // decoding never makes an id longer
        break;
    }
    case 1:
        if (dv::documentCharset(text).find_first_of("\r\n\"; ") != std::string::npos)
            __builtin_trap(); // the charset goes into a header as it is
        break;
    case 2:
        dv::noneMatchNames(text, dv::strongEntityTag(text));
        dv::parseHttpDate(text);
        break;
    default:
        dv::documentAdvice(text);
        break;
    }
    return 0;
}
