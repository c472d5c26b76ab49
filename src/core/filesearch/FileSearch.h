#pragma once

#include "core/filesearch/ProgramList.h"
#include "core/filesearch/SearchTree.h"

#include <optional>
#include <string>
#include <string_view>

namespace dv {

class Hourglass;
class MessageBoxes;

// Searches the program list of this and earlier discs. The list is read on
// the first search and kept; a list that could not be read is tried again
// on the next search.
class FileSearch {
  public:
    enum class Outcome { Searched, NothingLoaded };

    FileSearch(std::string discRoot, MessageBoxes& boxes, Hourglass& hourglass);

    // Reads the current disc's name, the first line of filsok\aktuellt.txt;
    // empty when the file is missing or empty.
    void readCurrentDisc();
    const std::string& currentDisc() const { return currentDisc_; }
    bool currentDiscKnown() const { return !currentDisc_.empty(); }

    // Searches the entries (not disc or program names) without regard to
    // case, Swedish letters included; an empty text finds every entry.
    // Without allDiscs only the current disc's lines count. The hourglass
    // shows while the list loads and while it is searched, never over the
    // box that says the list could not be loaded; then the tree is left as
    // it was.
    Outcome DoSearch(std::string_view text, bool allDiscs);

    const SearchTree& tree() const { return tree_; }
    const ProgramList& programList() const { return list_; }

  private:
    std::string discRoot_;
    MessageBoxes& boxes_;
    Hourglass& hourglass_;
    std::string currentDisc_;
    ProgramList list_;
    SearchTree tree_;
};

} // namespace dv
