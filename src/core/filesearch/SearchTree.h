#pragma once

#include <string_view>
#include <vector>

namespace dv {

// The result of a search: magazine -> disc -> program, each program with its
// matching file entries (the TMyRec records) in file order. The texts point
// into the program list, which outlives the tree.
struct ProgramNode {
    std::string_view name;
    std::vector<std::string_view> entries;
};

struct DiscNode {
    std::string_view name;
    std::vector<ProgramNode> programs;
};

struct SearchTree {
    static constexpr std::string_view kRootName = "Datavind";
    // Empty when nothing matched: then not even the root is shown.
    std::vector<DiscNode> discs;

    bool empty() const { return discs.empty(); }
};

} // namespace dv
