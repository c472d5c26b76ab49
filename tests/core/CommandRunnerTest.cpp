#include "core/browser/CommandRunner.h"

#include "RecordingPorts.h"
#include "core/browser/FileLauncher.h"
#include "core/browser/TExtraInfoList.h"
#include "core/update/QuarantineList.h"

#include <gtest/gtest.h>

namespace dv {
namespace {

using test::CallLog;

class CommandRunnerTest : public ::testing::Test {
  protected:
    explicit CommandRunnerTest(std::string root = "/media/cd/")
        : runner{std::move(root),
                 {quarantine, notes, dialog, fileLauncher, window, status, boxes}} {}

    CallLog log;
    QuarantineList quarantine;
    TExtraInfoList notes;
    test::FakeExtraInfoDialog dialog{log};
    test::FakeLauncher launcher{log};
    test::FakeWaitingWindow waiting{log};
    test::FakeMessageBoxes boxes{&log};
    test::FakeWindowActions window{log};
    test::FakeStatusLine status;
    FileLauncher fileLauncher{launcher, waiting, boxes};
    CommandRunner runner;

    CallLog opened() const {
        CallLog o;
        for (const std::string& s : log)
            if (s.starts_with("open:"))
                o.push_back(s);
        return o;
    }
};

TEST_F(CommandRunnerTest, ExecuteStartsTheTargetUnderTheDisc) {
    runner.DoCommand("Execute=<THISDIR>\\program\\setup.sh /S");
    EXPECT_EQ(opened(), CallLog{"open:/media/cd\\program\\setup.sh|/S"});
}

TEST_F(CommandRunnerTest, QuarantinedAndDescribedItemGetsOnlyTheWarning) {
    quarantine.append("virus.sh");
    notes.Add({"virus.sh", "Läs detta", "", true});
    dialog.setNextAnswer(true);
    runner.DoCommand("EXECUTE=<thisdir>\\prog\\virus.sh");
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].caption, "Datavinds cd - Karantän!");
    EXPECT_NE(boxes.shown[0].text.find("(/media/cd\\prog\\virus.sh)"), std::string::npos);
    EXPECT_TRUE(opened().empty());
    EXPECT_EQ(std::count(log.begin(), log.end(), "note:Läs detta"), 0);
}

TEST_F(CommandRunnerTest, NoteAnsweredNoStartsNothingYesStarts) {
    notes.Add({"spel\\setup.sh", "Kräver 3D-kort", "", true});
    dialog.setNextAnswer(false);
    runner.DoCommand("EXECUTE=<thisdir>\\spel\\setup.sh");
    EXPECT_TRUE(opened().empty());
    dialog.setNextAnswer(true);
    runner.DoCommand("EXECUTE=<thisdir>\\spel\\setup.sh");
    EXPECT_EQ(opened(), CallLog{"open:/media/cd\\spel\\setup.sh|"});
    EXPECT_EQ(std::count(log.begin(), log.end(), "note:Kräver 3D-kort"), 2);
}

TEST_F(CommandRunnerTest, OtherVerbs) {
    runner.DoCommand("QUIT");
    runner.DoCommand("minimize");
    runner.DoCommand("FORMAT=C:");
    runner.DoCommand("ShowInetSettings");
    EXPECT_EQ(log, (CallLog{"close", "minimise", "inetsettings"}));
    EXPECT_EQ(status.current(), "Öppnar Kontrollpanelens Internetinställningar...");
}

TEST_F(CommandRunnerTest, NoSettingsProgramIsSaidOnTheStatusLine) {
    window.settingsProgramInstalled = false;
    runner.DoCommand("SHOWINETSETTINGS");
    EXPECT_EQ(status.texts,
              (std::vector<std::string>{"Öppnar Kontrollpanelens Internetinställningar...",
                                        "Hittade inget program för Internetinställningar."}));
}

// Where a desktop mounts a disc labelled "DV 12 2004".
class MountedWithBlanksTest : public CommandRunnerTest {
  protected:
    MountedWithBlanksTest() : CommandRunnerTest("/media/reader/DV 12 2004/") {}
};

TEST_F(MountedWithBlanksTest, DocumentLinkOpensTheWholePath) {
    runner.DoCommand("EXECUTE=<thisdir>\\tillagg\\kallkod.txt");
    EXPECT_EQ(opened(), CallLog{"open:/media/reader/DV 12 2004\\tillagg\\kallkod.txt|"});
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(MountedWithBlanksTest, ChecksAndTheBoxSeeTheWholeTarget) {
    notes.Add({"DV 12 2004\\spel\\setup.sh", "Kräver 3D-kort", "", true});
    dialog.setNextAnswer(true);
    launcher.nextError = "Det går inte att hitta filen.";
    runner.DoCommand("EXECUTE=<thisdir>\\spel\\setup.sh 'snabb start'");
    EXPECT_EQ(opened(), CallLog{"open:/media/reader/DV 12 2004\\spel\\setup.sh|snabb start"});
    EXPECT_EQ(std::count(log.begin(), log.end(), "note:Kräver 3D-kort"), 1);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(
        boxes.shown[0].text,
        "Det går inte att hitta filen. (/media/reader/DV 12 2004\\spel\\setup.sh 'snabb start')");

    quarantine.append("2004\\spel");
    runner.DoCommand("EXECUTE=<thisdir>\\spel\\setup.sh");
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[1].caption, "Datavinds cd - Karantän!");
    EXPECT_EQ(opened().size(), 1u);
}

} // namespace
} // namespace dv
