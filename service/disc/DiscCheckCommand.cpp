#include "DiscCheckCommand.h"

#include "CheckMessages.h"
#include "DiscCheck.h"
#include "DiscRoom.h"
#include "ImageMaster.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <ostream>

namespace dv {

namespace {

constexpr const char* kUsage =
    "usage: dvcd-check DISC_FOLDER [--lang en|sv] [--max-page-size BYTES]\n"
    "                  [--medium cd74|cd80|dvd]   (default cd80)\n"
    "                  [--windows-program FILE]   (default build/win64/datavind.exe)\n"
    "                  [--linux-runtime FOLDER]   (default build/release/linux-runtime)\n";

// How much more of the disc's own content the medium takes beside the
// programs dvcd-master would add, as dvcd-master would write them.
void sayRoom(const std::string& folder, Medium medium, const ImageContents& programs,
             std::ostream& out) {
    const std::uint64_t capacity = DiscRoom::capacity(medium);
    // What the image replaces does not go on the disc.
    std::uint64_t content = 0;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec))
        if (!ImageMaster::replacedByImage(it->path().filename().string()))
            content += DiscRoom::bytesOnDisc(it->path().string());
    const bool found =
        std::filesystem::is_regular_file(programs.windowsProgram, ec) &&
        std::filesystem::is_directory(std::filesystem::path(programs.linuxRuntime) / "linux", ec);
    std::uint64_t used = content;
    std::string programsSaid = "the programs were not found and are not counted";
    if (found) {
        const auto bytes = ImageMaster::programsBytes(programs);
        if (const auto* n = std::get_if<std::uint64_t>(&bytes)) {
            used += *n;
            programsSaid = "the programs and the runtime " + DiscRoom::megabytes(*n);
        } else {
            programsSaid = "the programs are not counted (" + std::get<std::string>(bytes) + ")";
        }
    }
    out << "the disc's own content takes " << DiscRoom::megabytes(content) << ", " << programsSaid
        << "; room left on a " << DiscRoom::name(medium) << " (" << capacity
        << " bytes) for more content: ";
    if (used > capacity)
        out << "none, " << DiscRoom::megabytes(used - capacity) << " too much\n";
    else
        out << DiscRoom::megabytes(capacity - used) << "\n";
}

} // namespace

int runDiscCheckCommand(const std::vector<std::string>& arguments, std::ostream& out,
                        std::ostream& err) {
    std::string folder;
    Language language = Language::English;
    DiscCheckOptions options;
    Medium medium = Medium::Cd80;
    ImageContents programs;
    programs.windowsProgram = "build/win64/datavind.exe";
    programs.linuxRuntime = "build/release/linux-runtime";
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (a == "--lang" && hasValue) {
            const auto chosen = CheckMessages::languageOf(arguments[++i]);
            if (!chosen) {
                err << "dvcd-check: --lang takes en or sv\n" << kUsage;
                return 2;
            }
            language = *chosen;
        } else if (a == "--max-page-size" && hasValue) {
            const std::string& v = arguments[++i];
            const auto [end, ec] =
                std::from_chars(v.data(), v.data() + v.size(), options.maxPageBytes);
            if (ec != std::errc() || end != v.data() + v.size()) {
                err << "dvcd-check: --max-page-size takes a number of bytes\n" << kUsage;
                return 2;
            }
        } else if (a == "--medium" && hasValue) {
            const auto chosen = DiscRoom::mediumOf(arguments[++i]);
            if (!chosen) {
                err << "dvcd-check: --medium takes cd74, cd80 or dvd\n" << kUsage;
                return 2;
            }
            medium = *chosen;
        } else if (a == "--windows-program" && hasValue) {
            programs.windowsProgram = arguments[++i];
        } else if (a == "--linux-runtime" && hasValue) {
            programs.linuxRuntime = arguments[++i];
        } else if (a == "-h" || a == "--help") {
            out << kUsage;
            return 0;
        } else if (!a.starts_with("-") && folder.empty()) {
            folder = a;
        } else {
            err << "dvcd-check: unexpected argument " << a << "\n" << kUsage;
            return 2;
        }
    }
    std::error_code ec;
    if (folder.empty() || !std::filesystem::is_directory(folder, ec)) {
        err << (folder.empty() ? std::string("dvcd-check: no disc folder given\n")
                               : "dvcd-check: " + folder + " is no folder\n")
            << kUsage;
        return 2;
    }

    const std::vector<CheckFinding> findings = DiscCheck(folder, options).run();
    const CheckMessages messages(language);
    for (const CheckFinding& f : findings)
        out << messages.line(f) << "\n";
    const auto errors = static_cast<std::size_t>(
        std::count_if(findings.begin(), findings.end(),
                      [](const CheckFinding& f) { return f.severity == Severity::Error; }));
    out << messages.summary(errors, findings.size() - errors) << "\n";
    programs.startFiles = ImageMaster::startFilesOf(programs.linuxRuntime);
    sayRoom(folder, medium, programs, out);
    return errors > 0 ? 1 : 0;
}

} // namespace dv
