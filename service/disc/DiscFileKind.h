#pragma once

#include <string>

namespace dv {

// What a file on the disc is to the program that starts it.
enum class DiscFileKind {
    LinuxProgram,   // started directly on Linux: an ELF program or a #! script
    WindowsProgram, // .exe, .com, .bat, .cmd, .msi, .scr, .pif: Windows only
    NamedProgram,   // named as a Linux program (.sh, .run, .bin, .appimage) but none by content
    Document,       // anything else opens in the desktop's application
    Folder,
};

DiscFileKind discFileKindOf(const std::string& path);

} // namespace dv
