#include "DocumentFolder.h"

#include "support/ServiceFixtures.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <thread>

namespace dv {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;
using Kind = DocumentFolder::Lookup::Kind;

const std::string kGood =
    "<dvcd><quarantine><quarantined>virus.exe</quarantined></quarantine></dvcd>";
const std::string kOther =
    "<dvcd><quarantine><quarantined>mask.exe</quarantined></quarantine></dvcd>";

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

bool mentions(const std::vector<std::string>& lines, const std::string& text) {
    return joined(lines).find(text) != std::string::npos;
}

// A new modification time, so that a rewrite within the same clock tick
// still counts as a new version.
void touchLater(const fs::path& file, int seconds) {
    fs::last_write_time(file, fs::file_time_type::clock::now() + std::chrono::seconds(seconds));
}

class DocumentFolderTest : public ::testing::Test {
  protected:
    TempFolder top;
    fs::path path = top / "docs";
    DocumentFolder folder{path};

    void SetUp() override { fs::create_directory(path); }
    void write(const std::string& name, const std::string& bytes) {
        top.write("docs/" + name, bytes);
    }
    std::string served(const std::string& id) {
        const auto found = folder.find(id);
        return found.kind == Kind::Found ? found.document->bytes : std::string();
    }
};

TEST_F(DocumentFolderTest, GoodBrokenAndUnknownDiscs) {
    write("ABC 2004.xml", kGood);
    write("trasig.xml", "<dvcd><quarantine>");
    write(".xml", kOther); // a disc without a label
    write("notes.txt", kGood);
    const auto log = folder.refresh();
    EXPECT_TRUE(mentions(log, "ABC 2004.xml: served, text/xml; charset=UTF-8, ")) << joined(log);
    EXPECT_TRUE(mentions(log, "trasig.xml: not served: ")) << joined(log);
    EXPECT_TRUE(mentions(log, "; its discs get an error answer")) << joined(log);
    EXPECT_EQ(served("ABC 2004"), kGood);
    EXPECT_EQ(served(""), kOther);
    EXPECT_EQ(folder.find("trasig").kind, Kind::Broken);
    EXPECT_EQ(folder.find("notes").kind, Kind::Unknown);
    EXPECT_EQ(folder.find("ABC 2004.xml").kind, Kind::Unknown);
    EXPECT_EQ(folder.find("XYZ").document->bytes, DocumentFolder::kEmptyDocument);
    // Nothing changed, nothing to say.
    EXPECT_TRUE(folder.refresh().empty());
}

TEST_F(DocumentFolderTest, ABrokenEditKeepsTheLastGoodVersion) {
    write("ABC.xml", kGood);
    folder.refresh();
    write("ABC.xml", "<dvcd><quar");
    touchLater(path / "ABC.xml", 1);
    const auto log = folder.refresh();
    EXPECT_TRUE(mentions(log, "ABC.xml: not served: ")) << joined(log);
    EXPECT_TRUE(mentions(log, "; its previous version still is")) << joined(log);
    EXPECT_EQ(served("ABC"), kGood);
    EXPECT_TRUE(folder.refresh().empty()); // reported once
    write("ABC.xml", kGood);
    touchLater(path / "ABC.xml", 2);
    EXPECT_TRUE(mentions(folder.refresh(), "ABC.xml: served again as before"));
    write("ABC.xml", kOther);
    touchLater(path / "ABC.xml", 3);
    EXPECT_TRUE(mentions(folder.refresh(), "ABC.xml: served"));
    EXPECT_EQ(served("ABC"), kOther);
}

TEST_F(DocumentFolderTest, AnUnreadableFolderKeepsEveryDocument) {
    write("ABC.xml", kGood);
    write("DEF.xml", kOther);
    folder.refresh();
    // Renamed away (or unmounted), then a file where the folder was.
    fs::rename(path, top / "elsewhere");
    auto log = folder.refresh();
    EXPECT_TRUE(mentions(
        log, path.string() + ": cannot be read (No such file or directory); the 2 documents read "
                             "before are still served"))
        << joined(log);
    EXPECT_EQ(served("ABC"), kGood);
    EXPECT_EQ(served("DEF"), kOther);
    EXPECT_TRUE(folder.refresh().empty()); // the same fault is logged once
    top.write("docs", "not a folder");
    EXPECT_TRUE(mentions(folder.refresh(), "cannot be read (Not a directory)"));
    EXPECT_EQ(served("ABC"), kGood);
    fs::remove(path);
    fs::rename(top / "elsewhere", path);
    EXPECT_TRUE(mentions(folder.refresh(), path.string() + ": can be read again"));
    EXPECT_EQ(served("DEF"), kOther);
}

TEST_F(DocumentFolderTest, AFolderNeverReadGivesNoDiscTheEmptyDocument) {
    // Started while the folder is missing (not yet mounted, a wrong path):
    // nothing is known, so no disc may be told that it has no document.
    fs::remove(path);
    auto log = folder.refresh();
    EXPECT_TRUE(mentions(
        log, path.string() + ": cannot be read (No such file or directory); every disc gets an "
                             "error answer until it can be read"))
        << joined(log);
    EXPECT_EQ(folder.find("ABC").kind, Kind::Unavailable);
    EXPECT_EQ(folder.find("XYZ").kind, Kind::Unavailable);
    EXPECT_EQ(folder.find("XYZ").document, nullptr);
    EXPECT_TRUE(folder.refresh().empty()); // the same fault is logged once
    fs::create_directory(path);
    write("ABC.xml", kGood);
    log = folder.refresh();
    EXPECT_TRUE(mentions(log, path.string() + ": can be read again")) << joined(log);
    EXPECT_EQ(served("ABC"), kGood);
    EXPECT_EQ(folder.find("XYZ").kind, Kind::Unknown);
}

TEST_F(DocumentFolderTest, AFileThatVanishesDuringAScanKeepsItsVersionAndTheScanGoesOn) {
    // A link whose file is gone is listed but cannot be opened: the state of
    // a file removed between the listing and its reading.
    fs::create_directory(path / "kept");
    write("kept/real.xml", kGood);
    fs::create_symlink("kept/real.xml", path / "AAA.xml");
    write("ZZZ.xml", kGood);
    folder.refresh();
    fs::remove(path / "kept/real.xml");
    write("ZZZ.xml", kOther);
    touchLater(path / "ZZZ.xml", 1);
    const auto log = folder.refresh();
    EXPECT_TRUE(mentions(
        log,
        "AAA.xml: cannot be read (No such file or directory); its last version is still served"))
        << joined(log);
    EXPECT_EQ(served("AAA"), kGood);
    EXPECT_EQ(served("ZZZ"), kOther); // read after the one that vanished
    // A file that vanished before it was ever read never was a document.
    fs::create_symlink("kept/never.xml", path / "BBB.xml");
    folder.refresh();
    EXPECT_EQ(folder.find("BBB").kind, Kind::Unknown);
}

TEST_F(DocumentFolderTest, FilesComingAndGoingNeverHideTheOthers) {
    write("ABC.xml", kGood);
    write("DEF.xml", kOther);
    folder.refresh();
    std::atomic<bool> done{false};
    std::thread churn([&] {
        for (int i = 0; !done; i = (i + 1) % 50) {
            const fs::path file = path / ("tmp" + std::to_string(i) + ".xml");
            std::ofstream(file) << kGood;
            std::error_code ignored;
            fs::remove(path / ("tmp" + std::to_string((i + 25) % 50) + ".xml"), ignored);
        }
    });
    for (int scan = 0; scan < 200; ++scan) {
        folder.refresh();
        ASSERT_EQ(served("ABC"), kGood) << "scan " << scan;
        ASSERT_EQ(served("DEF"), kOther) << "scan " << scan;
    }
    done = true;
    churn.join();
}

TEST_F(DocumentFolderTest, ARemovedDocumentIsStillServed) {
    write("ABC.xml", kGood);
    write("trasig.xml", "<dvcd");
    folder.refresh();
    fs::remove(path / "ABC.xml");
    fs::remove(path / "trasig.xml");
    const auto log = folder.refresh();
    EXPECT_TRUE(mentions(
        log, "ABC.xml: removed from the folder; its last version is still served until the "
             "service restarts"))
        << joined(log);
    EXPECT_TRUE(
        mentions(log, "trasig.xml: removed from the folder; its discs still get an error answer"));
    EXPECT_EQ(served("ABC"), kGood);
    EXPECT_EQ(folder.find("trasig").kind, Kind::Broken);
    EXPECT_TRUE(folder.refresh().empty());
    // Withdrawn the way that works: an empty document.
    write("ABC.xml", "<dvcd/>");
    folder.refresh();
    EXPECT_EQ(served("ABC"), "<dvcd/>");
}

TEST_F(DocumentFolderTest, AFileThatCannotBeReadIsNeverTheEmptyDocument) {
    ASSERT_EQ(::mkfifo((path / "pipe.xml").c_str(), 0600), 0);
    fs::create_directory(path / "dir.xml");
    const auto log = folder.refresh(); // returns: the pipe is not waited on
    EXPECT_TRUE(mentions(
        log, "pipe.xml: cannot be read (not a regular file); its discs get an error answer"));
    EXPECT_EQ(folder.find("pipe").kind, Kind::Broken);
    EXPECT_EQ(folder.find("dir").kind, Kind::Broken);
}

TEST_F(DocumentFolderTest, TooLargeDocumentsAreNotServed) {
    write("big.xml", "<dvcd>" + std::string(DocumentFolder::kMaxBytes, ' ') + "</dvcd>");
    const auto log = folder.refresh();
    EXPECT_TRUE(mentions(log, "big.xml: not served: too large: more than 1 MiB")) << joined(log);
    EXPECT_EQ(folder.find("big").kind, Kind::Broken);
}

TEST_F(DocumentFolderTest, LastModifiedNeverGoesBack) {
    write("ABC.xml", kGood);
    fs::last_write_time(path / "ABC.xml", fs::file_time_type::clock::now() - std::chrono::hours(2));
    folder.refresh();
    const std::time_t first = folder.find("ABC").document->modified;
    EXPECT_NEAR(static_cast<double>(first), static_cast<double>(std::time(nullptr) - 7200), 5);
    // An older file put back: still a newer version for caches.
    write("ABC.xml", kOther);
    fs::last_write_time(path / "ABC.xml", fs::file_time_type::clock::now() - std::chrono::hours(5));
    folder.refresh();
    EXPECT_GT(folder.find("ABC").document->modified, first);
    // A file dated in the future is dated now.
    write("ABC.xml", kGood);
    touchLater(path / "ABC.xml", 3600);
    folder.refresh();
    EXPECT_LE(folder.find("ABC").document->modified, std::time(nullptr));
}

TEST_F(DocumentFolderTest, NotesOnADocumentAreLoggedWithIt) {
    write("ABC.xml", "<dvcd><popup><url>C:\\format.com</url></popup></dvcd>");
    const auto log = folder.refresh();
    EXPECT_TRUE(mentions(log, "ABC.xml: note: Popup 1 \"C:\\format.com\" is skipped"))
        << joined(log);
}

TEST_F(DocumentFolderTest, OnlyFilesInTheFolderByTheirRealPathAreServed) {
    top.write("outside.xml", kOther);
    fs::create_directories(path / "kept");
    write("kept/real.xml", kGood);
    fs::create_symlink(top / "outside.xml", path / "absolute.xml");
    fs::create_symlink("../outside.xml", path / "relative.xml");
    fs::create_symlink("kept/../../outside.xml", path / "winding.xml");
    fs::create_symlink("kept/real.xml", path / "inside.xml");
    fs::create_symlink("/dev/zero", path / "device.xml");
    const auto log = folder.refresh();
    for (const char* name : {"absolute", "relative", "winding"}) {
        EXPECT_EQ(folder.find(name).kind, Kind::Broken) << name;
        EXPECT_TRUE(mentions(log, std::string(name) +
                                      ".xml: cannot be read (a link that leads out of the folder"))
            << joined(log);
    }
    EXPECT_EQ(served("inside"), kGood);
    EXPECT_EQ(folder.find("device").kind, Kind::Broken);
    EXPECT_TRUE(mentions(log, "device.xml: cannot be read (")) << joined(log);
    EXPECT_TRUE(folder.refresh().empty()) << "each is said once";
}

TEST_F(DocumentFolderTest, TheNamedFilesAloneAreReadAgain) {
    write("ABC.xml", kGood);
    write("XYZ.xml", kGood);
    folder.refresh();
    write("ABC.xml", kOther);
    write("XYZ.xml", kOther);
    touchLater(path / "ABC.xml", 1);
    touchLater(path / "XYZ.xml", 1);
    const auto log = folder.refresh({"ABC.xml", "notes.txt"});
    EXPECT_TRUE(mentions(log, "ABC.xml: served")) << joined(log);
    EXPECT_EQ(served("ABC"), kOther);
    EXPECT_EQ(served("XYZ"), kGood); // not named: as it was
    fs::remove(path / "ABC.xml");
    EXPECT_TRUE(mentions(folder.refresh({"ABC.xml"}), "ABC.xml: removed from the folder"));
    EXPECT_EQ(served("ABC"), kOther);
    write("NEW.xml", kGood);
    folder.refresh({"NEW.xml"});
    EXPECT_EQ(served("NEW"), kGood);
}

} // namespace
} // namespace dv
