// "Filsökaren" on the sample disc's program list, driven by messages.

#include "win32/filesearch/TFileSearchForm.h"

#include "RecordingPorts.h"
#include "Win32MessagePump.h"
#include "win32/support/UiFont.h"
#include "win32/support/Utf16.h"
#include "win32/support/Win32TextMeasure.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace dv::win32 {
namespace {

using namespace std::chrono_literals;

// The sample disc as Wine sees it: the Unix root is drive Z:.
std::string sampleDisc() {
    std::string path = "Z:" DATAVIND_SAMPLE_DISC "/";
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

std::string textOf(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return narrow(text);
}

RECT placeOf(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool checked(HWND button) {
    return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// The tree view read back.
struct Node {
    HTREEITEM item;
    std::string text;
    int image;
    int selectedImage;
};

Node nodeOf(HWND tree, HTREEITEM item) {
    wchar_t text[256] = {};
    TVITEMW data{};
    data.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    data.hItem = item;
    data.pszText = text;
    data.cchTextMax = 256;
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&data));
    return {item, narrow(text), data.iImage, data.iSelectedImage};
}

std::vector<Node> childrenOf(HWND tree, HTREEITEM parent) {
    std::vector<Node> nodes;
    auto item = reinterpret_cast<HTREEITEM>(SendMessageW(
        tree, TVM_GETNEXTITEM, parent ? TVGN_CHILD : TVGN_ROOT, reinterpret_cast<LPARAM>(parent)));
    while (item) {
        nodes.push_back(nodeOf(tree, item));
        item = reinterpret_cast<HTREEITEM>(
            SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)));
    }
    return nodes;
}

std::vector<std::string> namesOf(const std::vector<Node>& nodes) {
    std::vector<std::string> names;
    for (const Node& n : nodes)
        names.push_back(n.text);
    return names;
}

bool expanded(HWND tree, HTREEITEM item) {
    return SendMessageW(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_EXPANDED) &
           TVIS_EXPANDED;
}

std::vector<std::string> listed(HWND list) {
    std::vector<std::string> lines;
    const auto count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring line(
            static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0)),
            L'\0');
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(line.data()));
        lines.push_back(narrow(line));
    }
    return lines;
}

// A key as the reader types it: into the thread's queue, through the
// program's message loop and its filters, handled before this returns.
void press(HWND target, WPARAM key) {
    PostMessageW(target, WM_KEYDOWN, key, 1);
    PostMessageW(target, WM_KEYUP, key, 0xC0000001);
    MessageLoop::instance().processPending();
}

void select(HWND tree, HTREEITEM item) {
    SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
}

// Message boxes that note the cursor they were shown under.
class CursorNotingBoxes : public test::FakeMessageBoxes {
  public:
    MessageAnswer show(const MessageBoxRequest& request) override {
        cursors.push_back(GetCursor());
        return FakeMessageBoxes::show(request);
    }
    std::vector<HCURSOR> cursors;
};

class TFileSearchFormTest : public ::testing::Test {
  protected:
    CursorNotingBoxes boxes;
    std::unique_ptr<TFileSearchForm> form = std::make_unique<TFileSearchForm>(sampleDisc(), boxes);

    HWND c(const char* name) const { return form->control(name); }
    void type(const std::string& text) { SetWindowTextW(c("ebSearch"), widen(text).c_str()); }
    void clickSearch() { SendMessageW(c("btSearch"), BM_CLICK, 0, 0); }
    // Shown, and the search box has the focus back.
    void show() {
        form->showModeless();
        ASSERT_TRUE(test::pumpUntil(
            [&] { return IsWindowVisible(form->hwnd()) && GetFocus() != nullptr; }, 5s));
    }
    std::vector<Node> top() const { return childrenOf(c("Tree"), nullptr); }
};

