#pragma once

#include "core/shell/HotSpot.h"

#include <span>
#include <string_view>

namespace dv {

// What a hot-spot does when it is clicked (or, for the position bar, let go).
enum class HotSpotAction {
    None,     // the hidden screen's strip: it only arms the key sequence
    OpenPage, // a section, a menu entry, the logo or an outside site
    FileSearch,
    Play,
    Stop,
    Save,
    Seek,
    Minimise,
    Exit,
};

// What a hot-spot is to a screen reader.
enum class HotSpotRole { Button, Link, Slider };

// One row of the table below.
struct HotSpotAccessEntry {
    std::string_view name;           // the control's name in HotSpotCatalog
    std::string_view accessibleName; // what a screen reader calls it
    HotSpotAction action;
    // Offered to the keyboard and to screen readers. The hidden screen's
    // strip stays a secret.
    bool offered = true;
    // Reached with Tab; the position bar needs a point on it, which a key has not.
    bool tabStop = true;
};

// How the reader meets the hot-spots without a mouse, and what each one
// does: the order a screen reader reads them and Tab visits them (the logo
// and the sections, the menu line, the player, the maker's link, minimise
// and exit), their names and roles, and the action of every hot-spot.
// The description of a hot-spot is its status-line text.
class HotSpotAccess {
  public:
    // Every hot-spot of HotSpotCatalog, the offered ones in reading order.
    static std::span<const HotSpotAccessEntry> table();
    // The row of that hot-spot, or nullptr.
    static const HotSpotAccessEntry* find(std::string_view name);
    // None for names not in the table.
    static HotSpotAction actionOf(std::string_view name);
    static HotSpotRole roleOf(HotSpotAction action);
    // The name of the default action a screen reader offers; empty for none.
    static std::string_view defaultActionName(HotSpotAction action);
    // What the reader hears for a hot-spot beyond its name.
    static std::string_view description(const HotSpot& spot) { return spot.statusText; }
    // The accessible name of the status line and the title line.
    static constexpr std::string_view kStatusLineName = "Statusrad";
    static constexpr std::string_view kTitleLineName = "Månadens MP3";
};

} // namespace dv
