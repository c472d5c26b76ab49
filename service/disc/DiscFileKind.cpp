#include "DiscFileKind.h"

#include "text/AnsiText.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <string_view>

namespace dv {

namespace {

namespace fs = std::filesystem;

// The Linux launcher starts directly what begins as a program does; this
// reads the same first bytes it looks at.
bool beginsAsProgram(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::array<char, 4> head{};
    in.read(head.data(), head.size());
    const std::string_view got(head.data(), static_cast<std::size_t>(in.gcount()));
    return got == std::string_view("\x7f" "ELF", 4) || got.starts_with("#!");
}

bool oneOf(const std::string& extension, std::initializer_list<std::string_view> list) {
    for (const std::string_view e : list)
        if (extension == e)
            return true;
    return false;
}

} // namespace

DiscFileKind discFileKindOf(const std::string& path) {
    std::error_code ec;
    if (fs::is_directory(path, ec))
        return DiscFileKind::Folder;
    const std::string extension = lowerAscii(fs::path(path).extension().string());
    if (oneOf(extension, {".exe", ".com", ".bat", ".cmd", ".msi", ".scr", ".pif"}))
        return DiscFileKind::WindowsProgram;
    if (fs::is_regular_file(path, ec) && beginsAsProgram(path))
        return DiscFileKind::LinuxProgram;
    if (oneOf(extension, {".sh", ".run", ".bin", ".appimage"}))
        return DiscFileKind::NamedProgram;
    return DiscFileKind::Document;
}

} // namespace dv
