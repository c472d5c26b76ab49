#include "filesearch/ControlPanel.h"

#include <algorithm>

namespace dv::win32 {

namespace {

// The gap between the picture and the panel's top and right edges.
constexpr int kMargin = 8;
// The picture never slides over the search controls on the left.
constexpr int kLeftmostPicture = 350;

} // namespace

ControlPanel::ControlPanel(HWND parent, int height, ResourcePicture picture, const DisplayScale& scale)
    : picture_(std::move(picture)), scale_(scale) {
    RECT client{};
    GetClientRect(parent, &client);
    create({L"DatavindControlPanel", 0, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))}, WS_EX_CONTROLPARENT,
           WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, L"", {0, 0, client.right, height}, parent);
}

RECT ControlPanel::pictureBounds() const {
    if (picture_.empty())
        return {};
    RECT client{};
    GetClientRect(hwnd(), &client);
    const int margin = scale_.toPhysical(kMargin);
    const int left =
        std::max(scale_.toPhysical(kLeftmostPicture), static_cast<int>(client.right) - margin - picture_.width());
    return {left, margin, left + picture_.width(), margin + picture_.height()};
}

LRESULT ControlPanel::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
        return SendMessageW(GetParent(hwnd()), message, wParam, lParam);
    case WM_SIZE:
        InvalidateRect(hwnd(), nullptr, TRUE); // the picture keeps to the right edge
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        const HDC dc = BeginPaint(hwnd(), &paint);
        const RECT at = pictureBounds();
        picture_.draw(dc, at.left, at.top);
        EndPaint(hwnd(), &paint);
        return 0;
    }
    default:
        return Window::onMessage(message, wParam, lParam);
    }
}

} // namespace dv::win32
