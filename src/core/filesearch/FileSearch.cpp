#include "filesearch/FileSearch.h"

#include "app/DiscLayout.h"
#include "app/DiscPath.h"
#include "app/MessageBoxes.h"
#include "shell/MainWindowLayout.h"
#include "text/AnsiText.h"
#include "text/Utf8Path.h"

#include <fstream>

namespace dv {

FileSearch::FileSearch(std::string discRoot, MessageBoxes& boxes)
    : discRoot_(std::move(discRoot)), boxes_(boxes) {}

void FileSearch::readCurrentDisc() {
    currentDisc_.clear();
    std::ifstream in(pathFromUtf8(resolveDiscPath(discRoot_ + std::string(disc::kCurrentDiscFile))), std::ios::binary);
    std::string first;
    if (!in || !std::getline(in, first))
        return;
    if (!first.empty() && first.back() == '\r')
        first.pop_back();
    currentDisc_ = ProgramList::decode(std::move(first));
}

FileSearch::Outcome FileSearch::DoSearch(std::string_view text, bool allDiscs) {
    if (list_.empty() && !list_.load(resolveDiscPath(discRoot_ + std::string(disc::kProgramList))))
        boxes_.show({layout::kApplicationTitle,
                     "Kunde inte ladda in programlistan! Kan därför inte söka.",
                     MessageIcon::None, MessageButtons::Ok});
    if (list_.empty())
        return Outcome::NothingLoaded;

    tree_.discs.clear();
    DiscNode* disc = nullptr;
    ProgramNode* program = nullptr;
    list_.forEachMatch(upperAnsi(text), [&](std::size_t index) {
        const ProgramList::Line line = list_.line(index);
        if (!allDiscs && line.disc != currentDisc_)
            return;
        // Grouping looks only at the previous hit.
        if (!disc || disc->name != line.disc) {
            disc = &tree_.discs.emplace_back(DiscNode{line.disc, {}});
            program = nullptr;
        }
        if (!program || program->name != line.program)
            program = &disc->programs.emplace_back(ProgramNode{line.program, {}});
        program->entries.push_back(line.entry);
    });
    return Outcome::Searched;
}

} // namespace dv
