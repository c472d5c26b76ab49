// "Filsökaren" on the sample disc's program list, driven by messages.

#include "filesearch/TFileSearchForm.h"

#include "RecordingPorts.h"
#include "Win32MessagePump.h"
#include "support/Utf16.h"

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

bool checked(HWND button) { return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

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
    auto item = reinterpret_cast<HTREEITEM>(
        SendMessageW(tree, TVM_GETNEXTITEM, parent ? TVGN_CHILD : TVGN_ROOT, reinterpret_cast<LPARAM>(parent)));
    while (item) {
        nodes.push_back(nodeOf(tree, item));
        item = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)));
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
    return SendMessageW(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_EXPANDED) & TVIS_EXPANDED;
}

std::vector<std::string> listed(HWND list) {
    std::vector<std::string> lines;
    const auto count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring line(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0)), L'\0');
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(line.data()));
        lines.push_back(narrow(line));
    }
    return lines;
}

// A key as the reader types it: into the thread's queue, through the
// program's message loop and its filters.
void press(HWND target, WPARAM key) {
    PostMessageW(target, WM_KEYDOWN, key, 1);
    PostMessageW(target, WM_KEYUP, key, 0xC0000001);
    test::pumpFor(100ms);
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
    void clickSearch() {
        SendMessageW(c("btSearch"), BM_CLICK, 0, 0);
        test::pumpFor(50ms);
    }
    std::vector<Node> top() const { return childrenOf(c("Tree"), nullptr); }
};

