#include "core/shell/HotSpotCatalog.h"

#include <gtest/gtest.h>

#include <set>

namespace dv {
namespace {

TEST(HotSpotCatalog, HoverTexts) {
    const HotSpotCatalog catalog("www.datavind.example");
    const std::pair<const char*, const char*> cases[] = {
        {"lbNoje", "Nöjesavdelningen"},
        {"lbNytta", "Nyttoavdelningen"},
        {"lbInternet", "Internet och webbläsare"},
        {"lbVerktyg", "Verktygslådan"},
        {"lbTillagg", "PDF-dokument och andra tillägg till tidningen"},
        {"lbFullVer", "Månadens fullversioner"},
        {"lbTMdatavind", "Till www.datavind.example"},
        {"lbTMclipart", "Visa månadens clipart-bilder"},
        {"lbTMfilsok", "Starta Datavinds Filsökare"},
        {"lbTMallaprog", "Visa alla program på skivan"},
        {"lbTMom", "Om Datavind"},
        {"lbTMhjalp", "Visa Hjälp"},
        {"lbEttan", "Till startsidan"},
        {"lbVelmora", "Till Velmora Media"},
        {"lbExit", "Avsluta skivan"},
        {"lbMinimize", "Minimera"},
        {"lbTrackBar", "Hoppa i låten"},
        {"lbSaveMP3", "Spara Månadens MP3 på din hårddisk"},
        {"lbPlay", "Spela upp Månadens MP3"},
        {"lbStop", "Stoppa uppspelningen"},
    };
    for (const auto& [name, text] : cases) {
        const HotSpot* spot = catalog.find(name);
        ASSERT_NE(spot, nullptr) << name;
        EXPECT_EQ(spot->statusText, text) << name;
    }
}

TEST(HotSpotCatalog, HintsDifferFromStatusTexts) {
    const HotSpotCatalog catalog("x");
    EXPECT_EQ(catalog.find("lbNytta")->hint, "Nyttoprogram");
    EXPECT_EQ(catalog.find("lbSaveMP3")->hint, "Spara månadens MP3 på din hårddisk");
    EXPECT_EQ(catalog.find("lbTillagg")->hint, "Tillägg till tidningen");
}

TEST(HotSpotCatalog, HighlightPictures) {
    const HotSpotCatalog catalog("x");
    const struct {
        const char* label;
        const char* picture;
        Rect bounds;
    } cases[] = {
        {"lbTillagg", "imAktTillagg", {279, 10, 56, 66}},
        {"lbNoje", "imAktNoje", {352, 5, 72, 73}},
        {"lbNytta", "imAktNytta", {436, 5, 65, 73}},
        {"lbInternet", "imAktInternet", {520, 5, 76, 73}},
        {"lbVerktyg", "imAktVerktyg", {611, 5, 57, 73}},
        {"lbFullVer", "imAktFullver", {693, 18, 54, 57}},
        {"lbTMdatavind", "imTMdatavind", {114, 104, 91, 18}},
        {"lbTMclipart", "imTMclipart", {223, 104, 78, 18}},
        {"lbTMhjalp", "imTMhjalp", {649, 104, 36, 18}},
        {"lbPlay", "imAktPlay", {8, 578, 20, 20}},
    };
    for (const auto& c : cases) {
        const HotSpot* spot = catalog.find(c.label);
        ASSERT_NE(spot, nullptr);
        EXPECT_EQ(spot->highlight, c.picture) << c.label;
        EXPECT_EQ(spot->highlightBounds, c.bounds) << c.label;
    }
    EXPECT_TRUE(catalog.find("lbEttan")->highlight.empty());
    EXPECT_TRUE(catalog.find("lbPlay")->highlightNeedsTrack);
    EXPECT_FALSE(catalog.find("lbNoje")->highlightNeedsTrack);
}

TEST(HotSpotCatalog, EighteenLabelsFallBackToTheArrow) {
    const HotSpotCatalog catalog("x");
    std::set<std::string> arrow;
    for (const HotSpot& h : catalog.all())
        if (h.arrowOnOldWindows)
            arrow.insert(h.name);
    const std::set<std::string> expected{
        "lbMinimize", "lbExit",    "lbTillagg",    "lbNoje",      "lbNytta",    "lbInternet",
        "lbVerktyg",  "lbFullVer", "lbTMdatavind", "lbTMclipart", "lbTMfilsok", "lbTMallaprog",
        "lbTMom",     "lbTMhjalp", "lbPlay",       "lbStop",      "lbSaveMP3",  "lbVelmora"};
    EXPECT_EQ(arrow, expected);
}

TEST(HotSpotCatalog, StripOverTheLogoIsOnTopAndSilent) {
    const HotSpotCatalog catalog("x");
    const auto& all = catalog.all();
    const auto index = [&](const char* name) {
        return std::find_if(all.begin(), all.end(),
                            [&](const HotSpot& h) { return h.name == name; }) -
               all.begin();
    };
    EXPECT_GT(index("Label1"), index("lbEttan"));
    const HotSpot* strip = catalog.find("Label1");
    EXPECT_EQ(strip->bounds, (Rect{95, 57, 5, 25}));
    EXPECT_FALSE(strip->reactsToHover());
    EXPECT_FALSE(strip->handCursor);
    EXPECT_TRUE(catalog.find("lbEttan")->bounds.contains(95, 57));
    EXPECT_EQ(catalog.find("nothing"), nullptr);
}

} // namespace
} // namespace dv
