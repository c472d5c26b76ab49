#include "core/filesearch/FileSearch.h"

#include "core/app/DiscLayout.h"
#include "core/app/DiscPath.h"
#include "core/app/Hourglass.h"
#include "core/app/MessageBoxes.h"
#include "core/app/RegularFile.h"
#include "core/shell/MainWindowLayout.h"
#include "core/text/AnsiText.h"
#include "core/text/Utf8Path.h"

#include <fstream>

namespace dv {

namespace {

// The hourglass for as long as it lives, also when the work throws.
class BusyWhile {
  public:
    explicit BusyWhile(Hourglass& hourglass) : hourglass_(hourglass) { hourglass_.showHourglass(); }
    ~BusyWhile() { hourglass_.restoreCursor(); }
    BusyWhile(const BusyWhile&) = delete;
    BusyWhile& operator=(const BusyWhile&) = delete;

  private:
    Hourglass& hourglass_;
};

} // namespace

FileSearch::FileSearch(std::string discRoot, MessageBoxes& boxes, Hourglass& hourglass)
    : discRoot_(std::move(discRoot)), boxes_(boxes), hourglass_(hourglass) {}

void FileSearch::readCurrentDisc() {
    currentDisc_.clear();
    const std::string path = resolveDiscPath(discRoot_ + std::string(disc::kCurrentDiscFile));
    if (!isRegularFile(path))
        return;
    std::ifstream in(pathFromUtf8(path), std::ios::binary);
    std::string first;
    if (!in || !std::getline(in, first))
        return;
    if (!first.empty() && first.back() == '\r')
        first.pop_back();
    currentDisc_ = ProgramList::decode(std::move(first));
}

FileSearch::Outcome FileSearch::DoSearch(std::string_view text, bool allDiscs) {
    if (list_.empty()) {
        bool loaded = false;
        {
            const BusyWhile busy(hourglass_);
            loaded = list_.load(resolveDiscPath(discRoot_ + std::string(disc::kProgramList)));
        }
        if (!loaded)
            boxes_.show({layout::kApplicationTitle,
                         "Kunde inte ladda in programlistan! Kan därför inte söka.",
                         MessageIcon::None, MessageButtons::Ok});
    }
    if (list_.empty())
        return Outcome::NothingLoaded;

    const BusyWhile busy(hourglass_);
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
