#include "DiscMasterCommand.h"

#include "AutorunFiles.h"
#include "CheckMessages.h"
#include "DiscCheck.h"
#include "DiscFileKind.h"
#include "DiscLabel.h"
#include "DiscRoom.h"
#include "ImageMaster.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>

#include <unistd.h>

namespace dv {

namespace {

namespace fs = std::filesystem;

// The volume descriptors, path tables and Joliet and Rock Ridge records
// beside the files' own entries: a generous bound.
constexpr std::uint64_t kImageStructureBytes = 2 * 1024 * 1024;

constexpr const char* kUsage =
    "usage: dvcd-master DISC_FOLDER --label LABEL -o IMAGE.iso\n"
    "                   [--windows-program FILE]   (default build/win64/datavind.exe)\n"
    "                   [--linux-runtime FOLDER]   (default build/release/linux-runtime)\n"
    "                   [--medium cd74|cd80|dvd]   (default cd80)\n"
    "                   [--plain-runtime]          (linux/ uncompressed; by default zisofs)\n"
    "                   [--force] [--lang en|sv] [--max-page-size BYTES]\n";

struct Options {
    std::string disc;
    std::string label;
    std::string image;
    std::string windowsProgram = "build/win64/datavind.exe";
    std::string linuxRuntime = "build/release/linux-runtime";
    bool force = false;
    Medium medium = Medium::Cd80;
    bool compressRuntime = true;
    Language language = Language::English;
    DiscCheckOptions check;
};

std::optional<std::string> parse(const std::vector<std::string>& arguments, Options& o) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (a == "--label" && hasValue) {
            o.label = arguments[++i];
        } else if ((a == "-o" || a == "--output") && hasValue) {
            o.image = arguments[++i];
        } else if (a == "--windows-program" && hasValue) {
            o.windowsProgram = arguments[++i];
        } else if (a == "--linux-runtime" && hasValue) {
            o.linuxRuntime = arguments[++i];
        } else if (a == "--medium" && hasValue) {
            const auto chosen = DiscRoom::mediumOf(arguments[++i]);
            if (!chosen)
                return "--medium takes cd74, cd80 or dvd";
            o.medium = *chosen;
        } else if (a == "--plain-runtime") {
            o.compressRuntime = false;
        } else if (a == "--force") {
            o.force = true;
        } else if (a == "--lang" && hasValue) {
            const auto chosen = CheckMessages::languageOf(arguments[++i]);
            if (!chosen)
                return "--lang takes en or sv";
            o.language = *chosen;
        } else if (a == "--max-page-size" && hasValue) {
            const std::string& v = arguments[++i];
            const auto [end, ec] =
                std::from_chars(v.data(), v.data() + v.size(), o.check.maxPageBytes);
            if (ec != std::errc() || end != v.data() + v.size())
                return "--max-page-size takes a number of bytes";
        } else if (!a.starts_with("-") && o.disc.empty()) {
            o.disc = a;
        } else {
            return "unexpected argument " + a;
        }
    }
    if (o.disc.empty())
        return "no disc folder given";
    if (o.label.empty())
        return "no --label given";
    if (o.image.empty())
        return "no -o IMAGE.iso given";
    return std::nullopt;
}

