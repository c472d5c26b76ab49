#include "music/MonthTracks.h"

#include "app/DiscLayout.h"
#include "app/DiscPath.h"
#include "text/AnsiText.h"

#include <filesystem>
#include <system_error>

namespace dv {

namespace fs = std::filesystem;

std::vector<std::string> monthTracks(std::string_view discRoot) {
    const fs::path folder = resolveDiscPath(std::string(discRoot) + std::string(disc::kMusicFolder));
    std::vector<std::string> tracks;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (lowerAscii(it->path().extension().string()) == ".mp3")
            tracks.push_back((folder / it->path().filename()).string());
    }
    return tracks;
}

} // namespace dv