// The places, texts, enabled controls, keys, tree pictures and the hourglass
// are the core's (its tables hold the cases); the window shows them and
// wires its controls to them.
TEST_F(TFileSearchFormTest, DrawsAndWiresTheModel) {
    using Model = FileSearchWindowModel;
    const FileSearchWindowLayout l = Model::layout(Win32TextMeasure(uiFont()));
    EXPECT_EQ(textOf(form->hwnd()), Model::kCaption);
    EXPECT_FALSE(IsWindowVisible(form->hwnd())); // created, not shown
    EXPECT_TRUE(GetWindowLongW(form->hwnd(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(GetWindowLongW(form->hwnd(), GWL_STYLE) & WS_THICKFRAME);
    RECT client{};
    GetClientRect(form->hwnd(), &client);
    EXPECT_EQ(client.right, l.clientWidth);
    EXPECT_EQ(client.bottom, l.clientHeight);
    RECT window{};
    GetWindowRect(form->hwnd(), &window);
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    EXPECT_NEAR((window.left + window.right) / 2, (area.left + area.right) / 2, 1);
    EXPECT_NEAR((window.top + window.bottom) / 2, (area.top + area.bottom) / 2, 1);
    MINMAXINFO info{};
    SendMessageW(form->hwnd(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    RECT frame{0, 0, l.minimumWidth, l.minimumHeight};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(form->hwnd(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(form->hwnd(), GWL_EXSTYLE)));
    EXPECT_EQ(info.ptMinTrackSize.x, frame.right - frame.left);
    EXPECT_EQ(info.ptMinTrackSize.y, frame.bottom - frame.top);

    const RECT panel = placeOf(c("Panel1"));
    EXPECT_EQ(panel.right, l.clientWidth);
    EXPECT_EQ(panel.bottom, l.panelHeight);
    struct Place {
        const char* name;
        Rect place;
        const char* text;
    };
    const Place places[] = {
        {"Label1", l.Label1, Model::kPrompt},
        {"ebSearch", l.ebSearch, ""},
        {"rbThisDisc", l.rbThisDisc, Model::kThisDisc},
        {"rbAllDiscs", l.rbAllDiscs, Model::kAllDiscs},
        {"btSearch", l.btSearch, Model::kSearch},
        {"cbShowAll", l.cbShowAll, Model::kShowAll},
    };
    for (const Place& p : places) {
        EXPECT_EQ(GetParent(c(p.name)), c("Panel1")) << p.name;
        const RECT r = placeOf(c(p.name));
        const RECT expected = toRect(p.place);
        EXPECT_EQ(r.left, expected.left) << p.name;
        EXPECT_EQ(r.top, expected.top) << p.name;
        EXPECT_EQ(r.right, expected.right) << p.name;
        EXPECT_EQ(r.bottom, expected.bottom) << p.name;
        EXPECT_EQ(textOf(c(p.name)), p.text) << p.name;
    }
    EXPECT_TRUE(checked(c("rbThisDisc")));
    EXPECT_FALSE(checked(c("cbShowAll")));
    const RECT tree = placeOf(c("Tree"));
    EXPECT_EQ(tree.top, l.panelHeight);
    EXPECT_EQ(tree.right, l.treeWidth);
    EXPECT_FALSE(GetWindowLongW(c("Tree"), GWL_STYLE) & TVS_EDITLABELS); // read-only
    const auto images =
        reinterpret_cast<HIMAGELIST>(SendMessageW(c("Tree"), TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
    EXPECT_EQ(ImageList_GetImageCount(images), 2);

    // Enter in the search box searches, as the button does.
    show();
    type("läsmig");
    SetFocus(c("ebSearch"));
    press(c("ebSearch"), VK_RETURN);
    std::vector<Node> roots = top();
    ASSERT_EQ(roots.size(), 1u);
    EXPECT_EQ(roots[0].text, "Datavind");
    EXPECT_TRUE(expanded(c("Tree"), roots[0].item));
    const std::vector<Node> discs = childrenOf(c("Tree"), roots[0].item);
    ASSERT_EQ(namesOf(discs), std::vector<std::string>{"Datavind 12/2004"});
    const std::vector<Node> programs = childrenOf(c("Tree"), discs[0].item);
    EXPECT_EQ(namesOf(programs),
              (std::vector<std::string>{"Snöbollskriget 2", "Tomtens verkstad", "Diskrensaren"}));
    EXPECT_FALSE(expanded(c("Tree"), discs[0].item));
    EXPECT_EQ(textOf(c("ebSearch")), "läsmig"); // Enter is not typed into the box
    // The tree wears the model's pictures.
    const Node nodes[] = {roots[0], discs[0], programs.at(0)};
    for (int depth = 0; depth < 3; ++depth) {
        EXPECT_EQ(nodes[depth].image, static_cast<int>(Model::picturesAt(depth).normal)) << depth;
        EXPECT_EQ(nodes[depth].selectedImage, static_cast<int>(Model::picturesAt(depth).selected))
            << depth;
    }

    // "Sök inte, visa alla filer" enables and disables as the model says, and lists every disc.
    SendMessageW(c("rbAllDiscs"), BM_CLICK, 0, 0);
    Model model(true);
    for (const bool on : {true, false}) {
        SendMessageW(c("cbShowAll"), BM_CLICK, 0, 0);
        model.showAllToggled(on);
        const Model::Controls enabled = model.enabled();
        EXPECT_EQ(IsWindowEnabled(c("ebSearch")) != FALSE, enabled.ebSearch) << on;
        EXPECT_EQ(IsWindowEnabled(c("btSearch")) != FALSE, enabled.btSearch) << on;
        EXPECT_EQ(IsWindowEnabled(c("rbThisDisc")) != FALSE, enabled.rbThisDisc) << on;
        EXPECT_EQ(IsWindowEnabled(c("rbAllDiscs")) != FALSE, enabled.rbAllDiscs) << on;
        ASSERT_EQ(top().size(), 1u);
        EXPECT_EQ(childrenOf(c("Tree"), top()[0].item).size(),
                  12u); // every disc; turned off, left as it is
    }

    // Esc hides it; the results stay for the next showing; closing only hides.
    SetFocus(c("Tree"));
    press(c("Tree"), VK_ESCAPE);
    EXPECT_FALSE(IsWindowVisible(form->hwnd()));
    show();
    EXPECT_EQ(top().size(), 1u);
    EXPECT_EQ(textOf(c("ebSearch")), "läsmig");
    SendMessageW(form->hwnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindowVisible(form->hwnd()));
    EXPECT_TRUE(IsWindow(form->hwnd()));
}

TEST_F(TFileSearchFormTest, ShownWithTheFocusInTheSearchBox) {
    show();
    EXPECT_EQ(GetFocus(), c("ebSearch"));
}

TEST_F(TFileSearchFormTest, ThisDiscAndAllDiscs) {
    type("setup");
    clickSearch();
    ASSERT_EQ(top().size(), 1u);
    EXPECT_EQ(namesOf(childrenOf(c("Tree"), top()[0].item)),
              std::vector<std::string>{"Datavind 12/2004"});
    SendMessageW(c("rbAllDiscs"), BM_CLICK, 0, 0);
    clickSearch();
    ASSERT_EQ(top().size(), 1u);
    const std::vector<Node> discs = childrenOf(c("Tree"), top()[0].item);
    EXPECT_GT(discs.size(), 1u);
    EXPECT_EQ(discs.front().text, "Datavind 1/2004");
}

TEST_F(TFileSearchFormTest, SelectingNodesFillsTheList) {
    type("SNOBOLL");
    clickSearch();
    const Node root = top().at(0);
    const Node disc = childrenOf(c("Tree"), root.item).at(0);
    const Node program = childrenOf(c("Tree"), disc.item).at(0);
    select(c("Tree"), program.item);
    const std::vector<std::string> files = listed(c("List"));
    ASSERT_EQ(files.size(), 4u);
    EXPECT_EQ(files[0], "NOJE\\SNOBOLL\\SETUP.EXE");
    EXPECT_EQ(files[1], "NOJE\\SNOBOLL\\LÄSMIG.TXT");
    select(c("Tree"), disc.item);
    EXPECT_TRUE(listed(c("List")).empty());
    select(c("Tree"), program.item);
    select(c("Tree"), root.item);
    EXPECT_TRUE(listed(c("List")).empty());
}

// The nodes of the last search go with the new one: nothing of them stays
// selected or listed.
TEST_F(TFileSearchFormTest, ANewSearchStartsWithNothingSelected) {
    SendMessageW(c("rbAllDiscs"), BM_CLICK, 0, 0);
    type("");
    clickSearch();
    const Node disc = childrenOf(c("Tree"), top().at(0).item).back();
    select(c("Tree"), childrenOf(c("Tree"), disc.item).back().item);
    ASSERT_FALSE(listed(c("List")).empty());
    type("SNOBOLL");
    clickSearch();
    EXPECT_TRUE(listed(c("List")).empty());
    EXPECT_EQ(SendMessageW(c("Tree"), TVM_GETNEXTITEM, TVGN_CARET, 0), 0);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(TFileSearchFormTest, NoHitsLeaveAnEmptyTree) {
    type("setup");
    clickSearch();
    ASSERT_FALSE(top().empty());
    type("finns inte någonstans");
    clickSearch();
    EXPECT_TRUE(top().empty());
}

TEST_F(TFileSearchFormTest, TabOrder) {
    show();
    SetFocus(c("ebSearch"));
    std::vector<HWND> focus{GetFocus()};
    for (int i = 0; i < 6; ++i) {
        press(GetFocus(), VK_TAB);
        focus.push_back(GetFocus());
    }
    const std::vector<HWND> expected{c("ebSearch"), c("rbThisDisc"), c("btSearch"), c("cbShowAll"),
                                     c("Tree"),     c("List"),       c("ebSearch")};
    EXPECT_EQ(focus, expected);
}

TEST_F(TFileSearchFormTest, TheSplitterMovesTheBorderBetweenTreeAndList) {
    const HWND splitter = c("Splitter1");
    // The pointer at x of the window's client area, as the bar, wherever it
    // lies now, sees it.
    const auto at = [&](int x) {
        POINT p{x, 150};
        MapWindowPoints(form->hwnd(), splitter, &p, 1);
        return MAKELPARAM(p.x, p.y);
    };
    const auto drag = [&](int by) {
        const int from = placeOf(splitter).left + 1;
        SendMessageW(splitter, WM_LBUTTONDOWN, MK_LBUTTON, at(from));
        SendMessageW(splitter, WM_MOUSEMOVE, MK_LBUTTON, at(from + by / 2));
        SendMessageW(splitter, WM_MOUSEMOVE, MK_LBUTTON, at(from + by));
        SendMessageW(splitter, WM_LBUTTONUP, 0, at(from + by));
    };
    drag(50);
    EXPECT_EQ(placeOf(c("Tree")).right, 235);
    EXPECT_EQ(placeOf(splitter).left, 235);
    EXPECT_EQ(placeOf(c("List")).left, 238);
    EXPECT_EQ(placeOf(c("List")).right, 498);
    drag(1000); // never past the right edge's minimum
    EXPECT_EQ(placeOf(c("List")).right - placeOf(c("List")).left, 30);
    drag(-1000);
    EXPECT_EQ(placeOf(c("Tree")).right, 30);
    // The mouse over it says it moves sideways.
    EXPECT_EQ(GetClassLongPtrW(splitter, GCLP_HCURSOR),
              reinterpret_cast<LONG_PTR>(LoadCursorW(nullptr, IDC_SIZEWE)));
}

TEST_F(TFileSearchFormTest, ResizingKeepsTheLayout) {
    RECT window{};
    GetWindowRect(form->hwnd(), &window);
    SetWindowPos(form->hwnd(), nullptr, 0, 0, window.right - window.left + 100,
                 window.bottom - window.top + 50, SWP_NOMOVE | SWP_NOZORDER);
    RECT client{};
    GetClientRect(form->hwnd(), &client);
    EXPECT_EQ(placeOf(c("Panel1")).right, client.right);
    EXPECT_EQ(placeOf(c("Panel1")).bottom, 97);
    EXPECT_EQ(placeOf(c("Tree")).right, 185);
    EXPECT_EQ(placeOf(c("List")).right, client.right);
    EXPECT_EQ(placeOf(c("StatusBar1")).bottom, client.bottom);
    EXPECT_EQ(placeOf(c("List")).bottom, placeOf(c("StatusBar1")).top);
}

// Without a current disc the window starts as the model says; a list that
// cannot be read gives its box under the ordinary pointer, and the next
// search tries again.
TEST_F(TFileSearchFormTest, NoCurrentDiscAndNoList) {
    const std::filesystem::path disc =
        std::filesystem::temp_directory_path() / "datavind-filsok-empty";
    std::filesystem::create_directories(disc);
    TFileSearchForm other(disc.string() + "\\", boxes);
    const FileSearchWindowModel model(false);
    EXPECT_EQ(IsWindowEnabled(other.control("rbThisDisc")) != FALSE, model.enabled().rbThisDisc);
    EXPECT_EQ(checked(other.control("rbAllDiscs")), model.allDiscsAtStart());
    const HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    SetCursor(arrow);
    SendMessageW(other.control("btSearch"), BM_CLICK, 0, 0);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].caption, "Datavinds cd");
    EXPECT_EQ(boxes.shown[0].text, "Kunde inte ladda in programlistan! Kan därför inte söka.");
    EXPECT_EQ(boxes.cursors.at(0), arrow);
    EXPECT_EQ(GetCursor(), arrow);
    // The next search tries again.
    SendMessageW(other.control("btSearch"), BM_CLICK, 0, 0);
    EXPECT_EQ(boxes.shown.size(), 2u);
    std::filesystem::remove_all(disc);
}

// The busy pointer of the program: the hourglass at once, the pointer
// before it back when the outermost use ends.
TEST(Win32Hourglass, NestedUsesKeepTheOutermost) {
    const HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    const HCURSOR wait = LoadCursorW(nullptr, IDC_WAIT);
    SetCursor(arrow);
    Win32Hourglass hourglass;
    hourglass.showHourglass();
    EXPECT_EQ(GetCursor(), wait);
    hourglass.showHourglass();
    hourglass.restoreCursor();
    EXPECT_EQ(GetCursor(), wait);
    hourglass.restoreCursor();
    EXPECT_EQ(GetCursor(), arrow);
    hourglass.restoreCursor(); // one too many changes nothing
    EXPECT_EQ(GetCursor(), arrow);
}

} // namespace
} // namespace dv::win32
