#include "DiscCheck.h"

#include "ImageMaster.h"
#include "PageCheck.h"
#include "core/app/DiscLayout.h"
#include "core/app/DiscPath.h"
#include "core/app/Hourglass.h"
#include "core/app/MessageBoxes.h"
#include "core/app/UrlHost.h"
#include "core/filesearch/FileSearch.h"
#include "core/music/Id3v1Tag.h"
#include "core/music/MonthTracks.h"
#include "core/shell/HotSpotCatalog.h"
#include "core/shell/SectionNavigation.h"
#include "core/text/AnsiText.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include <fcntl.h>
#include <unistd.h>

namespace dv {

namespace {

namespace fs = std::filesystem;

// The file search's boxes, kept instead of shown.
class KeptBoxes : public MessageBoxes {
  public:
    MessageAnswer show(const MessageBoxRequest& request) override {
        shown.push_back(request.text);
        return MessageAnswer::Ok;
    }
    std::vector<std::string> shown;
};

// A disc path written the disc's way, shown the way of this system.
std::string shownPath(std::string_view discPath) {
    std::string out(discPath);
    std::replace(out.begin(), out.end(), '\\', '/');
    return out;
}

} // namespace

DiscCheck::DiscCheck(const std::string& discFolder, DiscCheckOptions options) : options_(options) {
    std::error_code ec;
    fs::path root = fs::absolute(discFolder, ec).lexically_normal();
    root_ = root.string();
    if (root_.empty() || root_.back() != '/')
        root_ += '/';
}

bool DiscCheck::failed(const std::vector<CheckFinding>& findings) {
    return std::any_of(findings.begin(), findings.end(),
                       [](const CheckFinding& f) { return f.severity == Severity::Error; });
}

void DiscCheck::add(Severity severity, FindingKind kind, std::string file, int line,
                    std::vector<std::string> arguments) {
    findings_.push_back({severity, kind, std::move(file), line, std::move(arguments)});
}

std::string DiscCheck::relative(const std::string& path) const {
    return path.starts_with(root_) ? path.substr(root_.size()) : path;
}

std::vector<CheckFinding> DiscCheck::run() {
    findings_.clear();
    sectionPages();
    files();
    programList();
    music();
    hiddenScreen();
    return findings_;
}

void DiscCheck::sectionPages() {
    const HotSpotCatalog catalog(hostName(""));
    for (const HotSpot& spot : catalog.all()) {
        const auto address = sectionAddress(spot.name, root_);
        if (!address || hasUrlScheme(*address))
            continue; // no page, or one of the outside home pages
        std::error_code ec;
        if (!fs::is_regular_file(resolveDiscPath(*address), ec))
            add(Severity::Error, FindingKind::SectionPageMissing, relative(*address), 0,
                {spot.name, relative(*address)});
    }
}

// Every folder and file of the disc, as the image will take them: a link is
// taken as a link, and what cannot be read stops the image. A folder that
// cannot be read is reported and the walk goes on with the others.
void DiscCheck::files() {
    std::vector<std::string> found;
    const std::size_t firstFinding = findings_.size();
    std::vector<fs::path> folders{fs::path(root_)};
    while (!folders.empty()) {
        const fs::path folder = std::move(folders.back());
        folders.pop_back();
        std::error_code ec;
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
            const fs::path& path = it->path();
            if (folder == fs::path(root_) && ImageMaster::replacedByImage(path.filename().string()))
                continue; // the image brings its own
            std::error_code kind;
            const fs::file_status status = it->symlink_status(kind);
            if (fs::is_symlink(status)) {
                std::error_code unread;
                add(Severity::Error, FindingKind::DiscLink, relative(path.string()), 0,
                    {fs::read_symlink(path, unread).string()});
            } else if (fs::is_directory(status)) {
                folders.push_back(path);
            } else if (const int fd =
                           ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
                       fd < 0) {
                add(Severity::Error, FindingKind::FileUnreadable, relative(path.string()), 0,
                    {std::error_code(errno, std::generic_category()).message()});
            } else {
                ::close(fd);
                const std::string extension = lowerAscii(path.extension().string());
                if (extension == ".htm" || extension == ".html")
                    found.push_back(path.string());
            }
        }
        if (ec) {
            const std::string shown = relative(folder.string());
            add(Severity::Error, FindingKind::FolderUnreadable, shown.empty() ? "." : shown, 0,
                {ec.message()});
        }
    }
    // In the order of the names, whatever order the folders list them in.
    std::stable_sort(findings_.begin() + static_cast<std::ptrdiff_t>(firstFinding), findings_.end(),
                     [](const CheckFinding& a, const CheckFinding& b) { return a.file < b.file; });
    std::sort(found.begin(), found.end());
    PageCheck check(root_, options_.maxPageBytes, findings_);
    for (const std::string& page : found)
        check.check(page);
}

void DiscCheck::programList() {
    const std::string listFile = shownPath(disc::kProgramList);
    const std::string currentFile = shownPath(disc::kCurrentDiscFile);
    KeptBoxes boxes;
    NoHourglass hourglass;
    FileSearch search(root_, boxes, hourglass);
    search.readCurrentDisc();
    if (!search.currentDiscKnown())
        add(Severity::Error, FindingKind::CurrentDiscUnknown, currentFile);

    if (search.DoSearch("", true) == FileSearch::Outcome::NothingLoaded) {
        add(Severity::Error,
            boxes.shown.empty() ? FindingKind::ProgramListEmpty
                                : FindingKind::ProgramListUnreadable,
            listFile);
        return;
    }
    const ProgramList& list = search.programList();
    bool currentListed = false;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const ProgramList::Line line = list.line(i);
        if (line.disc.empty() || line.program.empty())
            add(Severity::Warning, FindingKind::ProgramListLineWithoutColumns, listFile,
                static_cast<int>(i + 1));
        currentListed = currentListed || line.disc == search.currentDisc();
    }
    if (search.currentDiscKnown() && !currentListed)
        add(Severity::Error, FindingKind::CurrentDiscNotListed, currentFile, 1,
            {search.currentDisc()});
}

void DiscCheck::music() {
    const std::vector<std::string> tracks = monthTracks(root_);
    if (tracks.empty()) {
        add(Severity::Error, FindingKind::NoTrack, shownPath(disc::kMusicFolder), 0,
            {shownPath(disc::kMusicFolder)});
        return;
    }
    const std::string track = relative(tracks.front());
    if (tracks.size() > 1)
        add(Severity::Warning, FindingKind::SeveralTracks, shownPath(disc::kMusicFolder), 0,
            {std::to_string(tracks.size()), track});
    try {
        if (FindMP3Tag(tracks.front()).empty())
            add(Severity::Error, FindingKind::TrackWithoutTag, track);
    } catch (const std::exception& e) {
        add(Severity::Error, FindingKind::TrackUnreadable, track, 0, {e.what()});
    }
}

void DiscCheck::hiddenScreen() {
    std::error_code ec;
    if (!fs::is_regular_file(resolveDiscPath(root_ + std::string(disc::kHiddenScreenFilm)), ec))
        add(Severity::Error, FindingKind::HiddenScreenFilmMissing,
            shownPath(disc::kHiddenScreenFilm));
}

} // namespace dv
