#pragma once

#include "core/app/MessageBoxes.h"
#include "core/filesearch/FileSearch.h"
#include "core/filesearch/FileSearchWindowModel.h"
#include "win32/filesearch/ControlPanel.h"
#include "win32/filesearch/Splitter.h"
#include "win32/support/MessageLoop.h"
#include "win32/support/Win32Hourglass.h"
#include "win32/support/Window.h"
#include "win32/support/WindowDpi.h"

#include <commctrl.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace dv::win32 {

// The file search window "Filsökaren": a sizeable tool window, created at
// start after the main window (it reads the disc root) and shown
// modelessly. The core's FileSearch does the searching; this window shows
// its tree of discs and programs and, for the program selected, its files.
// Closing or Esc only hides it; its results stay. Keys go through the
// program's message loop as in a dialog: Tab moves between the controls,
// Enter in the search box searches.
class TFileSearchForm : public Window {
  public:
    TFileSearchForm(const std::string& discRoot, MessageBoxes& boxes);
    ~TFileSearchForm() override;

    // Shows the window, or brings it to the front when it is already shown.
    void showModeless();

    void btSearchClick();

    // A control by its name (Panel1, Label1, ebSearch, rbThisDisc,
    // rbAllDiscs, btSearch, cbShowAll, Tree, Splitter1, List, StatusBar1).
    HWND control(std::string_view name) const;

  protected:
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    // Dialog keys for this window, and its own two: Enter in the search box
    // and Esc anywhere.
    class Keys : public MessageFilter {
      public:
        explicit Keys(TFileSearchForm& form) : form_(form) {}
        bool preTranslate(MSG& message) override;

      private:
        TFileSearchForm& form_;
    };

    void FormCreate();
    void createControls();
    void layOut();
    void showEnabled();
    void Action1Execute();
    void TreeChange(HTREEITEM node);
    void search(const std::string& text);
    void showTree();
    bool checked(HWND button) const;

    Win32Hourglass hourglass_;
    FileSearch search_;
    FileSearchWindowLayout layout_;
    std::optional<FileSearchWindowModel> model_; // once the current disc is read
    Keys keys_{*this};
    // Which program each program node of the tree is (disc, program).
    std::vector<std::pair<std::size_t, std::size_t>> programs_;
    HIMAGELIST images_ = nullptr;
    HWND lastFocus_ = nullptr;
    // Laid out as at 100 %, shown at the display's scale.
    DisplayScale scale_ = systemScale();
    int treeWidth_;

    std::unique_ptr<ControlPanel> Panel1;
    HWND Label1 = nullptr;
    HWND ebSearch = nullptr;
    HWND rbThisDisc = nullptr;
    HWND rbAllDiscs = nullptr;
    HWND btSearch = nullptr;
    HWND cbShowAll = nullptr;
    HWND Tree = nullptr;
    std::unique_ptr<Splitter> Splitter1;
    HWND List = nullptr;
    HWND StatusBar1 = nullptr;
};

} // namespace dv::win32
