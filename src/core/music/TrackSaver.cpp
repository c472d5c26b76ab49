#include "core/music/TrackSaver.h"

#include "core/app/MessageBoxes.h"
#include "core/app/RegularFile.h"
#include "core/shell/MainWindowLayout.h"
#include "core/shell/StatusLine.h"
#include "core/text/Utf8Path.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <stdexcept>
#include <system_error>

namespace dv {

namespace fs = std::filesystem;

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

std::string reason(const std::string& path) {
    return std::string(std::strerror(errno)) + ": " + path;
}

std::string reason(std::errc why, const std::string& path) {
    return std::make_error_code(why).message() + ": " + path;
}

// Where a save to this path really writes: through every symbolic link to
// the file it ends at (which need not exist yet), so that the reader's link
// stays a link.
std::string finalTarget(const std::string& target) {
    fs::path at = pathFromUtf8(target);
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(at, ec)))
            return utf8FromPath(at);
        const fs::path next = fs::read_symlink(at, ec);
        if (ec)
            throw std::runtime_error(ec.message() + ": " + target);
        at = next.is_absolute() ? next : at.parent_path() / next;
    }
    throw std::runtime_error(reason(std::errc::too_many_symbolic_link_levels, target));
}

// A new file beside the target that no one else has.
std::pair<File, std::string> createBeside(const std::string& target) {
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = target + ".part" + std::to_string(random() % 1000000);
        if (std::FILE* f = openFile(name, "wbx"))
            return {File(f), name};
        if (errno != EEXIST)
            throw std::runtime_error(reason(target));
    }
    throw std::runtime_error(reason(target));
}

} // namespace

std::optional<std::string> copyReplacing(const std::string& source, const std::string& target) {
    std::ifstream in = openRegularFile(source);
    const std::string destination = finalTarget(target);
    auto [out, partName] = createBeside(destination);

    std::optional<std::string> failure;
    std::error_code ec;
    // The replacement gets the permissions of the file it replaces, before
    // any byte goes in: a private file stays private.
    const fs::file_status existing = fs::status(pathFromUtf8(destination), ec);
    if (!ec && fs::is_regular_file(existing)) {
        fs::permissions(pathFromUtf8(partName), existing.permissions() & fs::perms::all, ec);
        if (ec)
            failure = ec.message() + ": " + destination;
    }
    std::array<char, 64 * 1024> buffer{};
    while (!failure && in) {
        in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        const auto n = static_cast<std::size_t>(in.gcount());
        if (n > 0 && std::fwrite(buffer.data(), 1, n, out.get()) != n)
            failure = reason(destination);
    }
    if (!failure && in.bad())
        failure = reason(source);
    if (!failure && std::fflush(out.get()) != 0)
        failure = reason(destination);
    if (std::fclose(out.release()) != 0 && !failure)
        failure = reason(destination);
    if (!failure) {
        fs::rename(pathFromUtf8(partName), pathFromUtf8(destination), ec);
        if (ec)
            failure = ec.message() + ": " + destination;
    }
    if (failure)
        fs::remove(pathFromUtf8(partName), ec);
    return failure;
}

void TrackSaver::lbSaveMP3Click(const std::string& trackPath) {
    const std::string proposed =
        trackPath.empty() ? std::string() : utf8FromPath(pathFromUtf8(trackPath).filename());
    const std::optional<std::string> chosen = dialog_.askSaveFileName(proposed);
    if (!chosen)
        return;
    if (const auto failure = copyReplacing(trackPath, *chosen)) {
        status_.setStatusText(*failure);
        boxes_.show(
            {layout::kApplicationTitle,
             "Kunde inte spara filen! Kontrollera så att det finns plats på disken, och - om "
             "du sparar på en nätverksenhet - att du har erforderliga rättigheter.",
             MessageIcon::Error, MessageButtons::Ok});
        return;
    }
    boxes_.show({layout::kApplicationTitle, "Filen sparad som \"" + *chosen + "\"!",
                 MessageIcon::Information, MessageButtons::Ok});
}

} // namespace dv
