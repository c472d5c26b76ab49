#include "core/app/ReaderEnvironment.h"

#include "core/app/DiscRoot.h"

#include <sstream>
#include <string_view>

namespace dv {

namespace {

constexpr std::string_view kListed = "DATAVIND_RUNTIME_VARIABLES";
constexpr std::string_view kSavedPrefix = "DATAVIND_SAVED_";

} // namespace

Environment readerEnvironment(const Environment& current) {
    Environment reader = current;
    const auto listed = current.find(std::string(kListed));
    if (listed == current.end())
        return reader;

    std::istringstream names(listed->second);
    for (std::string name; names >> name;) {
        const auto saved = current.find(std::string(kSavedPrefix) + name);
        if (saved != current.end())
            reader[name] = saved->second;
        else
            reader.erase(name);
    }
    for (auto it = reader.begin(); it != reader.end();) {
        if (std::string_view(it->first).starts_with(kSavedPrefix))
            it = reader.erase(it);
        else
            ++it;
    }
    reader.erase(std::string(kListed));
    reader.erase(kDiscRootVariable);
    return reader;
}

} // namespace dv
