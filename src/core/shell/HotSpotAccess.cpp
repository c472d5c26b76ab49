#include "core/shell/HotSpotAccess.h"

#include <algorithm>

namespace dv {

namespace {

using A = HotSpotAction;

// Reading order: top left to bottom right, the window's own buttons last.
constexpr HotSpotAccessEntry kTable[] = {
    {"lbEttan", "Startsidan", A::OpenPage},
    {"lbTillagg", "Tillägg", A::OpenPage},
    {"lbNoje", "Nöje", A::OpenPage},
    {"lbNytta", "Nytta", A::OpenPage},
    {"lbInternet", "Internet", A::OpenPage},
    {"lbVerktyg", "Verktyg", A::OpenPage},
    {"lbFullVer", "Månadens fullversioner", A::OpenPage},
    {"lbTMdatavind", "Datavind", A::OpenPage},
    {"lbTMclipart", "Clipart", A::OpenPage},
    {"lbTMfilsok", "Filsök", A::FileSearch},
    {"lbTMallaprog", "Alla program", A::OpenPage},
    {"lbTMom", "Om Datavind", A::OpenPage},
    {"lbTMhjalp", "Hjälp", A::OpenPage},
    {"lbPlay", "Spela", A::Play},
    {"lbStop", "Stoppa", A::Stop},
    {"lbTrackBar", "Hoppa i låten", A::Seek, true, false},
    {"lbSaveMP3", "Spara", A::Save},
    {"lbVelmora", "Velmora Media", A::OpenPage},
    {"lbMinimize", "Minimera", A::Minimise},
    {"lbExit", "Avsluta", A::Exit},
    {"Label1", "", A::None, false, false},
};

} // namespace

std::span<const HotSpotAccessEntry> HotSpotAccess::table() {
    return kTable;
}

const HotSpotAccessEntry* HotSpotAccess::find(std::string_view name) {
    const auto rows = table();
    const auto it = std::find_if(rows.begin(), rows.end(),
                                 [&](const HotSpotAccessEntry& e) { return e.name == name; });
    return it == rows.end() ? nullptr : &*it;
}

HotSpotAction HotSpotAccess::actionOf(std::string_view name) {
    const HotSpotAccessEntry* entry = find(name);
    return entry ? entry->action : HotSpotAction::None;
}

HotSpotRole HotSpotAccess::roleOf(HotSpotAction action) {
    switch (action) {
    case A::OpenPage:
        return HotSpotRole::Link;
    case A::Seek:
        return HotSpotRole::Slider;
    default:
        return HotSpotRole::Button;
    }
}

std::string_view HotSpotAccess::defaultActionName(HotSpotAction action) {
    switch (roleOf(action)) {
    case HotSpotRole::Link:
        return "Gå till";
    case HotSpotRole::Button:
        return action == A::None ? "" : "Tryck";
    case HotSpotRole::Slider:
        return "";
    }
    return "";
}

} // namespace dv
