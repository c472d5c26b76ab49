#include "core/shell/HotSpotFocus.h"

#include "RecordingPorts.h"
#include "core/shell/HoverController.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dv {
namespace {

using Names = std::vector<std::string>;

class HotSpotFocusTest : public ::testing::Test {
  protected:
    HotSpotCatalog catalog{"www.datavind.example"};
    test::FakeStatusLine status;
    test::FakeHighlights highlights;
    HoverController hover{status, highlights};
    HotSpotFocus focus{catalog, hover};

    // Presses Tab (or Shift+Tab) until the page has the focus; what it visited.
    Names tabRound(bool backward) {
        Names visited;
        for (int i = 0; i < 100; ++i) {
            const HotSpot* next = focus.next(backward);
            focus.focus(next);
            if (!next)
                return visited;
            visited.push_back(next->name);
        }
        ADD_FAILURE() << "Tab never reached the page";
        return visited;
    }
};

const Names kTabOrder{"lbEttan",      "lbTillagg", "lbNoje",       "lbNytta",     "lbInternet",
                      "lbVerktyg",    "lbFullVer", "lbTMdatavind", "lbTMclipart", "lbTMfilsok",
                      "lbTMallaprog", "lbTMom",    "lbTMhjalp",    "lbPlay",      "lbStop",
                      "lbSaveMP3",    "lbVelmora", "lbMinimize",   "lbExit"};

TEST_F(HotSpotFocusTest, TabVisitsTheHotSpotsInReadingOrderThenThePage) {
    EXPECT_EQ(tabRound(false), kTabOrder);
    EXPECT_EQ(focus.focused(), nullptr);
    // From the page, Tab comes back to the first.
    EXPECT_EQ(tabRound(false), kTabOrder);
}

TEST_F(HotSpotFocusTest, ShiftTabGoesBackTheSameWay) {
    Names backwards(kTabOrder.rbegin(), kTabOrder.rend());
    EXPECT_EQ(tabRound(true), backwards);
    focus.focus(catalog.find("lbNoje"));
    EXPECT_EQ(focus.next(true)->name, "lbTillagg");
    EXPECT_EQ(focus.next(false)->name, "lbNytta");
}

TEST_F(HotSpotFocusTest, HiddenHotSpotsAreNeitherVisitedNorOffered) {
    // The position bar shows only while a track plays.
    EXPECT_FALSE(focus.isOffered("lbTrackBar"));
    focus.setVisible("lbTrackBar", true);
    EXPECT_TRUE(focus.isOffered("lbTrackBar"));
    EXPECT_EQ(tabRound(false), kTabOrder); // offered, but no tab stop

    focus.setVisible("lbSaveMP3", false);
    Names without = kTabOrder;
    std::erase(without, "lbSaveMP3");
    EXPECT_EQ(tabRound(false), without);
    EXPECT_FALSE(focus.isOffered("lbSaveMP3"));
    EXPECT_FALSE(focus.isOffered("Label1"));
    EXPECT_FALSE(focus.isOffered("lbNoSuchLabel"));

    Names offered;
    for (const HotSpot* spot : focus.offered())
        offered.push_back(spot->name);
    Names expected = without;
    expected.insert(std::find(expected.begin(), expected.end(), "lbVelmora"), "lbTrackBar");
    EXPECT_EQ(offered, expected);
}

TEST_F(HotSpotFocusTest, TheFocusedHotSpotShowsItselfAsUnderTheMouse) {
    focus.focus(catalog.find("lbNoje"));
    EXPECT_EQ(status.current(), "Nöjesavdelningen");
    focus.focus(catalog.find("lbNytta"));
    EXPECT_EQ(status.current(), "Nyttoavdelningen");
    focus.focus(nullptr);
    EXPECT_EQ(status.current(), "");
    EXPECT_EQ(highlights.calls, (Names{"imAktNoje=shown", "imAktNoje=hidden", "imAktNytta=shown",
                                       "imAktNytta=hidden"}));
}

TEST_F(HotSpotFocusTest, AHotSpotThatDisappearsTakesTheFocusWithIt) {
    focus.setVisible("lbTrackBar", true);
    focus.focus(catalog.find("lbStop"));
    focus.setVisible("lbStop", false);
    EXPECT_EQ(focus.focused(), nullptr);
    EXPECT_EQ(status.current(), "");
    EXPECT_EQ(focus.next(false)->name, "lbEttan");
}

TEST_F(HotSpotFocusTest, KeysThatAreTheHotSpots) {
    using K = HotSpotFocus::Key;
    using U = HotSpotFocus::KeyUse;
    const std::pair<K, U> cases[] = {
        {K::Tab, U::MoveFocus}, {K::BackTab, U::MoveFocus}, {K::Enter, U::Click},
        {K::Space, U::Click},   {K::Other, U::NotOurs},
    };
    for (const auto& [key, use] : cases)
        EXPECT_EQ(HotSpotFocus::use(key), use) << static_cast<int>(key);
    EXPECT_EQ(HotSpotFocus::focusMark(*catalog.find("lbExit")), (Rect{776, 8, 17, 17}));
}

} // namespace
} // namespace dv
