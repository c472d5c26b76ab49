#include "core/shell/HotSpotCatalog.h"

#include <algorithm>

namespace dv {

namespace {

HotSpot section(std::string name, Rect bounds, std::string hint, std::string status,
                std::string highlight, Rect highlightBounds) {
    HotSpot h;
    h.name = std::move(name);
    h.bounds = bounds;
    h.hint = std::move(hint);
    h.statusText = std::move(status);
    h.highlight = std::move(highlight);
    h.highlightBounds = highlightBounds;
    h.highlightTransparent = true;
    h.arrowOnOldWindows = true;
    return h;
}

HotSpot menuEntry(std::string name, Rect bounds, std::string status, Rect highlightBounds) {
    HotSpot h;
    h.highlight = "imTM" + name.substr(4);
    h.name = std::move(name);
    h.bounds = bounds;
    h.statusText = std::move(status);
    h.highlightBounds = highlightBounds;
    h.arrowOnOldWindows = true;
    return h;
}

HotSpot plain(std::string name, Rect bounds, std::string hint, std::string status) {
    HotSpot h;
    h.name = std::move(name);
    h.bounds = bounds;
    h.hint = std::move(hint);
    h.statusText = std::move(status);
    h.arrowOnOldWindows = true;
    return h;
}

} // namespace

HotSpotCatalog::HotSpotCatalog(std::string_view magazineHost) {
    spots_.push_back(plain("lbExit", {776, 8, 17, 17}, "Avsluta skivan", "Avsluta skivan"));
    spots_.push_back(plain("lbMinimize", {754, 7, 17, 17}, "Minimera", "Minimera"));

    spots_.push_back(section("lbTillagg", {280, 8, 57, 89}, "Tillägg till tidningen",
                             "PDF-dokument och andra tillägg till tidningen", "imAktTillagg",
                             {279, 10, 56, 66}));
    spots_.back().handCursor = false;
    spots_.push_back(section("lbNoje", {351, 8, 74, 89}, "Nöjesavdelningen", "Nöjesavdelningen",
                             "imAktNoje", {352, 5, 72, 73}));
    spots_.push_back(section("lbNytta", {435, 8, 66, 89}, "Nyttoprogram", "Nyttoavdelningen",
                             "imAktNytta", {436, 5, 65, 73}));
    spots_.push_back(section("lbInternet", {521, 8, 74, 89}, "Internet och webbläsare",
                             "Internet och webbläsare", "imAktInternet", {520, 5, 76, 73}));
    spots_.push_back(section("lbVerktyg", {611, 8, 58, 89}, "Verktygslådan", "Verktygslådan",
                             "imAktVerktyg", {611, 5, 57, 73}));
    spots_.push_back(section("lbFullVer", {691, 8, 58, 89}, "Månadens fullversioner",
                             "Månadens fullversioner", "imAktFullver", {693, 18, 54, 57}));

    spots_.push_back(menuEntry("lbTMdatavind", {112, 104, 93, 18},
                               "Till " + std::string(magazineHost), {114, 104, 91, 18}));
    spots_.push_back(menuEntry("lbTMclipart", {223, 104, 78, 18}, "Visa månadens clipart-bilder",
                               {223, 104, 78, 18}));
    spots_.push_back(menuEntry("lbTMfilsok", {317, 104, 65, 18}, "Starta Datavinds Filsökare",
                               {317, 104, 65, 18}));
    spots_.push_back(menuEntry("lbTMallaprog", {399, 104, 131, 18}, "Visa alla program på skivan",
                               {399, 104, 131, 18}));
    spots_.push_back(menuEntry("lbTMom", {548, 104, 87, 18}, "Om Datavind", {548, 104, 87, 18}));
    spots_.push_back(menuEntry("lbTMhjalp", {649, 104, 36, 18}, "Visa Hjälp", {649, 104, 36, 18}));

    HotSpot ettan = plain("lbEttan", {8, 45, 225, 48}, "", "Till startsidan");
    ettan.arrowOnOldWindows = false;
    spots_.push_back(ettan);

    // The hidden screen's strip lies over the logo and takes the mouse there;
    // it changes neither the cursor nor the status line.
    HotSpot strip;
    strip.name = "Label1";
    strip.bounds = {95, 57, 5, 25};
    strip.handCursor = false;
    spots_.push_back(strip);

    spots_.push_back(plain("lbVelmora", {752, 557, 41, 17}, "", "Till Velmora Media"));

    HotSpot play = plain("lbPlay", {8, 578, 20, 20}, "", "Spela upp Månadens MP3");
    play.highlight = "imAktPlay";
    play.highlightBounds = play.bounds;
    play.highlightNeedsTrack = true;
    spots_.push_back(play);
    HotSpot stop = plain("lbStop", {31, 578, 20, 20}, "", "Stoppa uppspelningen");
    stop.highlight = "imAktStop";
    stop.highlightBounds = stop.bounds;
    stop.highlightNeedsTrack = true;
    spots_.push_back(stop);
    spots_.push_back(plain("lbSaveMP3", {154, 581, 14, 14}, "Spara månadens MP3 på din hårddisk",
                           "Spara Månadens MP3 på din hårddisk"));

    // The click strip over the position bar belongs to the position display
    // and is shown only while a track plays.
    HotSpot trackBar = plain("lbTrackBar", {176, 584, 409, 13}, "", "Hoppa i låten");
    trackBar.arrowOnOldWindows = false;
    trackBar.visibleAtStart = false;
    spots_.push_back(trackBar);
}

const HotSpot* HotSpotCatalog::find(std::string_view name) const {
    const auto it = std::find_if(spots_.begin(), spots_.end(),
                                 [&](const HotSpot& h) { return h.name == name; });
    return it == spots_.end() ? nullptr : &*it;
}

HotSpotCatalog HotSpotCatalog::scaled(const DisplayScale& scale) const {
    HotSpotCatalog copy = *this;
    for (HotSpot& spot : copy.spots_) {
        spot.bounds = scale.toPhysical(spot.bounds);
        spot.highlightBounds = scale.toPhysical(spot.highlightBounds);
    }
    return copy;
}

} // namespace dv