bool beginsWith(const std::string& file, std::string_view magic) {
    std::ifstream in(file, std::ios::binary);
    std::string head(magic.size(), '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    return in && head == magic;
}

std::optional<std::string> inputProblem(const Options& o) {
    std::error_code ec;
    if (!fs::is_directory(o.disc, ec))
        return o.disc + " is no folder";
    if (auto problem = labelProblem(o.label))
        return *problem;
    if (!fs::is_regular_file(o.windowsProgram, ec) || !beginsWith(o.windowsProgram, "MZ"))
        return o.windowsProgram + " is no Windows program (build it with the win64 preset, or name "
                                  "it with --windows-program)";
    const fs::path runtime(o.linuxRuntime);
    if (!fs::is_regular_file(runtime / "datavind", ec) ||
        !fs::is_regular_file(runtime / "linux" / "datavind", ec) ||
        !beginsWith((runtime / "linux" / "datavind").string(), "\x7f"
                                                               "ELF"))
        return o.linuxRuntime + " holds no Linux runtime (make it with scripts/linux-runtime, or "
                                "name it with --linux-runtime)";
    return std::nullopt;
}

std::optional<long long> sourceDateEpoch() {
    const char* value = std::getenv("SOURCE_DATE_EPOCH");
    if (!value || !*value)
        return std::nullopt;
    long long epoch = 0;
    const std::string_view v(value);
    const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), epoch);
    if (ec != std::errc() || end != v.data() + v.size())
        return std::nullopt;
    return epoch;
}

} // namespace

