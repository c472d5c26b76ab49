#include "win32/filesearch/ControlPanel.h"

namespace dv::win32 {

ControlPanel::ControlPanel(HWND parent, int height, ResourcePicture picture, Placement placement)
    : picture_(std::move(picture)), placement_(std::move(placement)) {
    RECT client{};
    GetClientRect(parent, &client);
    create({L"DatavindControlPanel", 0, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))},
           WS_EX_CONTROLPARENT, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, L"",
           {0, 0, client.right, height}, parent);
}

RECT ControlPanel::pictureBounds() const {
    if (picture_.empty())
        return {};
    RECT client{};
    GetClientRect(hwnd(), &client);
    return placement_(static_cast<int>(client.right), {picture_.width(), picture_.height()});
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
