#pragma once

#include <cstddef>
#include <fstream>
#include <optional>
#include <string>

namespace dv {

// The program reads its files by name, and a name on a disc or in a folder
// can stand for anything: a FIFO blocks the first read until someone writes,
// a directory reads as an endless file, a device as whatever it gives. Only
// regular files, or links that end at one, are ever opened. (Standard C++
// cannot open without waiting, so the kind is looked at first; on a disc
// nothing changes between the look and the open.)

// True when the path ends, through any links, at a regular file.
bool isRegularFile(const std::string& path);

// Opens a regular file for binary reading. Anything else, or a file that
// cannot be opened, throws std::runtime_error with the system's reason
// followed by ": " and the path.
std::ifstream openRegularFile(const std::string& path);

// Up to count bytes from the start of a regular file; nothing when the path
// is no regular file or cannot be read.
std::optional<std::string> readFileStart(const std::string& path, std::size_t count);

} // namespace dv
