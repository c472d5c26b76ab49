#include "win32/filesearch/TFileSearchForm.h"

#include "win32/support/ChildControl.h"
#include "win32/support/UiFont.h"
#include "win32/support/Utf16.h"
#include "win32/support/Win32TextMeasure.h"
#include "win32/support/WindowPlacement.h"

#include <algorithm>

namespace dv::win32 {

namespace {

using Model = FileSearchWindowModel;

constexpr DWORD kStyle =
    (WS_OVERLAPPEDWINDOW & ~WS_MAXIMIZEBOX & ~WS_MINIMIZEBOX) | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT;
// The tree's image list: the model's pictures, at their enum's values.
constexpr Model::Picture kImages[] = {Model::Picture::FolderOpen, Model::Picture::FolderClosed};
static_assert(static_cast<int>(Model::Picture::FolderOpen) == 0 &&
              static_cast<int>(Model::Picture::FolderClosed) == 1);
constexpr int kSearchButton = 1;
constexpr int kShowAll = 2;
constexpr int kTree = 3;

HTREEITEM addNode(HWND tree, HTREEITEM parent, std::string_view text, int depth, LPARAM data) {
    const Model::NodePictures pictures = Model::picturesAt(depth);
    const int image = static_cast<int>(pictures.normal);
    const int selectedImage = static_cast<int>(pictures.selected);
    std::wstring wide = widen(text);
    TVINSERTSTRUCTW item{};
    item.hParent = parent;
    item.hInsertAfter = TVI_LAST;
    item.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    item.item.pszText = wide.data();
    item.item.iImage = image;
    item.item.iSelectedImage = selectedImage;
    item.item.lParam = data;
    return reinterpret_cast<HTREEITEM>(
        SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

std::string textOf(HWND control) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return narrow(text);
}

} // namespace

TFileSearchForm::TFileSearchForm(const std::string& discRoot, MessageBoxes& boxes)
    : search_(discRoot, boxes, hourglass_), layout_(Model::layout(Win32TextMeasure(uiFont()))),
      treeWidth_(scale_.toPhysical(layout_.treeWidth)) {
    create({L"TFileSearchForm", 0, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))}, kExStyle,
           kStyle, widen(Model::kCaption),
           centredOnScreen(kStyle, kExStyle, layout_.clientWidth, layout_.clientHeight), nullptr);
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
    model_.emplace(search_.currentDiscKnown());
    SendMessageW(model_->allDiscsAtStart() ? rbAllDiscs : rbThisDisc, BM_SETCHECK, BST_CHECKED, 0);
    showEnabled();
    lastFocus_ = ebSearch;
    layOut();
}

void TFileSearchForm::createControls() {
    const int side = scale_.toPhysical(16);
    images_ = ImageList_Create(side, side, ILC_COLOR32, 2, 0);
    for (const Model::Picture image : kImages) {
        const ResourcePicture picture(widen(Model::pictureName(image)), scale_.picturePercent());
        ImageList_Add(images_, picture.handle(), nullptr);
    }

    const FileSearchWindowLayout& l = layout_;
    // The model places the picture in logical units; the panel and the
    // picture are in the display's pixels.
    Panel1 = std::make_unique<ControlPanel>(
        hwnd(), scale_.toPhysical(l.panelHeight),
        ResourcePicture(widen(Model::kPicture), scale_.picturePercent()),
        [this](int width, SIZE picture) {
            return toRect(
                Model::pictureBounds(layout_, scale_.toLogical(width),
                                     {scale_.toLogical(picture.cx), scale_.toLogical(picture.cy)}));
        });
    const HWND panel = Panel1->hwnd();
    // In tab order.
    Label1 = createChildControl(panel, L"STATIC", Model::kPrompt, SS_LEFT | SS_NOPREFIX,
                                toRect(l.Label1));
    ebSearch = createChildControl(panel, L"EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP,
                                  toRect(l.ebSearch), 0, WS_EX_CLIENTEDGE);
    rbThisDisc =
        createChildControl(panel, L"BUTTON", Model::kThisDisc,
                           BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP, toRect(l.rbThisDisc));
    rbAllDiscs = createChildControl(panel, L"BUTTON", Model::kAllDiscs, BS_AUTORADIOBUTTON,
                                    toRect(l.rbAllDiscs));
    btSearch =
        createChildControl(panel, L"BUTTON", Model::kSearch, BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP,
                           toRect(l.btSearch), kSearchButton);
    cbShowAll =
        createChildControl(panel, L"BUTTON", Model::kShowAll,
                           BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, toRect(l.cbShowAll), kShowAll);

    Tree = createChildControl(hwnd(), WC_TREEVIEWW, "",
                              TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS |
                                  WS_TABSTOP | WS_GROUP,
                              {0, 0, treeWidth_, 10}, kTree, WS_EX_CLIENTEDGE);
    SendMessageW(Tree, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images_));
    Splitter1 = std::make_unique<Splitter>(hwnd(), [this](int left) {
        treeWidth_ = left;
        layOut();
    });
    List =
        createChildControl(hwnd(), L"LISTBOX", "",
                           LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP,
                           {0, 0, 10, 10}, 0, WS_EX_CLIENTEDGE);
    StatusBar1 = createChildControl(hwnd(), STATUSCLASSNAMEW, "", SBARS_SIZEGRIP, {0, 0, 0, 0});
}

