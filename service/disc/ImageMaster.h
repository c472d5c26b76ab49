#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace dv {

// What goes into a disc image.
struct ImageContents {
    std::string discFolder;                // the disc as the editors laid it out
    std::vector<std::string> discEntries;  // its top-level names that go in
    std::vector<std::string> discPrograms; // disc-relative paths started directly on Linux
    std::string windowsProgram;            // becomes datavind.exe
    std::string linuxRuntime;              // holds the start program "datavind" and "linux/"
    std::string autorunFolder;             // holds autorun.inf and .autorun
    std::string label;
    std::string image; // the ISO file to write
    // The runtime compressed with zisofs, which Linux reads as it reads
    // plain files; the Windows program and the disc's own files stay plain.
    bool compressRuntime = true;
    // Runtime files (relative to linux/) the program reads at start, in the
    // order it reads them: written first on the disc, in this order.
    std::vector<std::string> startFiles;
};

// Writes an ISO 9660 image with Joliet and Rock Ridge names with xorriso.
// The disc's files are readable by everyone and written by no one; what
// starts as a program on Linux is executable. Owners are root, and with a
// fixed date (SOURCE_DATE_EPOCH) the image depends only on its contents.
class ImageMaster {
  public:
    // The names at the top of a disc folder that the image brings its own
    // of: the start programs, the autorun files and the runtime folder.
    static bool replacedByImage(const std::string& topLevelName);

    static std::vector<std::string> xorrisoArguments(const ImageContents& contents);

    // The runtime's start order: the start script's own files (the versions
    // it compares, its lists), then the files as the runtime folder lists
    // them (linux/read-first, then linux/read-next); names that are no file
    // of the runtime are left out.
    static std::vector<std::string> startFilesOf(const std::string& linuxRuntime);

    // Bytes the image takes without the disc's own content: the programs,
    // the runtime as it is written (compressed or not) and the image's own
    // structures. Asks xorriso, which compresses the runtime to know; the
    // error when it could not.
    static std::variant<std::uint64_t, std::string> programsBytes(const ImageContents& contents);
    // Bytes the whole image will take, asked of xorriso before it is written.
    static std::variant<std::uint64_t, std::string> imageBytes(const ImageContents& contents);

    // Runs xorriso; the error when it could not run or failed.
    static std::optional<std::string> write(const ImageContents& contents,
                                            std::optional<long long> sourceDateEpoch);
};

} // namespace dv
