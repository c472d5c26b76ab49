#include "core/browser/PageRouting.h"

#include "core/browser/DiscPageCheck.h"

#include <gtest/gtest.h>

#include <map>

namespace dv {
namespace {

// A disc at /cd with a link out of it, and a page elsewhere.
class TablePaths : public RealPaths {
  public:
    std::optional<std::string> realPath(const std::string& path) const override {
        static const std::map<std::string, std::string> table = {
            {"/cd/", "/cd"},
            {"/cd/docs/index.htm", "/cd/docs/index.htm"},
            {"/cd/docs/lank.htm", "/home/elak/sida.htm"},
            {"/home/elak/sida.htm", "/home/elak/sida.htm"},
        };
        if (const auto it = table.find(path); it != table.end())
            return it->second;
        return std::nullopt;
    }
};

TEST(PageRouting, KindsAndThePanel) {
    const TablePaths paths;
    const DiscPageCheck discPages("/cd/", paths, PathCase::Sensitive);
    struct Case {
        const char* scheme;
        std::optional<std::string> path;
        PageKind kind;
        bool panel;
    };
    const Case cases[] = {
        {"file", "/cd/docs/index.htm", PageKind::Disc, true},
        {"FILE", "/cd/docs/index.htm", PageKind::Disc, true},
        {"file", "/cd/docs/lank.htm", PageKind::Outside,
         false}, // a link on the disc that leads out
        {"file", "/home/elak/sida.htm", PageKind::Outside, false},
        {"file", "/cd/docs/saknas.htm", PageKind::Other,
         true},                                           // nothing there: the engine's error page
        {"file", std::nullopt, PageKind::Outside, false}, // a file address with a host
        {"qrc", std::nullopt, PageKind::Outside, false},
        {"http", std::nullopt, PageKind::Web, true},
        {"https", std::nullopt, PageKind::Web, true},
        {"HTTPS", std::nullopt, PageKind::Web, true},
        {"about", std::nullopt, PageKind::Other, true},
        {"data", std::nullopt, PageKind::Other, true},
    };
    for (const Case& c : cases) {
        const std::string what = std::string(c.scheme) + " " + c.path.value_or("-");
        EXPECT_EQ(pageKindOf(c.scheme, c.path, discPages, paths), c.kind) << what;
        EXPECT_EQ(mayShowInPanel(c.kind), c.panel) << what;
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
