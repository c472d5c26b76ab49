#include "core/music/MonthTracks.h"

#include "core/app/DiscLayout.h"
#include "core/app/DiscPath.h"
#include "core/text/AnsiText.h"
#include "core/text/Utf8Path.h"

#include <filesystem>
#include <system_error>

namespace dv {

namespace fs = std::filesystem;

std::vector<std::string> monthTracks(std::string_view discRoot) {
    const fs::path folder =
        pathFromUtf8(resolveDiscPath(std::string(discRoot) + std::string(disc::kMusicFolder)));
    std::vector<std::string> tracks;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        // Only a regular file (or a link to one) is a track: a FIFO would
        // never finish opening, and a folder or device of that name is no music.
        std::error_code kind;
        if (lowerAscii(utf8FromPath(it->path().extension())) == ".mp3" && it->is_regular_file(kind))
            tracks.push_back(utf8FromPath(folder / it->path().filename()));
    }
    return tracks;
}

} // namespace dv
