#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace dv {

// Paths are UTF-8 text inside the program. std::filesystem takes a plain
// char string in the ANSI code page on Windows, which mangles every name
// outside that code page, so every path crosses over through these.

// A path from UTF-8. Bytes that are not UTF-8 (a name from an old disc file)
// are read as Windows-1252 where names are UTF-16; elsewhere they are kept.
std::filesystem::path pathFromUtf8(std::string_view utf8);

// A path as UTF-8. A lone UTF-16 surrogate, which Windows allows in names,
// becomes U+FFFD rather than an exception.
std::string utf8FromPath(const std::filesystem::path& path);

// std::fopen with a UTF-8 path. The mode letter "x" (create, fail when the
// file exists) is honoured on Windows too, whose C library ignores it.
// Failures leave errno set, as std::fopen does.
std::FILE* openFile(std::string_view utf8Path, const char* mode);

} // namespace dv
