#include "core/app/RegularFile.h"

#include "core/text/Utf8Path.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <system_error>

namespace dv {

namespace fs = std::filesystem;

namespace {

// Why a path cannot be opened for reading, or nothing when it can.
std::optional<std::errc> refusal(const std::string& path) {
    std::error_code ec;
    const fs::file_status status = fs::status(pathFromUtf8(path), ec);
    if (status.type() == fs::file_type::regular)
        return std::nullopt;
    if (status.type() == fs::file_type::directory)
        return std::errc::is_a_directory;
    if (ec || status.type() == fs::file_type::not_found)
        return std::errc::no_such_file_or_directory; // a dangling link too
    return std::errc::invalid_argument;              // FIFO, device, socket
}

} // namespace

bool isRegularFile(const std::string& path) {
    return !refusal(path).has_value();
}

std::ifstream openRegularFile(const std::string& path) {
    if (const auto why = refusal(path))
        throw std::runtime_error(std::make_error_code(*why).message() + ": " + path);
    std::ifstream in(pathFromUtf8(path), std::ios::binary);
    if (!in)
        throw std::runtime_error(std::string(std::strerror(errno)) + ": " + path);
    return in;
}

std::optional<std::string> readFileStart(const std::string& path, std::size_t count) {
    if (!isRegularFile(path))
        return std::nullopt;
    std::ifstream in(pathFromUtf8(path), std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string bytes(count, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(count));
    if (in.bad())
        return std::nullopt;
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

} // namespace dv
