#include "core/filesearch/ProgramList.h"

#include "core/text/AnsiText.h"

#include <gtest/gtest.h>

namespace dv {
namespace {

std::vector<std::size_t> matches(const ProgramList& list, std::string_view text) {
    std::vector<std::size_t> found;
    list.forEachMatch(upperAnsi(text), [&](std::size_t i) { found.push_back(i); });
    return found;
}

TEST(ProgramList, SplitsLinesIntoColumns) {
    ProgramList list;
    list.loadBytes("D1\tP1\ta.exe\r\n"
                   "D1\tP1\tdir\\with\ttab.txt\n"
                   "no tabs at all\n"
                   "D2\tonly one tab\n"
                   "\n"
                   "D3\t\t\n"
                   "last line");
    struct Expected {
        const char* disc;
        const char* program;
        const char* entry;
    };
    const Expected expected[] = {
        {"D1", "P1", "a.exe"},
        {"D1", "P1", "dir\\with\ttab.txt"},
        {"", "", "no tabs at all"},
        {"D2", "", "only one tab"},
        {"", "", ""},
        {"D3", "", ""},
        {"", "", "last line"},
    };
    ASSERT_EQ(list.size(), std::size(expected));
    for (std::size_t i = 0; i < list.size(); ++i) {
        EXPECT_EQ(list.line(i).disc, expected[i].disc) << i;
        EXPECT_EQ(list.line(i).program, expected[i].program) << i;
        EXPECT_EQ(list.line(i).entry, expected[i].entry) << i;
    }
}

TEST(ProgramList, DecodesWindows1252UnlessMarkedUtf8) {
    ProgramList ansi;
    ansi.loadBytes("Datavind 12\tSn\xf6"
                   "boll\tSN\xd6"
                   "BOLL.EXE\n");
    EXPECT_EQ(ansi.line(0).program, "Snöboll");
    EXPECT_EQ(ansi.line(0).entry, "SNÖBOLL.EXE");
    ProgramList utf8;
    utf8.loadBytes("\xEF\xBB\xBF"
                   "D\tP\tsnöboll.exe\n");
    EXPECT_EQ(utf8.line(0).disc, "D");
    EXPECT_EQ(utf8.line(0).entry, "snöboll.exe");
}

TEST(ProgramList, MatchesEntriesOnlyWithoutRegardToCase) {
    ProgramList list;
    list.loadBytes("\xEF\xBB\xBF"                 // UTF-8, marked
                   "Spel\tSnöboll\tsnöboll.exe\n" // 0
                   "Spel\tSnöboll\tLÄSMIG.TXT\n"  // 1
                   "Spel\tÅkeri\tåkeri.exe\n"     // 2
                   "Snö\tNytta\tkalkyl.exe\n"     // 3: only disc and program hold "snö"
                   "x\ty\tabc\n"                  // 4
                   "abc\tabc\tdef\n");            // 5
    EXPECT_EQ(matches(list, "SNÖ"), (std::vector<std::size_t>{0}));
    EXPECT_EQ(matches(list, "läsmig"), (std::vector<std::size_t>{1}));
    EXPECT_EQ(matches(list, "ÅKERI"), (std::vector<std::size_t>{2}));
    EXPECT_EQ(matches(list, ".exe"), (std::vector<std::size_t>{0, 2, 3}));
    EXPECT_EQ(matches(list, "abc"), (std::vector<std::size_t>{4}));
    EXPECT_EQ(matches(list, "c\nabc"), (std::vector<std::size_t>{})); // never across lines
    EXPECT_EQ(matches(list, "").size(), 6u);
    EXPECT_TRUE(matches(list, "saknas").empty());
}

TEST(ProgramList, MissingFileFailsAndLeavesItEmpty) {
    ProgramList list;
    list.loadBytes("a\tb\tc\n");
    EXPECT_FALSE(list.load("/nonexistent/filsok/proglist.txt"));
    EXPECT_TRUE(list.empty());
}

} // namespace
} // namespace dv