TEST_F(TFileSearchFormTest, WindowAndControls) {
    EXPECT_EQ(textOf(form->hwnd()), "Filsökaren");
    EXPECT_FALSE(IsWindowVisible(form->hwnd())); // created, not shown
    EXPECT_TRUE(GetWindowLongW(form->hwnd(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(GetWindowLongW(form->hwnd(), GWL_STYLE) & WS_THICKFRAME);
    RECT client{};
    GetClientRect(form->hwnd(), &client);
    EXPECT_EQ(client.right, 498);
    EXPECT_EQ(client.bottom, 379);
    RECT window{};
    GetWindowRect(form->hwnd(), &window);
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    EXPECT_NEAR((window.left + window.right) / 2, (area.left + area.right) / 2, 1);
    EXPECT_NEAR((window.top + window.bottom) / 2, (area.top + area.bottom) / 2, 1);

    const RECT panel = placeOf(c("Panel1"));
    EXPECT_EQ(panel.left, 0);
    EXPECT_EQ(panel.top, 0);
    EXPECT_EQ(panel.right, 498);
    EXPECT_EQ(panel.bottom, 97);
    struct Place {
        const char* name;
        int x, y, width, height; // 0: as the text needs
        const char* text;
    };
    const Place places[] = {
        {"Label1", 8, 8, 0, 0, "Skriv in den text du vill söka efter:"},
        {"ebSearch", 8, 24, 185, 0, ""},
        {"rbThisDisc", 200, 25, 0, 0, "Denna skiva"},
        {"rbAllDiscs", 200, 41, 0, 0, "Alla skivor"},
        {"btSearch", 8, 48, 73, 23, "Sök"},
        {"cbShowAll", 200, 64, 0, 0, "Sök inte, visa alla filer"},
    };
    for (const Place& p : places) {
        EXPECT_EQ(GetParent(c(p.name)), c("Panel1")) << p.name;
        const RECT r = placeOf(c(p.name));
        EXPECT_EQ(r.left, p.x) << p.name;
        EXPECT_EQ(r.top, p.y) << p.name;
        if (p.width) {
            EXPECT_EQ(r.right - r.left, p.width) << p.name;
        }
        if (p.height) {
            EXPECT_EQ(r.bottom - r.top, p.height) << p.name;
        }
        EXPECT_EQ(textOf(c(p.name)), p.text) << p.name;
    }
    EXPECT_TRUE(checked(c("rbThisDisc")));
    EXPECT_TRUE(IsWindowEnabled(c("rbThisDisc")));
    EXPECT_FALSE(checked(c("rbAllDiscs")));
    EXPECT_FALSE(checked(c("cbShowAll")));

    // Tree left, 185 wide, the splitter, the list filling the rest, the
    // status bar at the bottom.
    const RECT status = placeOf(c("StatusBar1"));
    EXPECT_EQ(status.bottom, 379);
    EXPECT_EQ(status.left, 0);
    EXPECT_EQ(status.right, 498);
    const RECT tree = placeOf(c("Tree"));
    EXPECT_EQ(tree.left, 0);
    EXPECT_EQ(tree.top, 97);
    EXPECT_EQ(tree.right, 185);
    EXPECT_EQ(tree.bottom, status.top);
    const RECT splitter = placeOf(c("Splitter1"));
    EXPECT_EQ(splitter.left, 185);
    const RECT list = placeOf(c("List"));
    EXPECT_EQ(list.left, splitter.right);
    EXPECT_EQ(list.right, 498);
    EXPECT_EQ(list.top, 97);
    EXPECT_EQ(list.bottom, status.top);
    EXPECT_FALSE(GetWindowLongW(c("Tree"), GWL_STYLE) & TVS_EDITLABELS); // read-only

    // Four 16 x 16 pictures for the tree.
    const auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(c("Tree"), TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
    EXPECT_EQ(ImageList_GetImageCount(images), 4);
    int width = 0;
    int height = 0;
    ImageList_GetIconSize(images, &width, &height);
    EXPECT_EQ(width, 16);
    EXPECT_EQ(height, 16);
}

TEST_F(TFileSearchFormTest, NeverSmallerThan390By200) {
    MINMAXINFO info{};
    SendMessageW(form->hwnd(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    RECT frame{0, 0, 390, 200};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(form->hwnd(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(form->hwnd(), GWL_EXSTYLE)));
    EXPECT_EQ(info.ptMinTrackSize.x, frame.right - frame.left);
    EXPECT_EQ(info.ptMinTrackSize.y, frame.bottom - frame.top);
}

TEST_F(TFileSearchFormTest, ShownWithTheFocusInTheSearchBox) {
    form->showModeless();
    test::pumpFor(200ms);
    EXPECT_TRUE(IsWindowVisible(form->hwnd()));
    EXPECT_EQ(GetFocus(), c("ebSearch"));
}

TEST_F(TFileSearchFormTest, EnterRunsTheSameSearchAsTheButton) {
    form->showModeless();
    test::pumpFor(100ms);
    type("läsmig");
    SetFocus(c("ebSearch"));
    press(c("ebSearch"), VK_RETURN);
    std::vector<Node> roots = top();
    ASSERT_EQ(roots.size(), 1u);
    EXPECT_EQ(roots[0].text, "Datavind");
    const std::vector<Node> discs = childrenOf(c("Tree"), roots[0].item);
    ASSERT_EQ(namesOf(discs), std::vector<std::string>{"Datavind 12/2004"});
    const std::vector<std::string> byEnter = namesOf(childrenOf(c("Tree"), discs[0].item));
    EXPECT_EQ(byEnter, (std::vector<std::string>{"Snöbollskriget 2", "Tomtens verkstad", "Diskrensaren"}));
    EXPECT_TRUE(expanded(c("Tree"), roots[0].item));
    EXPECT_FALSE(expanded(c("Tree"), discs[0].item));
    EXPECT_EQ(textOf(c("ebSearch")), "läsmig"); // Enter is not typed into the box

    clickSearch();
    roots = top();
    ASSERT_EQ(roots.size(), 1u);
    EXPECT_EQ(namesOf(childrenOf(c("Tree"), childrenOf(c("Tree"), roots[0].item).at(0).item)), byEnter);
}

TEST_F(TFileSearchFormTest, ThisDiscAndAllDiscs) {
    type("setup");
    clickSearch();
    ASSERT_EQ(top().size(), 1u);
    EXPECT_EQ(namesOf(childrenOf(c("Tree"), top()[0].item)), std::vector<std::string>{"Datavind 12/2004"});
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
    // Folders show closed, and open while selected; the root is open.
    EXPECT_EQ(root.image, 0);
    EXPECT_EQ(disc.image, 1);
    EXPECT_EQ(disc.selectedImage, 0);
    EXPECT_EQ(program.image, 1);
    EXPECT_EQ(program.selectedImage, 0);
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

TEST_F(TFileSearchFormTest, ShowAllDisablesTheSearchAndListsEverything) {
    SendMessageW(c("rbAllDiscs"), BM_CLICK, 0, 0);
    SendMessageW(c("cbShowAll"), BM_CLICK, 0, 0);
    for (const char* name : {"ebSearch", "btSearch", "rbThisDisc", "rbAllDiscs"})
        EXPECT_FALSE(IsWindowEnabled(c(name))) << name;
    ASSERT_EQ(top().size(), 1u);
    EXPECT_EQ(childrenOf(c("Tree"), top()[0].item).size(), 12u); // every disc
    SendMessageW(c("cbShowAll"), BM_CLICK, 0, 0);
    for (const char* name : {"ebSearch", "btSearch", "rbThisDisc", "rbAllDiscs"})
        EXPECT_TRUE(IsWindowEnabled(c(name))) << name;
    EXPECT_EQ(childrenOf(c("Tree"), top()[0].item).size(), 12u); // results left as they are
}

TEST_F(TFileSearchFormTest, NoHitsLeaveAnEmptyTree) {
    type("setup");
    clickSearch();
    ASSERT_FALSE(top().empty());
    type("finns inte någonstans");
    clickSearch();
    EXPECT_TRUE(top().empty());
}

TEST_F(TFileSearchFormTest, EscapeHidesAndResultsStay) {
    form->showModeless();
    test::pumpFor(100ms);
    type("setup");
    clickSearch();
    SetFocus(c("Tree"));
    press(c("Tree"), VK_ESCAPE);
    EXPECT_FALSE(IsWindowVisible(form->hwnd()));
    form->showModeless();
    test::pumpFor(100ms);
    EXPECT_EQ(top().size(), 1u);
    EXPECT_EQ(textOf(c("ebSearch")), "setup");
    SendMessageW(form->hwnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindowVisible(form->hwnd())); // closing only hides
    EXPECT_TRUE(IsWindow(form->hwnd()));
}

TEST_F(TFileSearchFormTest, TabOrder) {
    form->showModeless();
    test::pumpFor(100ms);
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
    EXPECT_EQ(GetClassLongPtrW(splitter, GCLP_HCURSOR), reinterpret_cast<LONG_PTR>(LoadCursorW(nullptr, IDC_SIZEWE)));
}

TEST_F(TFileSearchFormTest, ResizingKeepsTheLayout) {
    RECT window{};
    GetWindowRect(form->hwnd(), &window);
    SetWindowPos(form->hwnd(), nullptr, 0, 0, window.right - window.left + 100, window.bottom - window.top + 50,
                 SWP_NOMOVE | SWP_NOZORDER);
    RECT client{};
    GetClientRect(form->hwnd(), &client);
    EXPECT_EQ(placeOf(c("Panel1")).right, client.right);
    EXPECT_EQ(placeOf(c("Panel1")).bottom, 97);
    EXPECT_EQ(placeOf(c("Tree")).right, 185);
    EXPECT_EQ(placeOf(c("List")).right, client.right);
    EXPECT_EQ(placeOf(c("StatusBar1")).bottom, client.bottom);
    EXPECT_EQ(placeOf(c("List")).bottom, placeOf(c("StatusBar1")).top);
}

TEST_F(TFileSearchFormTest, UnknownCurrentDiscKeepsDennaSkivaOff) {
    const std::filesystem::path disc = std::filesystem::temp_directory_path() / "datavind-filsok-test";
    std::filesystem::create_directories(disc / "filsok");
    std::filesystem::copy_file(std::filesystem::path(sampleDisc()) / "filsok" / "proglist.txt",
                               disc / "filsok" / "proglist.txt", std::filesystem::copy_options::overwrite_existing);
    {
        TFileSearchForm other(disc.string() + "\\", boxes);
        EXPECT_FALSE(IsWindowEnabled(other.control("rbThisDisc")));
        EXPECT_TRUE(checked(other.control("rbAllDiscs")));
        SendMessageW(other.control("cbShowAll"), BM_CLICK, 0, 0);
        SendMessageW(other.control("cbShowAll"), BM_CLICK, 0, 0);
        EXPECT_FALSE(IsWindowEnabled(other.control("rbThisDisc")));
        EXPECT_TRUE(IsWindowEnabled(other.control("rbAllDiscs")));
    }
    std::filesystem::remove_all(disc);
}

// The hourglass is gone before the box and after the search.
TEST_F(TFileSearchFormTest, MissingListShowsTheMessageWithoutTheHourglass) {
    const std::filesystem::path disc = std::filesystem::temp_directory_path() / "datavind-filsok-empty";
    std::filesystem::create_directories(disc);
    TFileSearchForm other(disc.string() + "\\", boxes);
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
