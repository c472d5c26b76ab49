#include "core/browser/DiscPageCheck.h"

#include <gtest/gtest.h>

#include <map>

namespace dv {
namespace {

// A file system of a few paths, some of them links to elsewhere.
class TablePaths : public RealPaths {
  public:
    explicit TablePaths(std::map<std::string, std::string> table) : table_(std::move(table)) {}
    std::optional<std::string> realPath(const std::string& path) const override {
        if (const auto it = table_.find(path); it != table_.end())
            return it->second;
        return std::nullopt;
    }

  private:
    std::map<std::string, std::string> table_;
};

TEST(DiscPageCheck, LiesInsideComparesWholeComponents) {
    struct Case {
        const char* path;
        const char* root;
        PathCase letterCase;
        bool inside;
    };
    const Case cases[] = {
        {"/media/cd/docs/noje/index.htm", "/media/cd/", PathCase::Sensitive, true},
        {"/media/cd/docs/noje/index.htm", "/media/cd", PathCase::Sensitive, true},
        {"/media/cdx/docs/index.htm", "/media/cd", PathCase::Sensitive, false},
        {"/media/cdx/docs/index.htm", "/media/cd/", PathCase::Sensitive, false},
        {"/home/elak/sida.htm", "/media/cd/", PathCase::Sensitive, false},
        {"/media/cd/x", "", PathCase::Sensitive, false},
        {"media/cd/x", "/media/cd", PathCase::Sensitive, false},
        {"/media", "/media/cd", PathCase::Sensitive, false},
        {"/Media/CD/x.htm", "/media/cd", PathCase::Sensitive, false},
        {"C:\\Skiva\\docs\\ettan\\index.htm", "C:\\Skiva\\", PathCase::Insensitive, true},
        {"c:\\skiva\\DOCS\\index.htm", "C:\\Skiva", PathCase::Insensitive, true},
        {"C:\\Skiva2\\index.htm", "C:\\Skiva", PathCase::Insensitive, false},
        {"\\\\?\\D:\\Nöje\\a.htm", "\\\\?\\D:\\NÖJE", PathCase::Insensitive, true},
        {"\\\\?\\D:\\Nöje\\a.htm", "\\\\?\\D:\\NÖJE", PathCase::Sensitive, false},
        {"D:/disc/docs/a.htm", "D:\\disc\\", PathCase::Insensitive, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(liesInside(c.path, c.root, c.letterCase), c.inside) << c.path << " in " << c.root;
}

TEST(DiscPageCheck, JudgesPagesByWhereTheyReallyLie) {
    const TablePaths paths({
        {"/cd/", "/media/cd"},
        {"/cd/docs/noje/index.htm", "/media/cd/docs/noje/index.htm"},
        {"/cd/docs/../../home/elak/sida.htm", "/home/elak/sida.htm"},
        {"/cd/docs/ut/sida.htm", "/home/elak/sida.htm"}, // a link out of the disc
        {"/home/elak/in.htm", "/media/cd/docs/in.htm"},  // a link into it
    });
    const DiscPageCheck check("/cd/", paths, PathCase::Sensitive);
    struct Case {
        std::optional<std::string> page;
        bool discPage;
    };
    const Case cases[] = {
        {"/cd/docs/noje/index.htm", true},
        {"/cd/docs/../../home/elak/sida.htm", false},
        {"/cd/docs/ut/sida.htm", false},
        {"/home/elak/in.htm", true},
        {"/cd/docs/saknas.htm", false}, // a page that does not exist
        {"", false},
        {std::nullopt, false}, // no local file: a web page
    };
    for (const Case& c : cases)
        EXPECT_EQ(check.isDiscPage(c.page), c.discPage) << c.page.value_or("(none)");
}

TEST(DiscPageCheck, NoPageIsADiscPageWhenTheRootCannotBeResolved) {
    const TablePaths paths(
        std::map<std::string, std::string>{{"/cd/docs/a.htm", "/cd/docs/a.htm"}});
    EXPECT_FALSE(DiscPageCheck("/cd/", paths, PathCase::Sensitive).isDiscPage("/cd/docs/a.htm"));
    EXPECT_FALSE(DiscPageCheck("", paths, PathCase::Sensitive).isDiscPage("/cd/docs/a.htm"));
}

} // namespace
} // namespace dv
