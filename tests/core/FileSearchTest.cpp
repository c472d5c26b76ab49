#include "core/filesearch/FileSearch.h"

#include "RecordingPorts.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#ifdef __linux__
#include <sys/stat.h>
#endif

namespace dv {
namespace {

namespace fs = std::filesystem;

// Program names and entries of a tree, flattened for comparison:
// "D1/P1: a.exe, b.txt".
std::vector<std::string> flatten(const SearchTree& tree) {
    std::vector<std::string> out;
    for (const DiscNode& d : tree.discs)
        for (const ProgramNode& p : d.programs) {
            std::string s;
            s.append(d.name).append("/").append(p.name).append(":");
            for (const auto& e : p.entries)
                s.append(" ").append(e);
            out.push_back(s);
        }
    return out;
}

class FileSearchTest : public ::testing::Test {
  protected:
    fs::path root =
        fs::temp_directory_path() /
        ("filesearch-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    test::CallLog log;
    test::FakeMessageBoxes boxes{&log};
    test::FakeHourglass hourglass{&log};

    void SetUp() override { fs::create_directories(root / "filsok"); }
    void TearDown() override { fs::remove_all(root); }

    void write(const char* name, std::string_view bytes) {
        std::ofstream(root / "filsok" / name, std::ios::binary) << bytes;
    }
    FileSearch search() { return FileSearch(root.string() + "/", boxes, hourglass); }
    fs::path list() const { return root / "filsok" / "proglist.txt"; }
    fs::path current() const { return root / "filsok" / "aktuellt.txt"; }
};

constexpr std::string_view kFourLines =
    "D1\tP1\ta.exe\nD1\tP1\tb.txt\nD1\tP2\tA.DOC\nD2\tP1\tc.exe\n";

TEST_F(FileSearchTest, SearchAllDiscs) {
    write("proglist.txt", kFourLines);
    FileSearch s = search();
    EXPECT_EQ(s.DoSearch("a", true), FileSearch::Outcome::Searched);
    EXPECT_EQ(flatten(s.tree()), (std::vector<std::string>{"D1/P1: a.exe", "D1/P2: A.DOC"}));
    s.DoSearch("", true);
    EXPECT_EQ(flatten(s.tree()),
              (std::vector<std::string>{"D1/P1: a.exe b.txt", "D1/P2: A.DOC", "D2/P1: c.exe"}));
    s.DoSearch("saknas", true);
    EXPECT_TRUE(s.tree().empty());
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(FileSearchTest, ThisDiscOnly) {
    write("proglist.txt", kFourLines);
    write("aktuellt.txt", "D2\r\nandra raden\r\n");
    FileSearch s = search();
    s.readCurrentDisc();
    EXPECT_EQ(s.currentDisc(), "D2");
    s.DoSearch("", false);
    EXPECT_EQ(flatten(s.tree()), (std::vector<std::string>{"D2/P1: c.exe"}));
}

TEST_F(FileSearchTest, DiscNamesCompareExactly) {
    write("proglist.txt", "Datavind 12\tP\tx\ndatavind 12\tP\ty\n");
    write("aktuellt.txt", "Datavind 12");
    FileSearch s = search();
    s.readCurrentDisc();
    s.DoSearch("", false);
    EXPECT_EQ(flatten(s.tree()), (std::vector<std::string>{"Datavind 12/P: x"}));
}

TEST_F(FileSearchTest, GroupsOnlyAgainstThePreviousHit) {
    write("proglist.txt", "D1\tP1\tx\nD2\tP1\ty\nD1\tP1\tz\n");
    FileSearch s = search();
    s.DoSearch("", true);
    EXPECT_EQ(flatten(s.tree()), (std::vector<std::string>{"D1/P1: x", "D2/P1: y", "D1/P1: z"}));
}

TEST_F(FileSearchTest, SwedishLettersInEitherCaseAndWindows1252) {
    write("proglist.txt", "Datavind 11\tSn\xf6"
                          "bollskriget\tSN\xd6"
                          "BOLL.EXE\n"
                          "Datavind 11\tTomte\tl\xe4smig.txt\n");
    FileSearch s = search();
    s.DoSearch("snö", true);
    EXPECT_EQ(flatten(s.tree()),
              (std::vector<std::string>{"Datavind 11/Snöbollskriget: SNÖBOLL.EXE"}));
    s.DoSearch("LÄS", true);
    EXPECT_EQ(flatten(s.tree()), (std::vector<std::string>{"Datavind 11/Tomte: läsmig.txt"}));
}

TEST_F(FileSearchTest, MissingListIsReportedAndTriedAgain) {
    FileSearch s = search();
    EXPECT_EQ(s.DoSearch("a", true), FileSearch::Outcome::NothingLoaded);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Kunde inte ladda in programlistan! Kan därför inte söka.");
    EXPECT_EQ(boxes.shown[0].caption, "Datavinds cd");
    write("proglist.txt", kFourLines);
    EXPECT_EQ(s.DoSearch("a", true), FileSearch::Outcome::Searched);
    EXPECT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(s.tree().discs.size(), 1u);
}

TEST_F(FileSearchTest, EmptyListLeavesTheTreeAsItWas) {
    write("proglist.txt", kFourLines);
    FileSearch s = search();
    s.DoSearch("a", true);
    write("proglist.txt", "");
    // The list stays loaded for the window's lifetime: still searchable.
    s.DoSearch("c.exe", true);
    EXPECT_EQ(flatten(s.tree()), (std::vector<std::string>{"D2/P1: c.exe"}));

    FileSearch fresh = search();
    EXPECT_EQ(fresh.DoSearch("a", true), FileSearch::Outcome::NothingLoaded);
    EXPECT_TRUE(boxes.shown.empty()); // an empty file is no failure to read
}

TEST_F(FileSearchTest, UnknownCurrentDisc) {
    write("proglist.txt", "\tP\tno disc\nD1\tP\tx\n");
    FileSearch s = search();
    s.readCurrentDisc();
    EXPECT_FALSE(s.currentDiscKnown());
    s.DoSearch("", false);
    EXPECT_EQ(flatten(s.tree()), (std::vector<std::string>{"/P: no disc"}));
}

TEST_F(FileSearchTest, HourglassWhileLoadingAndSearchingNeverOverTheBox) {
    FileSearch s = search();
    s.DoSearch("a", true);
    EXPECT_EQ(log, (test::CallLog{"hourglass", "arrow",
                                  "box:Kunde inte ladda in programlistan! Kan därför inte söka."}));
    log.clear();
    write("proglist.txt", kFourLines);
    s.DoSearch("a", true);
    EXPECT_EQ(log,
              (test::CallLog{"hourglass", "arrow", "hourglass", "arrow"})); // load, then search
    log.clear();
    s.DoSearch("b", true);
    EXPECT_EQ(log, (test::CallLog{"hourglass", "arrow"})); // the list is kept
}

#ifdef __linux__
// A list or current-disc file that is no regular file: the list's own
// message, an unknown current disc, and never a wait on a FIFO.
TEST_F(FileSearchTest, SpecialFilesInsteadOfTheLists) {
    const std::pair<const char*, std::function<void(const fs::path&)>> kinds[] = {
        {"fifo", [](const fs::path& p) { ASSERT_EQ(mkfifo(p.c_str(), 0644), 0); }},
        {"directory", [](const fs::path& p) { fs::create_directory(p); }},
        {"dangling link", [](const fs::path& p) { fs::create_symlink("saknas.txt", p); }},
        {"device", [](const fs::path& p) { fs::create_symlink("/dev/zero", p); }},
    };
    for (const auto& [kind, make] : kinds) {
        fs::remove_all(list());
        fs::remove_all(current());
        make(list());
        make(current());
        boxes.shown.clear();
        FileSearch s = search();
        s.readCurrentDisc();
        EXPECT_FALSE(s.currentDiscKnown()) << kind;
        EXPECT_EQ(s.DoSearch("a", true), FileSearch::Outcome::NothingLoaded) << kind;
        ASSERT_EQ(boxes.shown.size(), 1u) << kind;
        EXPECT_EQ(boxes.shown[0].text, "Kunde inte ladda in programlistan! Kan därför inte söka.")
            << kind;
    }
}

TEST_F(FileSearchTest, ALinkToAListIsRead) {
    write("riktig.txt", kFourLines);
    fs::create_symlink("riktig.txt", list());
    FileSearch s = search();
    EXPECT_EQ(s.DoSearch("c.exe", true), FileSearch::Outcome::Searched);
    EXPECT_EQ(flatten(s.tree()), (std::vector<std::string>{"D2/P1: c.exe"}));
}

#endif

} // namespace
} // namespace dv
