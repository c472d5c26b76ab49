#include "core/shell/HotSpotDispatch.h"

#include "RecordingPorts.h"
#include "core/app/PublisherAddresses.h"
#include "core/shell/HiddenScreenKeys.h"
#include "core/shell/HotSpotCatalog.h"
#include "core/shell/HotSpotCommands.h"
#include "core/shell/HoverController.h"

#include <gtest/gtest.h>

namespace dv {
namespace {

class FakeCommands : public HotSpotCommands {
  public:
    explicit FakeCommands(test::CallLog& log) : log_(log) {}
    void showFileSearch() override { log_.push_back("filesearch"); }
    void play() override { log_.push_back("play"); }
    void stop() override { log_.push_back("stop"); }
    void saveTrack() override { log_.push_back("save"); }
    void seek(int x, int width) override {
        log_.push_back("seek:" + std::to_string(x) + "/" + std::to_string(width));
    }

  private:
    test::CallLog& log_;
};

class HotSpotDispatchTest : public ::testing::Test {
  protected:
    HotSpotCatalog catalog{"www.datavind.example"};
    test::CallLog log;
    test::FakeStatusLine status;
    test::FakeHighlights highlights;
    HoverController hover{status, highlights};
    HiddenScreenKeys keys;
    test::FakeWindowActions window{log};
    FakeCommands commands{log};
    test::FakeBrowserHost browser{log};
    std::string discRoot = "C:\\cd\\";
    HotSpotDispatch dispatch{{hover, keys, window, commands, browser, discRoot}};

    const HotSpot& spot(const char* name) { return *catalog.find(name); }
};

TEST_F(HotSpotDispatchTest, WhatEachHotSpotDoes) {
    ASSERT_TRUE(browser.createControl());
    const std::pair<const char*, std::string> cases[] = {
        {"lbExit", "close"},
        {"lbMinimize", "minimise"},
        {"lbTMfilsok", "filesearch"},
        {"lbPlay", "play"},
        {"lbStop", "stop"},
        {"lbSaveMP3", "save"},
        {"lbNoje", "navigate:C:\\cd\\docs/noje/index.htm"},
        {"lbFullVer", "navigate:C:\\cd\\docs/skarpa/index.htm"},
        {"lbEttan", "navigate:C:\\cd\\docs/ettan/index.htm"},
        {"lbTMhjalp", "navigate:C:\\cd\\docs/hjalp/index.htm"},
        {"lbVelmora", std::string("navigate:") + publisher::kMakerHomePage},
        {"lbTMdatavind", std::string("navigate:") + publisher::kMagazineHomePage},
    };
    for (const auto& [name, call] : cases) {
        log.clear();
        dispatch.clicked(spot(name));
        EXPECT_EQ(log, test::CallLog{call}) << name;
    }
    // A click on the position bar or the hidden strip does nothing.
    log.clear();
    dispatch.clicked(spot("lbTrackBar"));
    dispatch.clicked(spot("Label1"));
    EXPECT_TRUE(log.empty());
}

TEST_F(HotSpotDispatchTest, PagesNeedTheBrowserTheFileSearchDoesNot) {
    dispatch.clicked(spot("lbNoje"));
    dispatch.clicked(spot("lbVelmora"));
    dispatch.clicked(spot("lbTMfilsok"));
    EXPECT_EQ(log, test::CallLog{"filesearch"});
}

TEST_F(HotSpotDispatchTest, ReleasingThePositionBarSeeksAtThatPoint) {
    dispatch.released(spot("lbTrackBar"), 100);
    dispatch.released(spot("lbPlay"), 5);
    EXPECT_EQ(log, test::CallLog{"seek:100/409"});
}

TEST_F(HotSpotDispatchTest, TheLogoStripArmsTheHiddenScreensKeys) {
    dispatch.entered(spot("Label1"));
    EXPECT_TRUE(keys.armed());
    EXPECT_TRUE(status.texts.empty()); // it explains nothing
    dispatch.left(spot("Label1"));
    EXPECT_FALSE(keys.armed());

    dispatch.entered(spot("lbNoje"));
    EXPECT_FALSE(keys.armed());
    EXPECT_EQ(status.current(), "Nöjesavdelningen");
    dispatch.left(spot("lbNoje"));
    EXPECT_EQ(status.current(), "");
}

} // namespace
} // namespace dv
