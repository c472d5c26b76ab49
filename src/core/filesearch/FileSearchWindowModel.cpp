#include "core/filesearch/FileSearchWindowModel.h"

#include "core/app/Hourglass.h"
#include "core/filesearch/FileSearch.h"

#include <algorithm>

namespace dv {

namespace {

constexpr int kMargin = 8;
constexpr int kRadioLeft = 200;
constexpr int kLeftmostPicture = 350;

int right(const Rect& r) {
    return r.left + r.width;
}

} // namespace

FileSearchWindowLayout FileSearchWindowModel::layout(const TextMeasure& measure) {
    FileSearchWindowLayout l;
    l.clientWidth = 498;
    l.clientHeight = 379;
    l.minimumWidth = 390;
    l.minimumHeight = 200;
    l.panelHeight = 97;
    l.treeWidth = 185;
    const int box = measure.indicatorWidth();
    const auto oneLine = [&](const char* text, int left, int top, int extra, int height) {
        const TextSize size = measure.measure(text, 0);
        return Rect{left, top, size.width + extra, std::max(height, size.height)};
    };
    l.Label1 = oneLine(kPrompt, kMargin, 8, 0, 13);
    l.ebSearch = {kMargin, 24, 185, 21};
    l.rbThisDisc = oneLine(kThisDisc, kRadioLeft, 25, box, 17);
    l.rbAllDiscs = oneLine(kAllDiscs, kRadioLeft, 41, box, 17);
    l.btSearch = {kMargin, 48, 73, 23};
    l.cbShowAll = oneLine(kShowAll, kRadioLeft, 64, box, 17);
    l.pictureLeftmost = std::max({kLeftmostPicture, right(l.rbThisDisc) + kMargin,
                                  right(l.rbAllDiscs) + kMargin, right(l.cbShowAll) + kMargin});
    return l;
}

Rect FileSearchWindowModel::pictureBounds(const FileSearchWindowLayout& layout, int panelWidth,
                                          TextSize picture) {
    const int left = std::max(layout.pictureLeftmost, panelWidth - kMargin - picture.width);
    return {left, kMargin, picture.width, picture.height};
}

FileSearchWindowModel::Controls FileSearchWindowModel::enabled() const {
    Controls c;
    c.ebSearch = !showAll_;
    c.btSearch = !showAll_;
    c.rbThisDisc = !showAll_ && currentDiscKnown_;
    c.rbAllDiscs = !showAll_;
    return c;
}

bool FileSearchWindowModel::showAllToggled(bool checked) {
    showAll_ = checked;
    return checked;
}

FileSearchWindowModel::KeyAction FileSearchWindowModel::onKey(Key key, bool inSearchBox) {
    if (key == Key::Escape)
        return KeyAction::Hide;
    if (key == Key::Enter && inSearchBox)
        return KeyAction::Search;
    return KeyAction::None;
}

FileSearchWindowModel::NodePictures FileSearchWindowModel::picturesAt(int depth) {
    if (depth == 0)
        return {Picture::FolderOpen, Picture::FolderOpen};
    return {Picture::FolderClosed, Picture::FolderOpen};
}

bool FileSearchWindowModel::search(FileSearch& search, Hourglass& hourglass, std::string_view text,
                                   bool allDiscs,
                                   const std::function<void(const SearchTree&)>& fillTree) {
    // The core shows the hourglass while it loads and searches.
    if (search.DoSearch(text, allDiscs) != FileSearch::Outcome::Searched)
        return false;
    // Filling the tree belongs to the search: still busy.
    hourglass.showHourglass();
    try {
        fillTree(search.tree());
    } catch (...) {
        hourglass.restoreCursor();
        throw;
    }
    hourglass.restoreCursor();
    return true;
}

} // namespace dv
