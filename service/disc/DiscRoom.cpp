#include "DiscRoom.h"

#include "core/text/AnsiText.h"

#include <cstdio>
#include <filesystem>

namespace dv {

namespace {

namespace fs = std::filesystem;

// Each name in a folder has an ISO 9660, a Joliet and a Rock Ridge entry;
// about this many bytes together for a name of ordinary length.
constexpr std::uint64_t kEntryBytes = 300;

} // namespace

std::optional<Medium> DiscRoom::mediumOf(std::string_view name) {
    const std::string n = lowerAscii(std::string(name));
    if (n == "cd74")
        return Medium::Cd74;
    if (n == "cd80")
        return Medium::Cd80;
    if (n == "dvd")
        return Medium::Dvd;
    return std::nullopt;
}

std::uint64_t DiscRoom::capacity(Medium medium) {
    // Sectors of user data: 74 and 80 minutes of 75 sectors a second, and a
    // single-layer DVD.
    switch (medium) {
    case Medium::Cd74:
        return 333'000 * kSector;
    case Medium::Cd80:
        return 360'000 * kSector;
    case Medium::Dvd:
        return 2'295'104 * kSector;
    }
    return 0;
}

std::string DiscRoom::name(Medium medium) {
    switch (medium) {
    case Medium::Cd74:
        return "CD 74";
    case Medium::Cd80:
        return "CD 80";
    case Medium::Dvd:
        return "DVD";
    }
    return {};
}

std::uint64_t DiscRoom::bytesOnDisc(const std::string& path) {
    std::error_code ec;
    if (!fs::exists(path, ec))
        return 0;
    if (fs::is_regular_file(path, ec)) {
        const std::uint64_t size = fs::file_size(path, ec);
        return ec ? 0 : roundedToSectors(size);
    }
    std::uint64_t total = 0;
    std::uint64_t entries = 1;
    fs::recursive_directory_iterator it(path, ec);
    for (const fs::recursive_directory_iterator end; !ec && it != end; it.increment(ec)) {
        ++entries;
        std::error_code kind;
        if (!it->is_regular_file(kind))
            continue;
        const std::uint64_t size = it->file_size(kind);
        if (!kind)
            total += roundedToSectors(size);
    }
    return total + roundedToSectors(entries * kEntryBytes);
}

std::string DiscRoom::megabytes(std::uint64_t bytes) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(bytes) / 1e6);
    return text;
}

} // namespace dv
