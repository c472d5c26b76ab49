#include "browser/PageRouting.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace dv {
namespace {

namespace fs = std::filesystem;

class PageRoutingTest : public ::testing::Test {
protected:
    fs::path disc = fs::temp_directory_path() / "pagerouting-skiva";
    fs::path outside = fs::temp_directory_path() / "pagerouting-ute";
    void SetUp() override {
        fs::create_directories(disc / "docs");
        fs::create_directories(outside);
        std::ofstream(disc / "docs" / "index.htm") << "x";
        std::ofstream(outside / "elak.htm") << "x";
        fs::create_symlink(outside / "elak.htm", disc / "docs" / "lank.htm");
    }
    void TearDown() override {
        fs::remove_all(disc);
        fs::remove_all(outside);
    }
    std::string root() const { return disc.string() + "/"; }
};

TEST_F(PageRoutingTest, KindsAndThePanel) {
    struct Case {
        const char* scheme;
        std::string path;
        PageKind kind;
        bool panel;
    };
    const Case cases[] = {
        {"file", (disc / "docs" / "index.htm").string(), PageKind::Disc, true},
        {"FILE", (disc / "docs" / "index.htm").string(), PageKind::Disc, true},
        {"file", (disc / "docs" / "lank.htm").string(), PageKind::Outside, false},
        {"file", (outside / "elak.htm").string(), PageKind::Outside, false},
        {"file", "", PageKind::Outside, false}, // a file address with a host
        {"qrc", "", PageKind::Outside, false},
        {"http", "", PageKind::Web, true},
        {"https", "", PageKind::Web, true},
        {"HTTPS", "", PageKind::Web, true},
        {"about", "", PageKind::Other, true},
        {"data", "", PageKind::Other, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(pageKindOf(c.scheme, c.path, root()), c.kind) << c.scheme << " " << c.path;
        EXPECT_EQ(mayShowInPanel(c.kind), c.panel) << c.scheme << " " << c.path;
    }
}

TEST(PageRouting, NewWindows) {
    struct Case {
        PageKind kind;
        bool clicked;
        NewWindowRoute route;
    };
    const Case cases[] = {
        {PageKind::Web, true, NewWindowRoute::DesktopBrowser},
        {PageKind::Disc, true, NewWindowRoute::Panel},
        {PageKind::Outside, true, NewWindowRoute::Ignore},
        {PageKind::Other, true, NewWindowRoute::Ignore},
        {PageKind::Web, false, NewWindowRoute::Ignore}, // a pop-up nobody asked for
        {PageKind::Disc, false, NewWindowRoute::Ignore},
    };
    for (const Case& c : cases)
        EXPECT_EQ(newWindowRoute(c.kind, c.clicked), c.route)
            << static_cast<int>(c.kind) << " " << c.clicked;
}

} // namespace
} // namespace dv
