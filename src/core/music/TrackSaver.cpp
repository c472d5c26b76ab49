#include "music/TrackSaver.h"

#include "app/MessageBoxes.h"
#include "shell/MainWindowLayout.h"
#include "shell/StatusLine.h"
#include "text/Utf8Path.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <random>
#include <stdexcept>

namespace dv {

namespace fs = std::filesystem;

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

std::string reason(const std::string& path) { return std::string(std::strerror(errno)) + ": " + path; }

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
    const File in(openFile(source, "rb"));
    if (!in)
        throw std::runtime_error(reason(source));
    auto [out, partName] = createBeside(target);

    std::optional<std::string> failure;
    std::array<char, 64 * 1024> buffer{};
    while (!failure) {
        const std::size_t n = std::fread(buffer.data(), 1, buffer.size(), in.get());
        if (n > 0 && std::fwrite(buffer.data(), 1, n, out.get()) != n)
            failure = reason(target);
        else if (n < buffer.size())
            break;
    }
    if (!failure && std::ferror(in.get()))
        failure = reason(source);
    if (!failure && std::fflush(out.get()) != 0)
        failure = reason(target);
    if (std::fclose(out.release()) != 0 && !failure)
        failure = reason(target);
    std::error_code ec;
    if (!failure) {
        fs::rename(pathFromUtf8(partName), pathFromUtf8(target), ec);
        if (ec)
            failure = ec.message() + ": " + target;
    }
    if (failure)
        fs::remove(pathFromUtf8(partName), ec);
    return failure;
}

void TrackSaver::lbSaveMP3Click(const std::string& trackPath) {
    const std::string proposed = trackPath.empty() ? std::string() : utf8FromPath(pathFromUtf8(trackPath).filename());
    const std::optional<std::string> chosen = dialog_.askSaveFileName(proposed);
    if (!chosen)
        return;
    if (const auto failure = copyReplacing(trackPath, *chosen)) {
        status_.setStatusText(*failure);
        boxes_.show({layout::kApplicationTitle,
                     "Kunde inte spara filen! Kontrollera så att det finns plats på disken, och - om "
                     "du sparar på en nätverksenhet - att du har erforderliga rättigheter.",
                     MessageIcon::Error, MessageButtons::Ok});
        return;
    }
    boxes_.show({layout::kApplicationTitle, "Filen sparad som \"" + *chosen + "\"!",
                 MessageIcon::Information, MessageButtons::Ok});
}

} // namespace dv
