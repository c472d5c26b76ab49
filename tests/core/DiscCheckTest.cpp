#include "DiscCheck.h"
#include "CheckMessages.h"
#include "DiscCheckCommand.h"
#include "PageCheck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace dv {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

// A copy of the sample disc, changed by each case.
class DiscCheckTest : public ::testing::Test {
  protected:
    fs::path root = fs::temp_directory_path() / ("disccheck-" + std::to_string(::getpid()));
    void SetUp() override {
        fs::remove_all(root);
        fs::copy(DATAVIND_SAMPLE_DISC, root, fs::copy_options::recursive);
    }
    void TearDown() override { fs::remove_all(root); }
};

void write(const fs::path& file, const std::string& bytes) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

void appendLink(const fs::path& page, const std::string& html) {
    std::ofstream(page, std::ios::binary | std::ios::app) << html << "\n";
}

int lines(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return static_cast<int>(std::count(std::istreambuf_iterator<char>(in), {}, '\n'));
}

// 128 bytes of ID3v1 with the given artist and title.
std::string tag(const std::string& artist, const std::string& title) {
    std::string block(128, '\0');
    block.replace(0, 3, "TAG");
    block.replace(3, title.size(), title);
    block.replace(33, artist.size(), artist);
    return block;
}

TEST_F(DiscCheckTest, SampleDiscIsClean) {
    const std::vector<CheckFinding> findings = DiscCheck(root.string(), {}).run();
    const CheckMessages english(Language::English);
    for (const CheckFinding& f : findings)
        ADD_FAILURE() << english.line(f);
    EXPECT_FALSE(DiscCheck::failed(findings));
}

struct Fault {
    const char* name;
    std::function<void(const fs::path& root)> make;
    FindingKind kind;
    Severity severity;
    const char* file;
    int line; // -1: the last line of the file as changed; 0: the whole file
};

class DiscFaults : public DiscCheckTest, public ::testing::WithParamInterface<Fault> {};

const fs::path kPage = "docs/nytta/index.htm";

