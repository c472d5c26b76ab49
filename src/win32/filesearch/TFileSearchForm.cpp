#include "filesearch/TFileSearchForm.h"

#include "support/ChildControl.h"
#include "support/Utf16.h"
#include "support/WindowPlacement.h"

#include <algorithm>

namespace dv::win32 {

namespace {

constexpr DWORD kStyle = (WS_OVERLAPPEDWINDOW & ~WS_MAXIMIZEBOX & ~WS_MINIMIZEBOX) | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT;
constexpr int kPanelHeight = 97;
constexpr SIZE kMinimumClient{390, 200};
// Images of the tree's image list, in this order.
constexpr int kOpenFolder = 0;
constexpr int kClosedFolder = 1;
constexpr const wchar_t* kImages[] = {L"FolderOpen", L"FolderClosed", L"Computer", L"ProgramWindow"};
constexpr int kSearchButton = 1;
constexpr int kShowAll = 2;
constexpr int kTree = 3;

// A label, radio button or check box as wide as its text needs, plus `extra`.
void fitWidth(HWND control, int extra, int height) {
    SetWindowPos(control, nullptr, 0, 0, textExtent(control).cx + extra, height, SWP_NOMOVE | SWP_NOZORDER);
}

HTREEITEM addNode(HWND tree, HTREEITEM parent, std::string_view text, int image, int selectedImage, LPARAM data) {
    std::wstring wide = widen(text);
    TVINSERTSTRUCTW item{};
    item.hParent = parent;
    item.hInsertAfter = TVI_LAST;
    item.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    item.item.pszText = wide.data();
    item.item.iImage = image;
    item.item.iSelectedImage = selectedImage;
    item.item.lParam = data;
    return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

std::string textOf(HWND control) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return narrow(text);
}

} // namespace

TFileSearchForm::TFileSearchForm(const std::string& discRoot, MessageBoxes& boxes)
    : search_(discRoot, boxes, hourglass_) {
    create({L"TFileSearchForm", 0, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))}, kExStyle, kStyle,
           widen("Filsökaren"), centredOnScreen(kStyle, kExStyle, 498, 379), nullptr);
    FormCreate();
    MessageLoop::instance().addFilter(keys_);
}

TFileSearchForm::~TFileSearchForm() {
    MessageLoop::instance().removeFilter(keys_);
    if (images_)
        ImageList_Destroy(images_);
}

void TFileSearchForm::FormCreate() {
    createControls();
    search_.readCurrentDisc();
    if (!search_.currentDiscKnown()) {
        // Without a current disc "Denna skiva" would find nothing of use.
        EnableWindow(rbThisDisc, FALSE);
        SendMessageW(rbThisDisc, BM_SETCHECK, BST_UNCHECKED, 0);
        SendMessageW(rbAllDiscs, BM_SETCHECK, BST_CHECKED, 0);
    }
    lastFocus_ = ebSearch;
    layOut();
}

void TFileSearchForm::createControls() {
    const int side = scale_.toPhysical(16);
    images_ = ImageList_Create(side, side, ILC_COLOR32, 4, 0);
    for (const wchar_t* name : kImages) {
        const ResourcePicture picture(name, scale_.picturePercent());
        ImageList_Add(images_, picture.handle(), nullptr);
    }

    Panel1 = std::make_unique<ControlPanel>(hwnd(), kPanelHeight, ResourcePicture(L"Filsok", scale_.picturePercent()),
                                            scale_);
    const HWND panel = Panel1->hwnd();
    // In tab order.
    Label1 = createChildControl(panel, L"STATIC", "Skriv in den text du vill söka efter:", SS_LEFT | SS_NOPREFIX,
                                {8, 8, 8, 21});
    fitWidth(Label1, 0, 13);
    ebSearch = createChildControl(panel, L"EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP, {8, 24, 193, 45}, 0,
                                  WS_EX_CLIENTEDGE);
    rbThisDisc = createChildControl(panel, L"BUTTON", "Denna skiva", BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP,
                                    {200, 25, 200, 42});
    rbAllDiscs = createChildControl(panel, L"BUTTON", "Alla skivor", BS_AUTORADIOBUTTON, {200, 41, 200, 58});
    const int box = GetSystemMetrics(SM_CXMENUCHECK) + 8;
    fitWidth(rbThisDisc, box, 17);
    fitWidth(rbAllDiscs, box, 17);
    SendMessageW(rbThisDisc, BM_SETCHECK, BST_CHECKED, 0);
    btSearch = createChildControl(panel, L"BUTTON", "Sök", BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, {8, 48, 81, 71},
                                  kSearchButton);
    cbShowAll = createChildControl(panel, L"BUTTON", "Sök inte, visa alla filer",
                                   BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, {200, 64, 200, 81}, kShowAll);
    fitWidth(cbShowAll, box, 17);

    Tree =
        createChildControl(hwnd(), WC_TREEVIEWW, "",
                           TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS | WS_TABSTOP | WS_GROUP,
                           {0, kPanelHeight, treeWidth_, kPanelHeight + 10}, kTree, WS_EX_CLIENTEDGE);
    SendMessageW(Tree, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images_));
    Splitter1 = std::make_unique<Splitter>(hwnd(), [this](int left) {
        treeWidth_ = left;
        layOut();
    });
    List = createChildControl(hwnd(), L"LISTBOX", "",
                              LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP,
                              {0, kPanelHeight, 10, kPanelHeight + 10}, 0, WS_EX_CLIENTEDGE);
    StatusBar1 = createChildControl(hwnd(), STATUSCLASSNAMEW, "", SBARS_SIZEGRIP, {0, 0, 0, 0});
    scaleChildren(hwnd(), scale_);
}

