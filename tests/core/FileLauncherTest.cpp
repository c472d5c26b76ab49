#include "browser/FileLauncher.h"

#include "RecordingPorts.h"

#include <gtest/gtest.h>

namespace dv {
namespace {

using test::CallLog;

struct LaunchFixture {
    CallLog log;
    test::FakeLauncher launcher{log};
    test::FakeWaitingWindow waiting{log};
    test::FakeMessageBoxes boxes{&log};
    FileLauncher fileLauncher{launcher, waiting, boxes};
};

TEST(FileLauncher, SplitsAndStartsWithWaitingWindowAround) {
    LaunchFixture f;
    EXPECT_TRUE(f.fileLauncher.ExecuteFile("/cd/setup.sh 'tre ord här'"));
    EXPECT_EQ(f.log, (CallLog{"waiting:shown", "open:/cd/setup.sh|tre ord här", "waiting:hidden"}));
}

TEST(FileLauncher, RefusalIsReportedAfterTheWaitingWindowIsGone) {
    LaunchFixture f;
    f.launcher.nextError = "Filen eller katalogen finns inte";
    EXPECT_FALSE(f.fileLauncher.ExecuteFile("/cd/saknas.sh /S"));
    EXPECT_EQ(f.log, (CallLog{"waiting:shown", "open:/cd/saknas.sh|/S", "waiting:hidden",
                              "box:Filen eller katalogen finns inte (/cd/saknas.sh /S)"}));
    EXPECT_EQ(f.boxes.shown.at(0).caption, "Datavinds cd");
    EXPECT_EQ(f.boxes.shown.at(0).icon, MessageIcon::Error);
}

} // namespace
} // namespace dv
