#include "win32/music/PlayerControls.h"

#include "core/music/PlayerLayout.h"
#include "core/music/PlayerMath.h"
#include "win32/support/UiFont.h"
#include "win32/support/Utf16.h"

#include <windowsx.h>

#include <algorithm>
#include <stdexcept>

namespace dv::win32 {

namespace {

namespace layout = player::layout;

RECT toRECT(const Rect& r) {
    return {r.left, r.top, r.left + r.width, r.top + r.height};
}
COLORREF toCOLORREF(const Rgb& c) {
    return RGB(c.red, c.green, c.blue);
}

RECT unite(const RECT& a, const RECT& b) {
    RECT both{};
    UnionRect(&both, &a, &b);
    return both;
}

// A transparent label: only its text is drawn, never a box.
struct Label {
    Rect bounds;
    Rgb colour;
    UINT alignment;

    void draw(HDC dc, const std::wstring& text, const DisplayScale& scale) const {
        RECT place = toRECT(scale.toPhysical(bounds));
        SetTextColor(dc, toCOLORREF(colour));
        // Text from the disc is plain text: no ampersand becomes an underline.
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &place,
                  alignment | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    }
};

constexpr Rgb kWhite{255, 255, 255};
// The shadows lie one pixel right of and below the white texts, under them.
constexpr Label lbSongNameShadow{layout::kSongNameShadow, layout::kShadow, DT_LEFT};
constexpr Label lbSongNameWhite{layout::kSongNameWhite, kWhite, DT_LEFT};
constexpr Label lbPosShadow{layout::kPositionShadow, layout::kShadow, DT_RIGHT};
constexpr Label lbPos{layout::kPosition, kWhite, DT_RIGHT};

void fill(HDC dc, RECT area, COLORREF colour) {
    const HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &area, brush);
    DeleteObject(brush);
}

} // namespace

PlayerControls::PlayerControls(std::string discRoot, Parts parts)
    : p_(std::move(parts)), device_([this] { player_.mPlayerNotify(); }),
      player_(std::move(discRoot), {device_, volume_, *this, p_.status, p_.hover}),
      saver_(p_.saveDialog, p_.boxes, p_.status),
      MPTimer([this](UINT message, WPARAM wParam, LPARAM) {
          if (message != WM_TIMER || wParam != kMPTimer)
              return false;
          player_.MPTimerTimer();
          return true;
      }),
      tips_(p_.window), knobLeft_(player::kKnobMin) {
    // The knob's hint, switched on while the knob shows.
    tips_.add(kKnobTool, {}, layout::kKnobHint);
}

PlayerControls::~PlayerControls() {
    KillTimer(MPTimer.hwnd(), kMPTimer);
}

void PlayerControls::lbSaveMP3Click() {
    saver_.lbSaveMP3Click(player_.trackPath());
}

void PlayerControls::setScale(const DisplayScale& scale) {
    scale_ = scale;
    imPlayerPlayPos = ResourcePicture(L"Knob", scale_.picturePercent());
    updateKnobTip();
}

RECT PlayerControls::place(const Rect& logical) const {
    return toRECT(scale_.toPhysical(logical));
}

RECT PlayerControls::knobBounds() const {
    return place({knobLeft_, layout::kKnobTop, layout::kKnobWidth, layout::kKnobHeight});
}

void PlayerControls::invalidate(const RECT& area) const {
    InvalidateRect(p_.window, &area, FALSE);
}

void PlayerControls::paint(HDC dc) const {
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const HGDIOBJ oldFont = SelectObject(dc, uiFont(scale_));
    lbSongNameShadow.draw(dc, title_, scale_);
    lbSongNameWhite.draw(dc, title_, scale_);
    if (positionShown_) {
        // ggPlayerPos has no border and no text: its back, then its progress.
        const RECT ggPlayerPos = place(layout::kPositionBar);
        fill(dc, ggPlayerPos, toCOLORREF(layout::kBarBack));
        RECT done = ggPlayerPos;
        done.right = ggPlayerPos.left + MulDiv(ggPlayerPos.right - ggPlayerPos.left,
                                               std::clamp(percent_, 0, 100), 100);
        fill(dc, done, toCOLORREF(layout::kBarFore));
        lbPosShadow.draw(dc, position_, scale_);
        lbPos.draw(dc, position_, scale_);
    }
    if (knobShown_)
        imPlayerPlayPos.draw(dc, knobBounds().left, knobBounds().top);
    SelectObject(dc, oldFont);
    SetBkMode(dc, oldMode);
}

bool PlayerControls::onKnob(POINT at) const {
    const RECT knob = knobBounds();
    return knobShown_ && PtInRect(&knob, at);
}

bool PlayerControls::mouseMessage(UINT message, WPARAM, LPARAM lParam) {
    const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        if (!onKnob(at))
            return false;
        const bool left = message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK;
        // x within the knob, as the knob's own mouse events had it.
        player_.knobMouseDown(left, scale_.toLogical(at.x) - knobLeft_);
        if (left && !dragging_) {
            dragging_ = true;
            SetCapture(p_.window); // the drag goes on beside the knob
        }
        return true;
    }
    case WM_MOUSEMOVE:
        if (!dragging_)
            return false;
        player_.knobMouseMove(scale_.toLogical(at.x) - knobLeft_);
        return true;
    case WM_LBUTTONUP:
        if (!dragging_)
            return false;
        dragging_ = false;
        ReleaseCapture();
        player_.knobMouseUp(true);
        return true;
    case WM_CAPTURECHANGED:
        // Capture taken away mid-drag (another window, a box): the drag ends
        // as if released, rather than going on at the next move.
        if (dragging_)
            endDrag();
        return false;
    default:
        return false;
    }
}

void PlayerControls::endDrag() {
    dragging_ = false;
    player_.knobMouseUp(true);
}

void PlayerControls::setTitleLine(const std::string& text) {
    title_ = widen(text);
    invalidate(unite(place(layout::kSongNameWhite), place(layout::kSongNameShadow)));
}

void PlayerControls::setPositionDisplayVisible(bool visible) {
    if (visible == positionShown_)
        return;
    positionShown_ = visible;
    invalidate(place(layout::kPositionBar));
    invalidate(unite(place(layout::kPosition), place(layout::kPositionShadow)));
    if (p_.showTrackBar)
        p_.showTrackBar(visible);
    if (visible)
        SetTimer(MPTimer.hwnd(), kMPTimer, layout::kPositionTimerMs, nullptr);
    else
        KillTimer(MPTimer.hwnd(), kMPTimer);
}

void PlayerControls::setPositionText(const std::string& text) {
    position_ = widen(text);
    invalidate(unite(place(layout::kPosition), place(layout::kPositionShadow)));
}

void PlayerControls::setPositionBar(int percent) {
    percent_ = percent;
    invalidate(place(layout::kPositionBar));
}

void PlayerControls::setKnobVisible(bool visible) {
    knobShown_ = visible;
    invalidate(knobBounds());
    updateKnobTip();
}

void PlayerControls::setKnobLeft(int left) {
    invalidate(knobBounds());
    knobLeft_ = left;
    invalidate(knobBounds());
    updateKnobTip();
}

void PlayerControls::setKnobHint(const std::string& hint) {
    tips_.setText(kKnobTool, hint);
}

void PlayerControls::updateKnobTip() {
    const RECT knob = knobBounds();
    tips_.move(kKnobTool, knobShown_ ? Rect{knob.left, knob.top, knob.right - knob.left,
                                            knob.bottom - knob.top}
                                     : Rect{});
}

} // namespace dv::win32
