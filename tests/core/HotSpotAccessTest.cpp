#include "core/shell/HotSpotAccess.h"

#include "core/shell/HotSpotCatalog.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace dv {
namespace {

TEST(HotSpotAccess, EveryHotSpotHasExactlyOneRow) {
    const HotSpotCatalog catalog("www.datavind.example");
    std::set<std::string> rows;
    for (const HotSpotAccessEntry& entry : HotSpotAccess::table()) {
        EXPECT_TRUE(rows.emplace(entry.name).second) << "twice: " << entry.name;
        EXPECT_NE(catalog.find(entry.name), nullptr) << "no such hot-spot: " << entry.name;
    }
    for (const HotSpot& spot : catalog.all())
        EXPECT_TRUE(rows.contains(spot.name)) << "no row: " << spot.name;
}

TEST(HotSpotAccess, ReadingOrderNamesRolesAndActions) {
    struct Row {
        const char* name;
        const char* accessibleName;
        HotSpotRole role;
        HotSpotAction action;
        bool tabStop;
    };
    using R = HotSpotRole;
    using A = HotSpotAction;
    const Row expected[] = {
        {"lbEttan", "Startsidan", R::Link, A::OpenPage, true},
        {"lbTillagg", "Tillägg", R::Link, A::OpenPage, true},
        {"lbNoje", "Nöje", R::Link, A::OpenPage, true},
        {"lbNytta", "Nytta", R::Link, A::OpenPage, true},
        {"lbInternet", "Internet", R::Link, A::OpenPage, true},
        {"lbVerktyg", "Verktyg", R::Link, A::OpenPage, true},
        {"lbFullVer", "Månadens fullversioner", R::Link, A::OpenPage, true},
        {"lbTMdatavind", "Datavind", R::Link, A::OpenPage, true},
        {"lbTMclipart", "Clipart", R::Link, A::OpenPage, true},
        {"lbTMfilsok", "Filsök", R::Button, A::FileSearch, true},
        {"lbTMallaprog", "Alla program", R::Link, A::OpenPage, true},
        {"lbTMom", "Om Datavind", R::Link, A::OpenPage, true},
        {"lbTMhjalp", "Hjälp", R::Link, A::OpenPage, true},
        {"lbPlay", "Spela", R::Button, A::Play, true},
        {"lbStop", "Stoppa", R::Button, A::Stop, true},
        {"lbTrackBar", "Hoppa i låten", R::Slider, A::Seek, false},
        {"lbSaveMP3", "Spara", R::Button, A::Save, true},
        {"lbVelmora", "Velmora Media", R::Link, A::OpenPage, true},
        {"lbMinimize", "Minimera", R::Button, A::Minimise, true},
        {"lbExit", "Avsluta", R::Button, A::Exit, true},
    };
    std::vector<const HotSpotAccessEntry*> offered;
    for (const HotSpotAccessEntry& entry : HotSpotAccess::table()) {
        if (entry.offered)
            offered.push_back(&entry);
    }
    ASSERT_EQ(offered.size(), std::size(expected));
    for (std::size_t i = 0; i < offered.size(); ++i) {
        const Row& row = expected[i];
        EXPECT_EQ(offered[i]->name, row.name) << i;
        EXPECT_EQ(offered[i]->accessibleName, row.accessibleName) << row.name;
        EXPECT_EQ(HotSpotAccess::roleOf(offered[i]->action), row.role) << row.name;
        EXPECT_EQ(offered[i]->action, row.action) << row.name;
        EXPECT_EQ(offered[i]->tabStop, row.tabStop) << row.name;
    }
}

TEST(HotSpotAccess, TheHiddenScreenStripIsNeverOffered) {
    const HotSpotAccessEntry* strip = HotSpotAccess::find("Label1");
    ASSERT_NE(strip, nullptr);
    EXPECT_FALSE(strip->offered);
    EXPECT_FALSE(strip->tabStop);
    EXPECT_EQ(strip->action, HotSpotAction::None);
    EXPECT_EQ(HotSpotAccess::actionOf("lbNoSuchLabel"), HotSpotAction::None);
}

TEST(HotSpotAccess, DescriptionIsTheStatusLineText) {
    const HotSpotCatalog catalog("www.datavind.example");
    EXPECT_EQ(HotSpotAccess::description(*catalog.find("lbNoje")), "Nöjesavdelningen");
    EXPECT_EQ(HotSpotAccess::description(*catalog.find("lbTMdatavind")),
              "Till www.datavind.example");
    EXPECT_EQ(HotSpotAccess::description(*catalog.find("lbPlay")), "Spela upp Månadens MP3");
    // Every offered hot-spot says something beyond its name.
    for (const HotSpotAccessEntry& entry : HotSpotAccess::table()) {
        if (entry.offered) {
            EXPECT_FALSE(HotSpotAccess::description(*catalog.find(entry.name)).empty())
                << entry.name;
        }
    }
}

TEST(HotSpotAccess, DefaultActionNames) {
    EXPECT_EQ(HotSpotAccess::defaultActionName(HotSpotAction::OpenPage), "Gå till");
    EXPECT_EQ(HotSpotAccess::defaultActionName(HotSpotAction::Exit), "Tryck");
    EXPECT_EQ(HotSpotAccess::defaultActionName(HotSpotAction::Play), "Tryck");
    EXPECT_EQ(HotSpotAccess::defaultActionName(HotSpotAction::Seek), "");
    EXPECT_EQ(HotSpotAccess::defaultActionName(HotSpotAction::None), "");
}

} // namespace
} // namespace dv