int runDiscMasterCommand(const std::vector<std::string>& arguments, std::ostream& out,
                         std::ostream& err) {
    Options o;
    if (std::find_if(arguments.begin(), arguments.end(), [](const std::string& a) {
            return a == "--help" || a == "-h";
        }) != arguments.end()) {
        out << kUsage;
        return 0;
    }
    if (const auto problem = parse(arguments, o)) {
        err << "dvcd-master: " << *problem << "\n" << kUsage;
        return 2;
    }
    if (const auto problem = inputProblem(o)) {
        err << "dvcd-master: " << *problem << "\n";
        return 2;
    }
    const auto started = std::chrono::steady_clock::now();

    const std::vector<CheckFinding> findings = DiscCheck(o.disc, o.check).run();
    const CheckMessages messages(o.language);
    for (const CheckFinding& f : findings)
        err << messages.line(f) << "\n";
    if (DiscCheck::failed(findings)) {
        if (!o.force) {
            err << "dvcd-master: the disc fails its check; no image written (--force masters it "
                   "anyway)\n";
            return 1;
        }
        err << "dvcd-master: WARNING: THE DISC FAILS ITS CHECK AND IS MASTERED ANYWAY (--force).\n"
               "dvcd-master: WARNING: readers will meet the errors above.\n";
    }

    ImageContents contents;
    contents.discFolder = fs::absolute(o.disc).lexically_normal().string();
    contents.label = o.label;
    contents.image = o.image;
    contents.windowsProgram = o.windowsProgram;
    contents.linuxRuntime = o.linuxRuntime;
    contents.compressRuntime = o.compressRuntime;
    contents.startFiles = ImageMaster::startFilesOf(o.linuxRuntime);
    std::error_code ec;
    // A folder that cannot be read has no image, whatever --force says.
    const auto unreadable = [&](const fs::path& folder) {
        err << "dvcd-master: cannot read " << folder.string() << " (" << ec.message()
            << "); no image written\n";
        return 1;
    };
    fs::directory_iterator top(o.disc, ec);
    for (const fs::directory_iterator end; !ec && top != end; top.increment(ec)) {
        const fs::directory_entry& entry = *top;
        const std::string name = entry.path().filename().string();
        if (ImageMaster::replacedByImage(name)) {
            err << "dvcd-master: leaving out " << name
                << " of the disc folder: the image brings its own\n";
            continue;
        }
        contents.discEntries.push_back(name);
        std::error_code kind;
        if (!entry.is_directory(kind)) {
            if (discFileKindOf(entry.path().string()) == DiscFileKind::LinuxProgram)
                contents.discPrograms.push_back(name);
            continue;
        }
        fs::path entered = entry.path(); // the folder the walk went into last
        fs::recursive_directory_iterator inner(entered, ec);
        for (const fs::recursive_directory_iterator last; !ec && inner != last;
             inner.increment(ec)) {
            if (inner->is_directory(kind))
                entered = inner->path();
            else if (inner->is_regular_file(kind) &&
                     discFileKindOf(inner->path().string()) == DiscFileKind::LinuxProgram)
                contents.discPrograms.push_back(fs::relative(inner->path(), o.disc, kind).string());
        }
        if (ec)
            return unreadable(entered);
    }
    if (ec)
        return unreadable(o.disc);
    std::sort(contents.discEntries.begin(), contents.discEntries.end());
    std::sort(contents.discPrograms.begin(), contents.discPrograms.end());

    const fs::path autorun =
        fs::temp_directory_path() / ("dvcd-master-" + std::to_string(::getpid()));
    fs::create_directories(autorun);
    std::ofstream(autorun / "autorun.inf", std::ios::binary)
        << AutorunFiles::windowsAutorun(o.label);
    std::ofstream(autorun / ".autorun", std::ios::binary) << AutorunFiles::freedesktopAutorun();
    contents.autorunFolder = autorun.string();
    const std::optional<long long> date = sourceDateEpoch();
    if (date) {
        // Files made here carry the fixed date, so that the image depends
        // on its contents only.
        const auto when = std::chrono::file_clock::from_sys(
            std::chrono::sys_seconds(std::chrono::seconds(*date)));
        fs::last_write_time(autorun / "autorun.inf", when, ec);
        fs::last_write_time(autorun / ".autorun", when, ec);
    }

    // An image the blank cannot hold is no image: the burner would stop at
    // the end of the blank.
    const std::uint64_t capacity = DiscRoom::capacity(o.medium);
    const std::string medium = DiscRoom::name(o.medium);
    // Sizing the image costs a compression of the runtime: only when the
    // files, all uncompressed, would not fit anyway.
    std::uint64_t plain = DiscRoom::bytesOnDisc(contents.windowsProgram) +
                          DiscRoom::bytesOnDisc(contents.linuxRuntime) + kImageStructureBytes;
    for (const std::string& entry : contents.discEntries)
        plain += DiscRoom::bytesOnDisc((fs::path(contents.discFolder) / entry).string());
    const auto expected = plain > capacity ? ImageMaster::imageBytes(contents)
                                           : std::variant<std::uint64_t, std::string>(plain);
    if (const auto* bytes = std::get_if<std::uint64_t>(&expected); bytes && *bytes > capacity) {
        fs::remove_all(autorun, ec);
        err << "dvcd-master: the image would be " << *bytes << " bytes, "
            << DiscRoom::megabytes(*bytes - capacity) << " more than a " << medium << " holds ("
            << capacity << " bytes); no image written"
            << " (--medium cd74, cd80 or dvd)\n";
        return 1;
    }
    const std::optional<std::string> failure = ImageMaster::write(contents, date);
    fs::remove_all(autorun, ec);
    if (failure) {
        err << "dvcd-master: " << *failure << "\n";
        return 1;
    }
    const auto seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    const std::uint64_t size = fs::file_size(o.image, ec);
    if (ec) {
        err << "dvcd-master: xorriso wrote no readable image at " << o.image << " (" << ec.message()
            << ")\n";
        return 1;
    }
    if (size > capacity) {
        fs::remove(o.image, ec);
        err << "dvcd-master: the image is " << size << " bytes, "
            << DiscRoom::megabytes(size - capacity) << " more than a " << medium << " holds ("
            << capacity << " bytes); no image written"
            << " (--medium cd74, cd80 or dvd)\n";
        return 1;
    }
    out << o.image << ": " << size << " bytes, label \"" << o.label << "\", " << seconds << " s\n";
    std::uint64_t content = 0;
    for (const std::string& entry : contents.discEntries)
        content += DiscRoom::bytesOnDisc((fs::path(contents.discFolder) / entry).string());
    out << "room left on a " << medium
        << " for more of the disc's own content: " << DiscRoom::megabytes(capacity - size)
        << " (the disc's own content takes " << DiscRoom::megabytes(content)
        << ", the programs and the runtime "
        << DiscRoom::megabytes(size > content ? size - content : 0) << ")\n";
    return 0;
}

} // namespace dv
