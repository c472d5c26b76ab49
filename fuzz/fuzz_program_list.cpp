// Any bytes as a program list: every line's columns lie inside the text, and
// every match really holds the searched text in its entry.
#include "core/filesearch/ProgramList.h"
#include "core/text/AnsiText.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    // The first line is the search text, the rest the list.
    const std::size_t split = input.find('\n');
    const std::string_view needle =
        split == std::string_view::npos ? std::string_view{} : input.substr(0, split);
    dv::ProgramList list;
    list.loadBytes(std::string(split == std::string_view::npos ? input : input.substr(split + 1)));
    const std::string upper = dv::upperAnsi(dv::bytesToText(needle));
    std::size_t count = 0;
    list.forEachMatch(upper, [&](std::size_t i) {
        ++count;
        const std::string entry = dv::upperAnsi(list.line(i).entry);
        if (entry.find(upper) == std::string::npos)
            std::abort();
    });
    std::size_t expected = 0;
    for (std::size_t i = 0; i < list.size(); ++i)
        expected += dv::upperAnsi(list.line(i).entry).find(upper) != std::string::npos ? 1 : 0;
    if (count != expected)
        std::abort();
    return 0;
}
