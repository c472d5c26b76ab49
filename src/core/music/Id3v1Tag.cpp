#include "core/music/Id3v1Tag.h"

#include "core/app/RegularFile.h"
#include "core/text/AnsiText.h"

#include <fstream>

namespace dv {

namespace {

constexpr std::size_t kBlockSize = 128;

std::string field(std::string_view block, std::size_t offset) {
    std::string_view f = block.substr(offset, 30);
    f = f.substr(0, f.find('\0'));
    const auto isPadding = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    while (!f.empty() && isPadding(f.front()))
        f.remove_prefix(1);
    while (!f.empty() && isPadding(f.back()))
        f.remove_suffix(1);
    return windows1252ToUtf8(f);
}

} // namespace

std::string tagTextOf(std::string_view lastBytes) {
    if (lastBytes.size() < kBlockSize || !lastBytes.starts_with("TAG"))
        return {};
    const std::string title = field(lastBytes, 3);
    const std::string artist = field(lastBytes, 33);
    return artist.empty() ? title : artist + " " + title;
}

std::string FindMP3Tag(const std::string& path) {
    std::ifstream in = openRegularFile(path);
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < static_cast<std::streamoff>(kBlockSize))
        return {};
    std::string block(kBlockSize, '\0');
    in.seekg(size - static_cast<std::streamoff>(kBlockSize));
    if (!in.read(block.data(), kBlockSize))
        return {};
    return tagTextOf(block);
}

} // namespace dv