const Fault kFaults[] = {
    {"page link to a file in another letter case",
     [](const fs::path& r) {
         appendLink(r / kPage, R"(<link rel="stylesheet" href="../Style.css">)");
     },
     FindingKind::PageLinkWrongCase, Severity::Error, "docs/nytta/index.htm", -1},
    {"page link to a missing picture",
     [](const fs::path& r) { appendLink(r / kPage, R"(<img src="bilder/saknas.gif">)"); },
     FindingKind::PageLinkMissing, Severity::Error, "docs/nytta/index.htm", -1},
    {"page link with backslashes and an escaped blank to a missing page",
     [](const fs::path& r) {
         appendLink(r / kPage, R"(<a href="..\noje\ny%20sida.htm#topp">x</a>)");
     },
     FindingKind::PageLinkMissing, Severity::Error, "docs/nytta/index.htm", -1},
    {"page link behind 300 elements left open, as old pages leave <font>",
     [](const fs::path& r) {
         std::string rows;
         for (int i = 0; i < 300; ++i)
             rows += "<font face=\"Arial\">rad " + std::to_string(i) + "<br>\n";
         appendLink(r / kPage, rows + R"(<img src="bilder/saknas.gif">)");
     },
     FindingKind::PageLinkMissing, Severity::Error, "docs/nytta/index.htm", -1},
    {"page link behind a NUL byte in an attribute",
     [](const fs::path& r) {
         appendLink(r / kPage,
                    "<p title=\"a"s + '\0' + "b\">x</p>\n" + R"(<img src="saknas.gif">)");
     },
     FindingKind::PageLinkMissing, Severity::Error, "docs/nytta/index.htm", -1},
    {"page link out of the disc",
     [](const fs::path& r) { appendLink(r / kPage, R"(<a href="../../../../etc/passwd">x</a>)"); },
     FindingKind::PageLinkOutsideDisc, Severity::Error, "docs/nytta/index.htm", -1},
    {"a web page in a frame",
     [](const fs::path& r) {
         appendLink(r / kPage, R"(<iframe src=" HTTPS://annons.example/ruta.htm"></iframe>)");
     },
     FindingKind::PageWebFrame, Severity::Warning, "docs/nytta/index.htm", -1},
    {"a web page in a frameset's frame",
     [](const fs::path& r) {
         appendLink(r / kPage, R"(<frameset><frame src="http://x.example/"></frameset>)");
     },
     FindingKind::PageWebFrame, Severity::Warning, "docs/nytta/index.htm", -1},
    {"command link whose verb does not parse",
     [](const fs::path& r) {
         appendLink(r / kPage, R"(<a href="COMMAND:EXECUT=<thisdir>\program\installera.sh">x</a>)");
     },
     FindingKind::CommandUnknownVerb, Severity::Error, "docs/nytta/index.htm", -1},
    {"command link with nothing to start",
     [](const fs::path& r) { appendLink(r / kPage, R"(<a href="command:execute=">x</a>)"); },
     FindingKind::CommandWithoutTarget, Severity::Error, "docs/nytta/index.htm", -1},
    {"command link, percent-encoded, to a missing target",
     [](const fs::path& r) {
         appendLink(r / kPage,
                    R"(<a href="COMMAND%3aEXECUTE=%3cthisdir%3e\program\saknas.sh">x</a>)");
     },
     FindingKind::CommandTargetMissing, Severity::Error, "docs/nytta/index.htm", -1},
    {"command link whose target is missing in any letter case",
     [](const fs::path& r) {
         appendLink(r / kPage,
                    R"(<a href="COMMAND:EXECUTE=<THISDIR>\PROGRAM\INSTALLERA.BAT">x</a>)");
     },
     FindingKind::CommandTargetMissing, Severity::Error, "docs/nytta/index.htm", -1},
    {"command link to a program of the reader's system",
     [](const fs::path& r) {
         appendLink(r / kPage, R"(<a href="COMMAND:EXECUTE=/usr/bin/xterm">x</a>)");
     },
     FindingKind::CommandTargetOffDisc, Severity::Error, "docs/nytta/index.htm", -1},
    {"command link that climbs out of the disc",
     [](const fs::path& r) {
         appendLink(r / kPage, R"(<a href="COMMAND:EXECUTE=<thisdir>\..\..\bin\sh">x</a>)");
     },
     FindingKind::CommandTargetOffDisc, Severity::Error, "docs/nytta/index.htm", -1},
    {"command link to a program whose folder holds a blank, not in apostrophes",
     [](const fs::path& r) {
         write(r / "program/mitt spel/spel.sh", "#!/bin/sh\n");
         appendLink(r / kPage,
                    R"(<a href="COMMAND:EXECUTE=<thisdir>\program\mitt spel\spel.sh">x</a>)");
     },
     FindingKind::CommandTargetCutAtBlank, Severity::Error, "docs/nytta/index.htm", -1},
    {"command link to a script that is no program",
     [](const fs::path& r) {
         write(r / "program/starta.sh", "echo no interpreter line\n");
         appendLink(r / kPage, R"(<a href="COMMAND:EXECUTE=<thisdir>\program\starta.sh">x</a>)");
     },
     FindingKind::CommandNotAProgram, Severity::Error, "docs/nytta/index.htm", -1},
    {"command link to a Windows program",
     [](const fs::path& r) {
         write(r / "program/setup.exe", "MZ");
         appendLink(r / kPage, R"(<a href="COMMAND:EXECUTE=<thisdir>\program\SETUP.EXE">x</a>)");
     },
     FindingKind::CommandWindowsProgram, Severity::Warning, "docs/nytta/index.htm", -1},
    {"command link giving parameters to a document",
     [](const fs::path& r) {
         appendLink(r / kPage,
                    R"(<a href="COMMAND:EXECUTE=<thisdir>\tillagg\kallkod.txt -v">x</a>)");
     },
     FindingKind::CommandDocumentWithParameters, Severity::Warning, "docs/nytta/index.htm", -1},
    {"command link without <thisdir>",
     [](const fs::path& r) {
         appendLink(r / kPage, R"(<a href="COMMAND:EXECUTE=program\installera.sh">x</a>)");
     },
     FindingKind::CommandTargetRelative, Severity::Warning, "docs/nytta/index.htm", -1},
    {"missing section page", [](const fs::path& r) { fs::remove(r / "docs/omdv/index.htm"); },
     FindingKind::SectionPageMissing, Severity::Error, "docs/omdv/index.htm", 0},
    {"page larger than the bound",
     [](const fs::path& r) {
         appendLink(r / kPage, "<p>" + std::string(600 * 1024, 'x') + "</p>");
     },
     FindingKind::PageTooLarge, Severity::Error, "docs/nytta/index.htm", 0},
    {"list without the current disc",
     [](const fs::path& r) { write(r / "filsok/aktuellt.txt", "Datavind 13/2004\r\n"); },
     FindingKind::CurrentDiscNotListed, Severity::Error, "filsok/aktuellt.txt", 1},
    {"no current disc named", [](const fs::path& r) { fs::remove(r / "filsok/aktuellt.txt"); },
     FindingKind::CurrentDiscUnknown, Severity::Error, "filsok/aktuellt.txt", 0},
    {"program list missing", [](const fs::path& r) { fs::remove(r / "filsok/proglist.txt"); },
     FindingKind::ProgramListUnreadable, Severity::Error, "filsok/proglist.txt", 0},
    {"program list empty", [](const fs::path& r) { write(r / "filsok/proglist.txt", ""); },
     FindingKind::ProgramListEmpty, Severity::Error, "filsok/proglist.txt", 0},
    {"program list line without columns",
     [](const fs::path& r) {
         std::ofstream(r / "filsok/proglist.txt", std::ios::app) << "bara en fil.exe\r\n";
     },
     FindingKind::ProgramListLineWithoutColumns, Severity::Warning, "filsok/proglist.txt", -1},
    {"track without a tag",
     [](const fs::path& r) { write(r / "musik/Vinterljus.mp3", std::string(4096, '\x55')); },
     FindingKind::TrackWithoutTag, Severity::Error, "musik/Vinterljus.mp3", 0},
    {"track whose tag is all blanks",
     [](const fs::path& r) {
         write(r / "musik/Vinterljus.mp3", std::string(4096, '\x55') + tag("  ", " "));
     },
     FindingKind::TrackWithoutTag, Severity::Error, "musik/Vinterljus.mp3", 0},
    {"no track at all", [](const fs::path& r) { fs::remove(r / "musik/Vinterljus.mp3"); },
     FindingKind::NoTrack, Severity::Error, "musik", 0},
    {"two tracks",
     [](const fs::path& r) {
         write(r / "musik/Andra.MP3", std::string(4096, '\x55') + tag("Band", "Song"));
     },
     FindingKind::SeveralTracks, Severity::Warning, "musik", 0},
    {"symbolic link to a file outside the disc",
     [](const fs::path& r) { fs::create_symlink("/etc/passwd", r / "tillagg/extra.txt"); },
     FindingKind::DiscLink, Severity::Error, "tillagg/extra.txt", 0},
    {"page that is a symbolic link within the disc",
     [](const fs::path& r) { fs::create_symlink("index.htm", r / "docs/nytta/kopia.htm"); },
     FindingKind::DiscLink, Severity::Error, "docs/nytta/kopia.htm", 0},
    {"folder that is a symbolic link",
     [](const fs::path& r) { fs::create_directory_symlink("../tillagg", r / "program/tillagg"); },
     FindingKind::DiscLink, Severity::Error, "program/tillagg", 0},
    {"hidden screen's film missing",
     [](const fs::path& r) { fs::remove(r / "Webblasare/ie6sv/ROMCONF.CAB"); },
     FindingKind::HiddenScreenFilmMissing, Severity::Error, "Webblasare/ie6sv/ROMCONF.CAB", 0},
};

TEST_P(DiscFaults, FoundWhereItIs) {
    const Fault& fault = GetParam();
    fault.make(root);
    const std::vector<CheckFinding> findings = DiscCheck(root.string(), {}).run();
    const int line = fault.line >= 0 ? fault.line : lines(root / fault.file);
    const auto found = std::find_if(findings.begin(), findings.end(), [&](const CheckFinding& f) {
        return f.kind == fault.kind && f.file == fault.file && f.line == line;
    });
    const CheckMessages english(Language::English);
    std::string all;
    for (const CheckFinding& f : findings)
        all += english.line(f) + "\n";
    ASSERT_NE(found, findings.end()) << fault.name << "; found:\n" << all;
    EXPECT_EQ(found->severity, fault.severity) << fault.name;
    // Nothing else is wrong with the disc.
    EXPECT_EQ(findings.size(), 1u) << fault.name << "; found:\n" << all;
    EXPECT_EQ(DiscCheck::failed(findings), fault.severity == Severity::Error) << fault.name;
}

void PrintTo(const Fault& fault, std::ostream* out) {
    *out << fault.name;
}

INSTANTIATE_TEST_SUITE_P(Faults, DiscFaults, ::testing::ValuesIn(kFaults),
                         [](const ::testing::TestParamInfo<Fault>& param) {
                             std::string name;
                             for (const char c : std::string(param.param.name))
                                 name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return name;
                         });

// Root reads every file whatever its mode; an editor does not. Without
// these two capabilities this thread reads as its owner would.
class ReadAsAnOwner {
  public:
    ReadAsAnOwner() {
        ::syscall(SYS_capget, &header_, saved_);
        __user_cap_data_struct reduced[2] = {saved_[0], saved_[1]};
        reduced[0].effective &= ~((1U << CAP_DAC_OVERRIDE) | (1U << CAP_DAC_READ_SEARCH));
        ::syscall(SYS_capset, &header_, reduced);
    }
    ~ReadAsAnOwner() { ::syscall(SYS_capset, &header_, saved_); }
    ReadAsAnOwner(const ReadAsAnOwner&) = delete;
    ReadAsAnOwner& operator=(const ReadAsAnOwner&) = delete;

  private:
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved_[2]{};
};

TEST_F(DiscCheckTest, WhatCannotBeReadIsReportedAndTheRestIsStillChecked) {
    // A missing page linked from every folder, so that a walk that stops
    // early leaves some unreported.
    std::vector<std::string> pages = {"zz.htm"};
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_directory())
            pages.push_back(fs::relative(entry.path() / "zz.htm", root).string());
    for (const std::string& page : pages)
        write(root / page, "<a href=\"saknas.htm\">x</a>\n");
    write(root / "docs/hemlig/index.htm", "<p>ok</p>");
    write(root / "tillagg/privat.txt", "hemligt");
    fs::permissions(root / "docs/hemlig", fs::perms::none);
    fs::permissions(root / "tillagg/privat.txt", fs::perms::none);
    std::vector<CheckFinding> findings;
    {
        const ReadAsAnOwner owner;
        findings = DiscCheck(root.string(), {}).run();
    }
    fs::permissions(root / "docs/hemlig", fs::perms::owner_all);
    const auto has = [&](FindingKind kind, const std::string& file) {
        return std::any_of(findings.begin(), findings.end(),
                           [&](const CheckFinding& f) { return f.kind == kind && f.file == file; });
    };
    EXPECT_TRUE(has(FindingKind::FolderUnreadable, "docs/hemlig"));
    EXPECT_TRUE(has(FindingKind::FileUnreadable, "tillagg/privat.txt"));
    for (const std::string& page : pages)
        EXPECT_TRUE(has(FindingKind::PageLinkMissing, page)) << page << " was not checked";
    EXPECT_TRUE(DiscCheck::failed(findings));
}

TEST_F(DiscCheckTest, NamesAreMatchedAsTheProgramMatchesThem) {
    // Hot-spot pages, command targets and the film are found whatever their case.
    fs::rename(root / "docs/hjalp/index.htm", root / "docs/hjalp/INDEX.HTM");
    fs::rename(root / "Webblasare/ie6sv/ROMCONF.CAB", root / "Webblasare/ie6sv/romconf.cab");
    fs::rename(root / "musik/Vinterljus.mp3", root / "musik/Vinterljus.Mp3");
    appendLink(root / kPage,
               R"(<a href="CoMmAnD:eXeCuTe=<ThisDir>\PROGRAM\Installera.SH 'Ett spel'">x</a>)");
    const std::vector<CheckFinding> findings = DiscCheck(root.string(), {}).run();
    EXPECT_TRUE(findings.empty());
}

// The editor's copy lies where a desktop mounts a disc, under a label with
// blanks: links without apostrophes are cut before the root goes in, as the
// program cuts them.
TEST_F(DiscCheckTest, SampleDiscIsCleanInAFolderWithBlanks) {
    const fs::path mounted = root / "läsare" / "DV 12 2004";
    fs::create_directories(mounted.parent_path());
    fs::copy(DATAVIND_SAMPLE_DISC, mounted, fs::copy_options::recursive);
    const CheckMessages english(Language::English);
    for (const CheckFinding& f : DiscCheck(mounted.string(), {}).run())
        ADD_FAILURE() << english.line(f);
}

TEST_F(DiscCheckTest, APathWithBlanksInApostrophesIsFound) {
    write(root / "program/mitt spel/spel å.sh", "#!/bin/sh\n");
    appendLink(
        root / kPage,
        R"(<a href="COMMAND:EXECUTE='<thisdir>\program\mitt spel\spel å.sh' 'en parameter'">x</a>)");
    const CheckMessages english(Language::English);
    for (const CheckFinding& f : DiscCheck(root.string(), {}).run())
        ADD_FAILURE() << english.line(f);
}

TEST_F(DiscCheckTest, RelativeLinksFollowThePagesBase) {
    // The browser resolves relative links from <base href>, not from the page.
    write(root / "docs/nytta/bas.htm",
          R"(<html><head><base href="../../tillagg/"></head><body>)"
          R"(<a href="kallkod.txt">a</a><a href="../docs/style.css">b</a>)"
          "\n"
          R"(<a href="saknas.txt">c</a></body></html>)");
    write(root / "docs/nytta/webb.htm",
          R"(<base href="http://www.datavind.example/arkiv/"><a href="gammal.htm">d</a>)");
    const std::vector<CheckFinding> findings = DiscCheck(root.string(), {}).run();
    const CheckMessages english(Language::English);
    std::string all;
    for (const CheckFinding& f : findings)
        all += english.line(f) + "\n";
    EXPECT_EQ(all, "docs/nytta/bas.htm:2: error: links to saknas.txt, which is not on the disc\n");
}

TEST_F(DiscCheckTest, WebAddressesAndOtherVerbsAreNotFiles) {
    appendLink(root / kPage, R"(<a href="http://www.datavind.example/saknas.htm">a</a>)"
                             R"(<a href="mailto:red@datavind.example">b</a>)"
                             R"(<a href="COMMAND:EXECUTE=https://www.datavind.example/">c</a>)"
                             R"(<a href="COMMAND:QUIT">d</a><a href="command:minimize">e</a>)"
                             R"(<a href="COMMAND:SHOWINETSETTINGS">f</a><a href="#topp">g</a>)");
    EXPECT_TRUE(DiscCheck(root.string(), {}).run().empty());
}

TEST_F(DiscCheckTest, ReportInEitherLanguageAndExitStatus) {
    fs::remove(root / "docs/omdv/index.htm");
    struct Case {
        std::vector<std::string> arguments;
        int status;
        const char* wanted;
    };
    const Case cases[] = {
        {{root.string()},
         1,
         "docs/omdv/index.htm: error: the page of the hot-spot lbTMom does not exist "
         "(docs/omdv/index.htm)\n"
         "1 error, 0 warnings\n"},
        {{root.string(), "--lang", "sv"},
         1,
         "docs/omdv/index.htm: fel: sidan som hot-spoten lbTMom leder till finns inte "
         "(docs/omdv/index.htm)\n"
         "1 fel, 0 varningar\n"},
        {{root.string(), "--lang", "de"}, 2, ""},
        {{root.string(), "--max-page-size", "tio"}, 2, ""},
        {{(root / "saknas").string()}, 2, ""},
        {{}, 2, ""},
    };
    // The findings and the summary, then the room left on the disc (the
    // sample disc's size is DiscRoomTest's business).
    const auto withoutRoom = [](const std::string& text) {
        const auto at = text.find("the disc's own content takes ");
        EXPECT_TRUE(text.empty() || at != std::string::npos) << text;
        return at == std::string::npos ? text : text.substr(0, at);
    };
    for (const Case& c : cases) {
        std::ostringstream out, err;
        EXPECT_EQ(runDiscCheckCommand(c.arguments, out, err), c.status) << err.str();
        EXPECT_EQ(withoutRoom(out.str()), c.wanted);
        if (c.status == 2) {
            EXPECT_NE(err.str().find("usage: dvcd-check"), std::string::npos);
        }
    }
    write(root / "docs/omdv/index.htm", "<p>ok</p>");
    std::ostringstream out, err;
    EXPECT_EQ(runDiscCheckCommand({root.string(), "--max-page-size", "100"}, out, err), 1);
    EXPECT_NE(out.str().find("docs/ettan/index.htm: error: the page is"), std::string::npos)
        << out.str();
    std::ostringstream clean;
    EXPECT_EQ(runDiscCheckCommand({root.string()}, clean, err), 0);
    EXPECT_EQ(withoutRoom(clean.str()), "0 errors, 0 warnings\n");
}

std::size_t countOf(const std::vector<CheckFinding>& findings, FindingKind kind) {
    return static_cast<std::size_t>(std::count_if(
        findings.begin(), findings.end(), [&](const CheckFinding& f) { return f.kind == kind; }));
}

TEST_F(DiscCheckTest, APageOverItsBoundIsReportedAndNotRead) {
    std::string page = R"(<a href="saknas.htm">x</a>)"
                       "\n";
    page += std::string(600 * 1024, ' ');
    write(root / "docs/nytta/stor.htm", page);
    const auto findings = DiscCheck(root.string(), {}).run();
    EXPECT_EQ(countOf(findings, FindingKind::PageTooLarge), 1u);
    EXPECT_EQ(countOf(findings, FindingKind::PageLinkMissing), 0u) << "the page was read";
}

TEST_F(DiscCheckTest, EachKindIsShownAFewTimesAPageAndTheRestCounted) {
    std::string links;
    for (int i = 0; i < 100; ++i)
        links += "<a href=\"saknas" + std::to_string(i) + ".htm\">x</a>\n";
    appendLink(root / kPage, links);
    const auto findings = DiscCheck(root.string(), {}).run();
    EXPECT_EQ(countOf(findings, FindingKind::PageLinkMissing),
              static_cast<std::size_t>(PageCheck::kMaxPerKind));
    ASSERT_EQ(countOf(findings, FindingKind::FindingsLeftOut), 1u);
    const auto left = std::find_if(findings.begin(), findings.end(), [](const CheckFinding& f) {
        return f.kind == FindingKind::FindingsLeftOut;
    });
    EXPECT_EQ(left->arguments.front(), "80");
    EXPECT_EQ(left->severity, Severity::Error);
    EXPECT_TRUE(DiscCheck::failed(findings));
}

TEST_F(DiscCheckTest, AnElementWithTooManyAttributesIsReadInPart) {
    std::string element = "<img";
    for (int i = 0; i < 1000; ++i)
        element += " a" + std::to_string(i) + "='x y'";
    appendLink(root / kPage, element + " src=\"saknas.gif\">\n<a href=\"borta.htm\">x</a>");
    const int last = lines(root / kPage);
    const auto findings = DiscCheck(root.string(), {}).run();
    EXPECT_EQ(countOf(findings, FindingKind::PageElementCrowded), 1u);
    // The link past the element is still read, on its own line.
    const auto missing = std::find_if(findings.begin(), findings.end(), [](const CheckFinding& f) {
        return f.kind == FindingKind::PageLinkMissing;
    });
    ASSERT_NE(missing, findings.end());
    EXPECT_EQ(missing->arguments.front(), "borta.htm");
    EXPECT_EQ(missing->line, last);
}

TEST_F(DiscCheckTest, GarbageFromTheDiscIsShownEscaped) {
    write(root / "filsok/aktuellt.txt", "\x1B]0;titel\x07\x1B[2J\x9B disc \xC2\x9B\r\n");
    std::ostringstream out, err;
    runDiscCheckCommand({root.string()}, out, err);
    const std::string report = out.str();
    for (const char control : {'\x1B', '\x07', '\x9B'})
        EXPECT_EQ(report.find(control), std::string::npos) << report;
    EXPECT_NE(report.find("\\x1B]0;titel\\x07\\x1B[2J"), std::string::npos) << report;
}

} // namespace
} // namespace dv
