#pragma once

#include <string>
#include <string_view>

namespace dv {

// A strong entity tag for these bytes, quoted: the same bytes always give
// the same tag, across restarts too, so caches can revalidate after one.
std::string strongEntityTag(std::string_view bytes);

// Whether an If-None-Match value ("*", or a list of tags, weak or strong)
// names this tag. The comparison is the weak one, as the header asks.
bool noneMatchNames(std::string_view ifNoneMatch, std::string_view tag);

} // namespace dv