void TFileSearchForm::layOut() {
    RECT client{};
    GetClientRect(hwnd(), &client);
    SendMessageW(StatusBar1, WM_SIZE, 0, 0);
    RECT status{};
    GetWindowRect(StatusBar1, &status);
    const int bottom = client.bottom - (status.bottom - status.top);
    const int panelHeight = scale_.toPhysical(layout_.panelHeight);
    const int height = std::max(0, bottom - panelHeight);
    treeWidth_ = Splitter::allowedLeft(treeWidth_, client.right);
    const int listLeft = treeWidth_ + Splitter::kWidth;
    SetWindowPos(Panel1->hwnd(), nullptr, 0, 0, client.right, panelHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(Tree, nullptr, 0, panelHeight, treeWidth_, height, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(Splitter1->hwnd(), nullptr, treeWidth_, panelHeight, Splitter::kWidth, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(List, nullptr, listLeft, panelHeight,
                 std::max(0, static_cast<int>(client.right) - listLeft), height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void TFileSearchForm::showModeless() {
    ShowWindow(hwnd(), SW_SHOWNORMAL);
    SetForegroundWindow(hwnd());
}

HWND TFileSearchForm::control(std::string_view name) const {
    const std::pair<std::string_view, HWND> controls[] = {
        {"Panel1", Panel1->hwnd()},       {"Label1", Label1},
        {"ebSearch", ebSearch},           {"rbThisDisc", rbThisDisc},
        {"rbAllDiscs", rbAllDiscs},       {"btSearch", btSearch},
        {"cbShowAll", cbShowAll},         {"Tree", Tree},
        {"Splitter1", Splitter1->hwnd()}, {"List", List},
        {"StatusBar1", StatusBar1}};
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

void TFileSearchForm::showEnabled() {
    const Model::Controls enabled = model_->enabled();
    EnableWindow(ebSearch, enabled.ebSearch);
    EnableWindow(btSearch, enabled.btSearch);
    EnableWindow(rbThisDisc, enabled.rbThisDisc);
    EnableWindow(rbAllDiscs, enabled.rbAllDiscs);
}

void TFileSearchForm::Action1Execute() {
    const bool searchAll = model_->showAllToggled(checked(cbShowAll));
    showEnabled();
    if (searchAll)
        search({});
}

void TFileSearchForm::search(const std::string& text) {
    Model::search(search_, hourglass_, text, checked(rbAllDiscs),
                  [this](const SearchTree&) { showTree(); });
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
        const HTREEITEM root = addNode(Tree, TVI_ROOT, SearchTree::kRootName, 0, -1);
        for (std::size_t d = 0; d < tree.discs.size(); ++d) {
            const HTREEITEM disc = addNode(Tree, root, tree.discs[d].name, 1, -1);
            for (std::size_t p = 0; p < tree.discs[d].programs.size(); ++p) {
                addNode(Tree, disc, tree.discs[d].programs[p].name, 2,
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
        RECT frame{0, 0, scale_.toPhysical(layout_.minimumWidth),
                   scale_.toPhysical(layout_.minimumHeight)};
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
    if (message.message == WM_KEYDOWN) {
        const Model::Key key = message.wParam == VK_RETURN   ? Model::Key::Enter
                               : message.wParam == VK_ESCAPE ? Model::Key::Escape
                                                             : Model::Key::Other;
        switch (Model::onKey(key, message.hwnd == form_.ebSearch)) {
        case Model::KeyAction::Search:
            form_.btSearchClick();
            return true;
        case Model::KeyAction::Hide:
            ShowWindow(form, SW_HIDE);
            return true;
        case Model::KeyAction::None:
            break;
        }
    }
    return IsDialogMessageW(form, &message);
}

} // namespace dv::win32
