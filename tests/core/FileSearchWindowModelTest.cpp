#include "core/filesearch/FileSearchWindowModel.h"

#include "FixedTextMeasure.h"
#include "RecordingPorts.h"
#include "core/filesearch/FileSearch.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace dv {
namespace {

using Model = FileSearchWindowModel;
namespace fs = std::filesystem;

TEST(FileSearchWindowModel, Layout) {
    const test::FixedTextMeasure msSansSerif(5, 13, 16);
    const FileSearchWindowLayout l = Model::layout(msSansSerif);
    EXPECT_EQ(l.clientWidth, 498);
    EXPECT_EQ(l.clientHeight, 379);
    EXPECT_EQ(l.minimumWidth, 390);
    EXPECT_EQ(l.minimumHeight, 200);
    EXPECT_EQ(l.panelHeight, 97);
    EXPECT_EQ(l.treeWidth, 185);
    EXPECT_EQ(l.Label1, (Rect{8, 8, 37 * 5, 13}));
    EXPECT_EQ(l.ebSearch, (Rect{8, 24, 185, 21}));
    EXPECT_EQ(l.rbThisDisc, (Rect{200, 25, 11 * 5 + 16, 17}));
    EXPECT_EQ(l.rbAllDiscs, (Rect{200, 41, 11 * 5 + 16, 17}));
    EXPECT_EQ(l.btSearch, (Rect{8, 48, 73, 23}));
    EXPECT_EQ(l.cbShowAll, (Rect{200, 64, 25 * 5 + 16, 17}));
    EXPECT_EQ(l.pictureLeftmost, 350);

    // A wide font keeps the picture off the check box.
    const FileSearchWindowLayout wide = Model::layout(test::FixedTextMeasure(8, 15, 20));
    EXPECT_EQ(wide.pictureLeftmost, 200 + 25 * 8 + 20 + 8);
    EXPECT_EQ(wide.cbShowAll.height, 17);
}

TEST(FileSearchWindowModel, ThePictureKeepsToTheRightEdge) {
    const FileSearchWindowLayout l = Model::layout(test::FixedTextMeasure(5, 13, 16));
    struct Case {
        int panelWidth;
        Rect bounds;
    };
    const Case cases[] = {
        {498, {394, 8, 96, 81}},
        {800, {696, 8, 96, 81}},
        {390, {350, 8, 96, 81}}, // at the narrowest, not over the controls
    };
    for (const Case& c : cases)
        EXPECT_EQ(Model::pictureBounds(l, c.panelWidth, {96, 81}), c.bounds) << c.panelWidth;
}

// "Sök inte, visa alla filer" on and off, with and without a current disc.
TEST(FileSearchWindowModel, WhatShowAllEnables) {
    using Controls = Model::Controls;
    struct Step {
        bool showAll;
        bool searchesAll;
        Controls enabled;
    };
    struct Case {
        const char* what;
        bool currentDiscKnown;
        Controls atStart;
        std::vector<Step> steps;
    };
    const Controls all{true, true, true, true};
    const Controls none{false, false, false, false};
    const Controls withoutThisDisc{true, true, false, true};
    const Case cases[] = {
        {"a current disc",
         true,
         all,
         {{true, true, none}, {false, false, all}, {true, true, none}}},
        // "Denna skiva" stays off: a this-disc search would compare with an empty name.
        {"no current disc",
         false,
         withoutThisDisc,
         {{true, true, none}, {false, false, withoutThisDisc}}},
    };
    for (const Case& c : cases) {
        Model model(c.currentDiscKnown);
        EXPECT_EQ(model.enabled(), c.atStart) << c.what;
        EXPECT_EQ(model.allDiscsAtStart(), !c.currentDiscKnown) << c.what;
        for (const Step& s : c.steps) {
            EXPECT_EQ(model.showAllToggled(s.showAll), s.searchesAll) << c.what;
            EXPECT_EQ(model.enabled(), s.enabled) << c.what << " show all " << s.showAll;
        }
    }
}

TEST(FileSearchWindowModel, Keys) {
    using K = Model::Key;
    using A = Model::KeyAction;
    struct Case {
        K key;
        bool inSearchBox;
        A action;
    };
    const Case cases[] = {
        {K::Enter, true, A::Search}, {K::Enter, false, A::None}, {K::Escape, true, A::Hide},
        {K::Escape, false, A::Hide}, {K::Other, true, A::None},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Model::onKey(c.key, c.inSearchBox), c.action)
            << static_cast<int>(c.key) << " " << c.inSearchBox;
}

TEST(FileSearchWindowModel, TheTreesPictures) {
    using P = Model::Picture;
    EXPECT_EQ(Model::picturesAt(0),
              (Model::NodePictures{P::FolderOpen, P::FolderOpen})); // the root
    EXPECT_EQ(Model::picturesAt(1),
              (Model::NodePictures{P::FolderClosed, P::FolderOpen})); // a disc
    EXPECT_EQ(Model::picturesAt(2),
              (Model::NodePictures{P::FolderClosed, P::FolderOpen})); // a program
    EXPECT_STREQ(Model::pictureName(P::FolderOpen), "FolderOpen");
    EXPECT_STREQ(Model::pictureName(P::FolderClosed), "FolderClosed");
}

class FileSearchWindowSearch : public ::testing::Test {
  protected:
    fs::path root =
        fs::temp_directory_path() /
        ("filesearchwindow-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    test::CallLog log;
    test::FakeMessageBoxes boxes{&log};
    test::FakeHourglass hourglass{&log};

    void SetUp() override { fs::create_directories(root / "filsok"); }
    void TearDown() override { fs::remove_all(root); }
    FileSearch search() { return FileSearch(root.string() + "/", boxes, hourglass); }
};

// The hourglass stays up from the search until the tree is filled.
TEST_F(FileSearchWindowSearch, TheTreeIsFilledUnderTheHourglass) {
    std::ofstream(root / "filsok" / "proglist.txt", std::ios::binary)
        << "D1\tP1\ta.exe\nD2\tP1\tb.exe\n";
    FileSearch s = search();
    struct Case {
        const char* text;
        std::size_t discs;
    };
    for (const Case c : {Case{"exe", 2}, Case{"inget", 0}}) {
        log.clear();
        std::size_t filled = 99;
        EXPECT_TRUE(Model::search(s, hourglass, c.text, true, [&](const SearchTree& tree) {
            log.push_back("fill");
            filled = tree.discs.size();
        })) << c.text;
        EXPECT_EQ(filled, c.discs) << c.text; // no hits: an empty tree, not even the root
        ASSERT_GE(log.size(), 3u);
        EXPECT_EQ((std::vector<std::string>(log.end() - 3, log.end())),
                  (std::vector<std::string>{"hourglass", "fill", "arrow"}))
            << c.text;
    }
}

// A list that cannot be read: its box with the ordinary pointer, the tree left alone.
TEST_F(FileSearchWindowSearch, AnUnreadableListLeavesTheTree) {
    FileSearch s = search();
    bool filled = false;
    EXPECT_FALSE(Model::search(s, hourglass, "x", true, [&](const SearchTree&) { filled = true; }));
    EXPECT_FALSE(filled);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Kunde inte ladda in programlistan! Kan därför inte söka.");
    int shown = 0;
    for (const std::string& call : log) {
        if (call == "hourglass")
            ++shown;
        if (call == "arrow")
            --shown;
        if (call.rfind("box:", 0) == 0) {
            EXPECT_EQ(shown, 0) << "the box opened under the hourglass";
        }
    }
    EXPECT_EQ(shown, 0);
}

// A tree that fails to fill still gives the pointer back.
TEST_F(FileSearchWindowSearch, AFailingFillRestoresThePointer) {
    std::ofstream(root / "filsok" / "proglist.txt", std::ios::binary) << "D1\tP1\ta.exe\n";
    FileSearch s = search();
    EXPECT_THROW(Model::search(s, hourglass, "", true,
                               [](const SearchTree&) { throw std::runtime_error("x"); }),
                 std::runtime_error);
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), "arrow");
}

} // namespace
} // namespace dv