void TFileSearchForm::layOut() {
    RECT client{};
    GetClientRect(hwnd(), &client);
    SendMessageW(StatusBar1, WM_SIZE, 0, 0);
    RECT status{};
    GetWindowRect(StatusBar1, &status);
    const int bottom = client.bottom - (status.bottom - status.top);
    const int panelHeight = scale_.toPhysical(kPanelHeight);
    const int height = std::max(0, bottom - panelHeight);
    treeWidth_ = Splitter::allowedLeft(treeWidth_, client.right);
    const int listLeft = treeWidth_ + Splitter::kWidth;
    SetWindowPos(Panel1->hwnd(), nullptr, 0, 0, client.right, panelHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(Tree, nullptr, 0, panelHeight, treeWidth_, height, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(Splitter1->hwnd(), nullptr, treeWidth_, panelHeight, Splitter::kWidth, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(List, nullptr, listLeft, panelHeight, std::max(0, static_cast<int>(client.right) - listLeft), height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void TFileSearchForm::showModeless() {
    ShowWindow(hwnd(), SW_SHOWNORMAL);
    SetForegroundWindow(hwnd());
}

HWND TFileSearchForm::control(std::string_view name) const {
    const std::pair<std::string_view, HWND> controls[] = {
        {"Panel1", Panel1->hwnd()},       {"Label1", Label1},     {"ebSearch", ebSearch},    {"rbThisDisc", rbThisDisc},
        {"rbAllDiscs", rbAllDiscs},       {"btSearch", btSearch}, {"cbShowAll", cbShowAll},  {"Tree", Tree},
        {"Splitter1", Splitter1->hwnd()}, {"List", List},         {"StatusBar1", StatusBar1}};
    for (const auto& [n, h] : controls)
        if (n == name)
            return h;
    return nullptr;
}

bool TFileSearchForm::checked(HWND button) const {
    return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TFileSearchForm::btSearchClick() {
    search(textOf(ebSearch));
}

void TFileSearchForm::Action1Execute() {
    const bool showAll = checked(cbShowAll);
    EnableWindow(ebSearch, !showAll);
    EnableWindow(btSearch, !showAll);
    EnableWindow(rbThisDisc, !showAll && search_.currentDiscKnown());
    EnableWindow(rbAllDiscs, !showAll);
    if (showAll)
        search({});
}

void TFileSearchForm::search(const std::string& text) {
    // The core shows the hourglass while it loads and searches.
    if (search_.DoSearch(text, checked(rbAllDiscs)) != FileSearch::Outcome::Searched)
        return;
    // Filling the tree belongs to the search: still busy.
    hourglass_.showHourglass();
    showTree();
    hourglass_.restoreCursor();
}

void TFileSearchForm::showTree() {
    SendMessageW(Tree, WM_SETREDRAW, FALSE, 0);
    // The nodes still in the tree belong to the last search, the tree the
    // core now holds to this one: forget the old nodes first, and select
    // none, so that the selection moving while they go (as Windows moves it
    // from node to node) finds nothing to list.
    programs_.clear();
    SendMessageW(Tree, TVM_SELECTITEM, TVGN_CARET, 0);
    SendMessageW(Tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    SendMessageW(List, LB_RESETCONTENT, 0, 0);
    const SearchTree& tree = search_.tree();
    if (!tree.empty()) { // no hits: not even the root
        const HTREEITEM root = addNode(Tree, TVI_ROOT, SearchTree::kRootName, kOpenFolder, kOpenFolder, -1);
        for (std::size_t d = 0; d < tree.discs.size(); ++d) {
            const HTREEITEM disc = addNode(Tree, root, tree.discs[d].name, kClosedFolder, kOpenFolder, -1);
            for (std::size_t p = 0; p < tree.discs[d].programs.size(); ++p) {
                addNode(Tree, disc, tree.discs[d].programs[p].name, kClosedFolder, kOpenFolder,
                        static_cast<LPARAM>(programs_.size()));
                programs_.emplace_back(d, p);
            }
        }
        SendMessageW(Tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root));
    }
    SendMessageW(Tree, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(Tree, nullptr, TRUE);
}

void TFileSearchForm::TreeChange(HTREEITEM node) {
    SendMessageW(List, LB_RESETCONTENT, 0, 0);
    if (!node || SendMessageW(Tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(node)))
        return;
    TVITEMW item{};
    item.mask = TVIF_PARAM;
    item.hItem = node;
    SendMessageW(Tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    if (item.lParam < 0 || static_cast<std::size_t>(item.lParam) >= programs_.size())
        return;
    const auto [d, p] = programs_[static_cast<std::size_t>(item.lParam)];
    const auto& entries = search_.tree().discs.at(d).programs.at(p).entries;
    SendMessageW(List, WM_SETREDRAW, FALSE, 0);
    for (const std::string_view entry : entries)
        SendMessageW(List, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(entry).c_str()));
    SendMessageW(List, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(List, nullptr, TRUE);
}

LRESULT TFileSearchForm::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        // Closing only hides it: the window lives until the program ends.
        ShowWindow(hwnd(), SW_HIDE);
        return 0;
    case WM_SIZE:
        layOut();
        return 0;
    case WM_GETMINMAXINFO: {
        RECT frame{0, 0, scale_.toPhysical(kMinimumClient.cx), scale_.toPhysical(kMinimumClient.cy)};
        AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize = {frame.right - frame.left, frame.bottom - frame.top};
        return 0;
    }
    case WM_ACTIVATE:
        // Back where the reader left off, as a dialog does.
        if (LOWORD(wParam) == WA_INACTIVE) {
            const HWND focus = GetFocus();
            if (focus && IsChild(hwnd(), focus))
                lastFocus_ = focus;
        } else if (lastFocus_ && IsWindowEnabled(lastFocus_)) {
            SetFocus(lastFocus_);
            return 0;
        }
        break;
    case WM_COMMAND:
        if (LOWORD(wParam) == kSearchButton && HIWORD(wParam) == BN_CLICKED)
            btSearchClick();
        else if (LOWORD(wParam) == kShowAll && HIWORD(wParam) == BN_CLICKED)
            Action1Execute();
        else if (LOWORD(wParam) == IDCANCEL)
            ShowWindow(hwnd(), SW_HIDE);
        return 0;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->hwndFrom == Tree && header->code == TVN_SELCHANGEDW)
            TreeChange(reinterpret_cast<const NMTREEVIEWW*>(lParam)->itemNew.hItem);
        return 0;
    }
    case WM_CTLCOLORSTATIC:
        // Labels, radio buttons and the check box on the white window.
        SetBkColor(reinterpret_cast<HDC>(wParam), RGB(255, 255, 255));
        return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    default:
        break;
    }
    return Window::onMessage(message, wParam, lParam);
}

bool TFileSearchForm::Keys::preTranslate(MSG& message) {
    const HWND form = form_.hwnd();
    if (!form || (message.hwnd != form && !IsChild(form, message.hwnd)))
        return false;
    if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE) {
        ShowWindow(form, SW_HIDE);
        return true;
    }
    if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN && message.hwnd == form_.ebSearch) {
        form_.btSearchClick();
        return true;
    }
    return IsDialogMessageW(form, &message);
}

} // namespace dv::win32
