#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dv {

// The blank media an image is mastered for.
enum class Medium { Cd74, Cd80, Dvd };

// How much a medium holds and how much of it a disc folder takes. Sizes on
// a disc are whole 2048-byte sectors: every file and every folder takes its
// bytes rounded up.
class DiscRoom {
  public:
    static constexpr std::uint64_t kSector = 2048;

    static std::optional<Medium> mediumOf(std::string_view name); // "cd74", "cd80", "dvd"
    static std::uint64_t capacity(Medium medium);                 // bytes of user data
    static std::string name(Medium medium);                       // "CD 80"

    // Bytes a file, or a folder with its files and folders, takes on a
    // disc, the entries in the directory records included.
    static std::uint64_t bytesOnDisc(const std::string& path);

    static std::uint64_t roundedToSectors(std::uint64_t bytes) {
        return (bytes + kSector - 1) / kSector * kSector;
    }

    // "123.4 MB" (10^6 bytes, as the media are sold).
    static std::string megabytes(std::uint64_t bytes);
};

} // namespace dv
