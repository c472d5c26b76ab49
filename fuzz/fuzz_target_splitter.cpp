// Splitting never invents text: file and parameters are pieces of the target.
#include "core/browser/TargetSplitter.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view target(reinterpret_cast<const char*>(data), size);
    const dv::SplitTarget split = dv::splitTarget(target);
    if (split.file.size() + split.parameters.size() > target.size())
        std::abort();
    if (target.find(split.file) == std::string_view::npos ||
        target.find(split.parameters) == std::string_view::npos)
        std::abort();
    return 0;
}
