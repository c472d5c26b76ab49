#pragma once

#include "core/shell/HotSpotCatalog.h"

#include <string_view>
#include <vector>

namespace dv {

class HoverController;

// The keyboard's way through the hot-spots. Tab visits the offered
// hot-spots in reading order and then the page; Shift+Tab goes back the same
// way. The hot-spot with the focus lights up and explains itself on the
// status line as under the mouse, and Enter or Space click it. Hidden
// hot-spots (the position bar while nothing plays) are neither visited nor
// offered to a screen reader.
class HotSpotFocus {
  public:
    enum class Key { Tab, BackTab, Enter, Space, Other };
    // What a key does while a hot-spot has the focus.
    enum class KeyUse { MoveFocus, Click, NotOurs };

    HotSpotFocus(const HotSpotCatalog& catalog, HoverController& hover);

    void setVisible(std::string_view name, bool visible);
    bool isVisible(std::string_view name) const;
    // Offered to a screen reader now: in the reading order and visible.
    bool isOffered(std::string_view name) const;
    // The offered hot-spots, in reading order.
    std::vector<const HotSpot*> offered() const;

    // Where Tab (backward: Shift+Tab) takes the focus from where it is now:
    // the next tab stop, or nullptr for the page past the last one. From the
    // page, or from nowhere, it comes to the first (backward: the last).
    const HotSpot* next(bool backward) const;
    // The focus came to a hot-spot (nullptr: it left the hot-spots).
    void focus(const HotSpot* spot);
    const HotSpot* focused() const { return focused_; }

    static KeyUse use(Key key);
    // The focus mark drawn round the hot-spot with the focus.
    static Rect focusMark(const HotSpot& spot);

  private:
    std::vector<const HotSpot*> tabStops() const;

    const HotSpotCatalog& catalog_;
    HoverController& hover_;
    std::vector<std::string> hidden_;
    const HotSpot* focused_ = nullptr;
};

} // namespace dv
