#pragma once

#include <optional>
#include <string>
#include <vector>

namespace dv {

// What goes into a disc image.
struct ImageContents {
    std::string discFolder;     // the disc as the editors laid it out
    std::vector<std::string> discEntries;  // its top-level names that go in
    std::vector<std::string> discPrograms; // disc-relative paths started directly on Linux
    std::string windowsProgram; // becomes datavind.exe
    std::string linuxRuntime;   // holds the start program "datavind" and "linux/"
    std::string autorunFolder;  // holds autorun.inf and .autorun
    std::string label;
    std::string image;          // the ISO file to write
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

    // Runs xorriso; the error when it could not run or failed.
    static std::optional<std::string> write(const ImageContents& contents,
                                            std::optional<long long> sourceDateEpoch);
};

} // namespace dv
