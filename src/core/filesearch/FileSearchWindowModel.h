#pragma once

#include "core/shell/Geometry.h"
#include "core/shell/TextMeasure.h"

#include <functional>
#include <string_view>

namespace dv {

class FileSearch;
class Hourglass;
struct SearchTree;

// Where the search window's controls lie, in client pixels. The panel's
// controls are inside Panel1; the tree, splitter, list and status bar share
// what is left below it.
struct FileSearchWindowLayout {
    int clientWidth = 0; // at start
    int clientHeight = 0;
    int minimumWidth = 0;
    int minimumHeight = 0;
    int panelHeight = 0;
    int treeWidth = 0; // at start; the splitter moves it
    Rect Label1;
    Rect ebSearch;
    Rect rbThisDisc;
    Rect rbAllDiscs;
    Rect btSearch;
    Rect cbShowAll;
    int pictureLeftmost = 0; // the picture never slides further left
    friend bool operator==(const FileSearchWindowLayout&, const FileSearchWindowLayout&) = default;
};

// The file search window "Filsökaren" (TFileSearchForm) as both programs
// draw it: texts, places, which controls are enabled, the tree's pictures,
// its keys and the hourglass around a search.
class FileSearchWindowModel {
  public:
    static constexpr const char* kCaption = "Filsökaren";
    static constexpr const char* kPrompt = "Skriv in den text du vill söka efter:";
    static constexpr const char* kThisDisc = "Denna skiva";
    static constexpr const char* kAllDiscs = "Alla skivor";
    static constexpr const char* kSearch = "Sök";
    static constexpr const char* kShowAll = "Sök inte, visa alla filer";
    // The picture in the panel's top right corner.
    static constexpr const char* kPicture = "Filsok";

    static FileSearchWindowLayout layout(const TextMeasure& measure);
    // The picture keeps to the panel's right edge, never over the controls.
    static Rect pictureBounds(const FileSearchWindowLayout& layout, int panelWidth,
                              TextSize picture);

    // Without a current disc "Denna skiva" would find nothing of use: it
    // starts off and "Alla skivor" chosen.
    explicit FileSearchWindowModel(bool currentDiscKnown) : currentDiscKnown_(currentDiscKnown) {}

    struct Controls {
        bool ebSearch = true;
        bool btSearch = true;
        bool rbThisDisc = true;
        bool rbAllDiscs = true;
        friend bool operator==(const Controls&, const Controls&) = default;
    };
    // Which controls are enabled now.
    Controls enabled() const;
    bool allDiscsAtStart() const { return !currentDiscKnown_; }

    // "Sök inte, visa alla filer" toggled (Action1Execute): true when every
    // file is to be listed now, a search with an empty text. Turned off, the
    // results stay as they are.
    bool showAllToggled(bool checked);

    enum class Key { Enter, Escape, Other };
    enum class KeyAction { None, Search, Hide };
    // Enter in the search box searches; Esc anywhere hides the window.
    static KeyAction onKey(Key key, bool inSearchBox);

    // The tree's pictures: the root always an open folder, discs and
    // programs closed folders that show open while selected.
    enum class Picture { FolderOpen, FolderClosed };
    struct NodePictures {
        Picture normal;
        Picture selected;
        friend bool operator==(const NodePictures&, const NodePictures&) = default;
    };
    static NodePictures picturesAt(int depth);
    static constexpr const char* pictureName(Picture p) {
        return p == Picture::FolderOpen ? "FolderOpen" : "FolderClosed";
    }

    // Searches and, when there is a result, fills the tree with it; the
    // hourglass shows from the search's start until the tree is filled,
    // never over the box that says the list could not be loaded. True when
    // the tree was filled.
    static bool search(FileSearch& search, Hourglass& hourglass, std::string_view text,
                       bool allDiscs, const std::function<void(const SearchTree&)>& fillTree);

  private:
    bool currentDiscKnown_;
    bool showAll_ = false;
};

} // namespace dv
