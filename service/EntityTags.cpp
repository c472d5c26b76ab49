#include "EntityTags.h"

#include <cstdint>
#include <cstdio>

namespace dv {

namespace {

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

std::string_view opaque(std::string_view tag) {
    if (tag.starts_with("W/"))
        tag.remove_prefix(2);
    return tag;
}

} // namespace

std::string strongEntityTag(std::string_view bytes) {
    // 64-bit FNV-1a with the length beside it.
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ULL;
    }
    char text[48];
    std::snprintf(text, sizeof text, "\"%zx-%016llx\"", bytes.size(),
                  static_cast<unsigned long long>(hash));
    return text;
}

bool noneMatchNames(std::string_view ifNoneMatch, std::string_view tag) {
    if (trimmed(ifNoneMatch) == "*")
        return true;
    // Split at commas: the tags made here hold none, and no piece of another
    // tag (quotes cannot occur inside one) can equal them.
    while (!ifNoneMatch.empty()) {
        const std::size_t comma = ifNoneMatch.find(',');
        const std::string_view item = trimmed(ifNoneMatch.substr(0, comma));
        if (!item.empty() && opaque(item) == opaque(tag))
            return true;
        if (comma == std::string_view::npos)
            break;
        ifNoneMatch.remove_prefix(comma + 1);
    }
    return false;
}

} // namespace dv
