#include "DiscFileKind.h"

#include "core/app/RegularFile.h"
#include "core/browser/ProgramFile.h"
#include "core/text/AnsiText.h"

#include <filesystem>
#include <string_view>

namespace dv {

namespace {

namespace fs = std::filesystem;

// The Linux launcher's own rule, on the same first bytes it reads.
bool beginsAsProgram(const std::string& path) {
    return startsAsProgram(readFileStart(path, kProgramSignatureSize).value_or(std::string()));
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
