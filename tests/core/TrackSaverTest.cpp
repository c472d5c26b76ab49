#include "core/music/TrackSaver.h"

#include "RecordingPorts.h"
#include "core/text/Utf8Path.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>
#ifdef __linux__
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace dv {
namespace {

namespace fs = std::filesystem;

class ScriptedSaveDialog : public SaveDialog {
  public:
    std::optional<std::string> answer;
    std::string proposed;
    std::optional<std::string> askSaveFileName(const std::string& name) override {
        proposed = name;
        return answer;
    }
};

std::string readAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class TrackSaverTest : public ::testing::Test {
  protected:
    fs::path dir =
        fs::temp_directory_path() /
        ("save-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    ScriptedSaveDialog dialog;
    test::FakeMessageBoxes boxes;
    test::FakeStatusLine status;
    TrackSaver saver{dialog, boxes, status};
    std::string track;

    void SetUp() override {
        fs::create_directories(dir / "musik");
        track = utf8FromPath(dir / "musik" / pathFromUtf8("låt.mp3"));
        std::string bytes(300000, '\0');
        for (std::size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<char>(i * 7);
        std::ofstream(pathFromUtf8(track), std::ios::binary) << bytes;
    }
    void TearDown() override { fs::remove_all(dir); }
    std::size_t filesIn(const fs::path& p) {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(p), fs::directory_iterator()));
    }
};

TEST_F(TrackSaverTest, CopiesByteForByteAndSaysWhere) {
    const fs::path target = dir / pathFromUtf8("Min låt på disken.mp3");
    dialog.answer = utf8FromPath(target);
    saver.lbSaveMP3Click(track);
    EXPECT_EQ(dialog.proposed, "låt.mp3");
    EXPECT_EQ(readAll(target), readAll(pathFromUtf8(track)));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Filen sparad som \"" + utf8FromPath(target) + "\"!");
    EXPECT_EQ(boxes.shown[0].icon, MessageIcon::Information);
    EXPECT_EQ(filesIn(dir), 2u); // musik/ and the copy: nothing left over
}

TEST_F(TrackSaverTest, ReplacesAnExistingFile) {
    const fs::path target = dir / pathFromUtf8("gammal sång.mp3");
    std::ofstream(target) << "old";
    dialog.answer = utf8FromPath(target);
    saver.lbSaveMP3Click(track);
    EXPECT_EQ(readAll(target), readAll(pathFromUtf8(track)));
}

TEST_F(TrackSaverTest, CancelDoesNothing) {
    saver.lbSaveMP3Click(track);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(TrackSaverTest, NoTrackOrNoTargetFolderReachTheErrorReport) {
    dialog.answer = (dir / "x.mp3").string();
    EXPECT_THROW(saver.lbSaveMP3Click(""), std::runtime_error);
    EXPECT_EQ(dialog.proposed, "");
    dialog.answer = (dir / "saknas" / "x.mp3").string();
    EXPECT_THROW(saver.lbSaveMP3Click(track), std::runtime_error);
    EXPECT_TRUE(boxes.shown.empty());
}

#ifdef __linux__
// A full disk is made with a tiny tmpfs, which only Linux offers a test.
TEST_F(TrackSaverTest, FullDiskLeavesTheTargetAsItWas) {
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root to mount a small tmpfs";
    const fs::path small = dir / "small";
    fs::create_directories(small);
    ASSERT_EQ(mount("tmpfs", small.c_str(), "tmpfs", 0, "size=64k"), 0) << std::strerror(errno);
    const fs::path target = small / "befintlig.mp3";
    std::ofstream(target) << "the reader's own file";
    dialog.answer = utf8FromPath(target);
    saver.lbSaveMP3Click(track);
    const std::string kept = readAll(target);
    const std::size_t left = filesIn(small);
    umount(small.c_str());
    EXPECT_EQ(kept, "the reader's own file");
    EXPECT_EQ(left, 1u); // no part file left behind
    EXPECT_NE(status.current().find("No space left"), std::string::npos) << status.current();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(
        boxes.shown[0].text,
        "Kunde inte spara filen! Kontrollera så att det finns plats på disken, och - om du sparar "
        "på en nätverksenhet - att du har erforderliga rättigheter.");
    EXPECT_EQ(boxes.shown[0].icon, MessageIcon::Error);
}
#endif

#ifdef __linux__
// Unix permissions, links and FIFOs.
TEST_F(TrackSaverTest, AReplacedFileKeepsItsPermissions) {
    for (const fs::perms perms :
         {fs::perms::owner_read | fs::perms::owner_write,
          fs::perms::owner_all | fs::perms::group_read,
          fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read}) {
        const fs::path target = dir / "privat.mp3";
        fs::remove(target);
        std::ofstream(target) << "old";
        fs::permissions(target, perms);
        dialog.answer = target.string();
        saver.lbSaveMP3Click(track);
        EXPECT_EQ(readAll(target), readAll(track));
        EXPECT_EQ(fs::status(target).permissions(), perms) << static_cast<int>(perms);
    }
}

TEST_F(TrackSaverTest, ANewFileGetsTheUsualPermissions) {
    const mode_t mask = umask(022);
    const fs::path target = dir / "ny.mp3";
    dialog.answer = target.string();
    saver.lbSaveMP3Click(track);
    umask(mask);
    EXPECT_EQ(fs::status(target).permissions(), fs::perms::owner_read | fs::perms::owner_write |
                                                    fs::perms::group_read | fs::perms::others_read);
}

// A link is written through: the file it ends at gets the track, the copy is
// made beside that file, and the link stays a link.
TEST_F(TrackSaverTest, WritesThroughLinksToTheirTarget) {
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, std::string>> links; // link -> what it points at
        std::string savedAs;
        std::string endsAt;
    };
    fs::create_directories(dir / "a");
    fs::create_directories(dir / "b");
    const Case cases[] = {
        {"relative", {{"a/lank.mp3", "../b/fil.mp3"}}, "a/lank.mp3", "b/fil.mp3"},
        {"absolute", {{"a/lank.mp3", (dir / "b" / "fil.mp3").string()}}, "a/lank.mp3", "b/fil.mp3"},
        {"chain",
         {{"a/lank.mp3", "lank2.mp3"}, {"a/lank2.mp3", "../b/fil.mp3"}},
         "a/lank.mp3",
         "b/fil.mp3"},
        {"dangling", {{"a/lank.mp3", "../b/ny.mp3"}}, "a/lank.mp3", "b/ny.mp3"},
    };
    for (const Case& c : cases) {
        fs::remove_all(dir / "a");
        fs::remove_all(dir / "b");
        fs::create_directories(dir / "a");
        fs::create_directories(dir / "b");
        std::ofstream(dir / "b" / "fil.mp3") << "old";
        fs::permissions(dir / "b" / "fil.mp3", fs::perms::owner_read | fs::perms::owner_write);
        for (const auto& [link, to] : c.links)
            fs::create_symlink(to, dir / link);
        dialog.answer = (dir / c.savedAs).string();
        boxes.shown.clear();
        saver.lbSaveMP3Click(track);
        EXPECT_EQ(readAll(dir / c.endsAt), readAll(track)) << c.name;
        for (const auto& [link, to] : c.links) {
            EXPECT_TRUE(fs::is_symlink(dir / link)) << c.name << " " << link;
            EXPECT_EQ(fs::read_symlink(dir / link), to) << c.name;
        }
        EXPECT_EQ(filesIn(dir / "a"), c.links.size()) << c.name; // nothing left beside the link
        EXPECT_EQ(filesIn(dir / "b"), std::string(c.name) == "dangling" ? 2u : 1u) << c.name;
        if (std::string(c.name) != "dangling") {
            EXPECT_EQ(fs::status(dir / c.endsAt).permissions(),
                      fs::perms::owner_read | fs::perms::owner_write)
                << c.name;
        }
        ASSERT_EQ(boxes.shown.size(), 1u) << c.name;
        EXPECT_EQ(boxes.shown[0].icon, MessageIcon::Information) << c.name;
    }
}

TEST_F(TrackSaverTest, LinksInACircleAreAnErrorNotAHang) {
    fs::create_symlink("b.mp3", dir / "a.mp3");
    fs::create_symlink("a.mp3", dir / "b.mp3");
    dialog.answer = (dir / "a.mp3").string();
    EXPECT_THROW(saver.lbSaveMP3Click(track), std::runtime_error);
    EXPECT_TRUE(fs::is_symlink(dir / "a.mp3"));
}

TEST_F(TrackSaverTest, ASourceThatIsNoFileIsRefusedWithoutWaiting) {
    const fs::path fifo = dir / "musik" / "fifo.mp3";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
    dialog.answer = (dir / "x.mp3").string();
    EXPECT_THROW(saver.lbSaveMP3Click(fifo.string()), std::runtime_error);
    EXPECT_FALSE(fs::exists(dir / "x.mp3"));
    EXPECT_EQ(filesIn(dir), 1u); // only musik/
}

#endif

} // namespace
} // namespace dv
