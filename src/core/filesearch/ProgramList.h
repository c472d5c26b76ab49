#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace dv {

// The list of program files on this and earlier discs: one entry a line,
// "disc TAB program TAB file entry". The file is Windows-1252 (UTF-8 when it
// starts with a byte-order mark). The whole text is kept once, decoded, with
// an upper-cased twin of the same length, so that a search scans memory as
// fast as a plain text search would and never upper-cases per line.
class ProgramList {
  public:
    struct Line {
        std::string_view disc;
        std::string_view program;
        std::string_view entry; // everything after the second TAB, TABs included
    };

    // False when the file cannot be read; the list is then empty.
    bool load(const std::string& path);
    // Takes the file's bytes as they would be read.
    void loadBytes(std::string bytes);

    // The text of the disc's list files: UTF-8 after a byte-order mark,
    // else Windows-1252.
    static std::string decode(std::string bytes);

    bool empty() const { return lines_.empty(); }
    std::size_t size() const { return lines_.size(); }
    Line line(std::size_t index) const;

    // Calls back, in file order, with every line whose entry holds the
    // upper-cased text (upperAnsi); with an empty text, every line.
    void forEachMatch(std::string_view upperText,
                      const std::function<void(std::size_t)>& matched) const;

  private:
    struct Offsets {
        std::uint32_t start;
        std::uint32_t program; // first character of the program column
        std::uint32_t entry;   // first character of the entry
        std::uint32_t end;     // one past the last character of the line
    };

    std::string text_;
    std::string upper_;
    std::vector<Offsets> lines_;
};

} // namespace dv
