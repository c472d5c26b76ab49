#include "win32/browser/Win32RealPaths.h"
#include "win32/support/Utf16.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace dv::win32::test {
namespace {

TEST(FileUrl, TheLocalPathOfAPageAddress) {
    struct Case {
        const wchar_t* url;
        std::optional<std::string> path;
    };
    const Case cases[] = {
        {L"file:///C:/a%20b/x.htm", "C:\\a b\\x.htm"},
        {L"FILE:///C:/x.htm", "C:\\x.htm"},
        {L"file://C:\\x\\y.htm", "C:\\x\\y.htm"},
        {L"file://server/share/x.htm", "\\\\server\\share\\x.htm"},
        {L"file:///C:/x%23y.htm", "C:\\x#y.htm"}, // an escaped "#" is part of the name
        // A fragment or a query is no part of the file's path.
        {L"file:///C:/x.htm#kapitel", "C:\\x.htm"},
        {L"file:///C:/x.htm?q=1", "C:\\x.htm"},
        {L"file:///C:/ut/x.htm#/../../skiva/index.htm", "C:\\ut\\x.htm"},
        {L"file://C:\\ut\\x.htm?\\..\\..\\skiva\\index.htm", "C:\\ut\\x.htm"},
        {L"http://example.com/x.htm", std::nullopt},
        {L"about:blank", std::nullopt},
        {L"res://ieframe.dll/navcancl.htm", std::nullopt},
        {L"fil", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(localPathOfFileUrl(c.url), c.path) << narrow(c.url);
}

TEST(FileUrl, ThePathsAPageAddressMayName) {
    struct Case {
        const wchar_t* url;
        std::vector<std::string> paths;
    };
    const Case cases[] = {
        {L"file:///C:/skiva/x.htm", {"C:\\skiva\\x.htm"}},
        // The control reports a folder's "#" unescaped: the whole path first.
        {L"file:///C:/skiva#x/ond.htm", {"C:\\skiva#x\\ond.htm", "C:\\skiva"}},
        {L"file:///C:/skiva#x/ond.htm#kapitel",
         {"C:\\skiva#x\\ond.htm#kapitel", "C:\\skiva#x\\ond.htm", "C:\\skiva"}},
        {L"file:///C:/skiva/x.htm?q=1", {"C:\\skiva\\x.htm?q=1", "C:\\skiva\\x.htm"}},
        {L"file:///C:/a%23b.htm#c", {"C:\\a#b.htm#c", "C:\\a#b.htm"}},
        // Dot segments after a "#" or "?" would climb out of the page's file.
        {L"file:///C:/ut/x.htm#/../../skiva/index.htm", {"C:\\ut\\x.htm"}},
        {L"file://C:\\ut\\x.htm?\\..\\skiva\\index.htm", {"C:\\ut\\x.htm"}},
        {L"file:///C:/ut#x/./y.htm", {"C:\\ut"}},
        {L"file:///C:/ut#x/y.htm#/..", {"C:\\ut#x\\y.htm", "C:\\ut"}},
        {L"http://example.com/x.htm#a", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(localPathsOfFileUrl(c.url), c.paths) << narrow(c.url);
}

} // namespace
} // namespace dv::win32::test
