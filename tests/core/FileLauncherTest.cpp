#include "core/browser/FileLauncher.h"

#include "RecordingPorts.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

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

// Real paths from a table: what each path really names.
class TablePaths : public RealPaths {
  public:
    explicit TablePaths(std::map<std::string, std::string> real) : real_(std::move(real)) {}
    std::optional<std::string> realPath(const std::string& path) const override {
        const auto it = real_.find(path);
        return it == real_.end() ? std::nullopt : std::optional<std::string>(it->second);
    }

  private:
    std::map<std::string, std::string> real_;
};

TEST(FileLauncher, TargetsAreJudgedByWhereTheyReallyLie) {
    const std::map<std::string, std::string> real = {
        {"/cd/", "/media/cd"},
        {"/cd/prog/setup.sh", "/media/cd/prog/setup.sh"},
        {"/cd/prog/sh", "/bin/sh"},                   // a link on the disc that leads out
        {"/cd/prog/../../etc/passwd", "/etc/passwd"}, // a path that climbs out
        {"/cd/docs", "/media/cd/docs"},
        {"/cd/ut", "/media/cdx/ut"},          // beside the disc, not in it
        {"/usr/bin/xterm", "/usr/bin/xterm"}, // written outside
    };
    const std::pair<const char*, bool> cases[] = {
        {"/cd/prog/setup.sh /S", true},
        {"/cd/prog/sh -c id", false},
        {"/cd/prog/../../etc/passwd", false},
        {"/cd/docs", true},
        {"/cd/ut", false},
        {"/usr/bin/xterm", false},
        {"/cd/saknas.sh", true}, // the launcher says it is not there
        {"http://www.datavind.example/", true},
    };
    for (const auto& [target, starts] : cases) {
        CallLog log;
        test::FakeLauncher launcher{log};
        test::FakeWaitingWindow waiting{log};
        test::FakeMessageBoxes boxes{&log};
        FileLauncher fileLauncher{launcher, waiting, boxes,
                                  std::make_unique<DiscTargets>("/cd/",
                                                                std::make_unique<TablePaths>(real),
                                                                PathCase::Sensitive)};
        EXPECT_EQ(fileLauncher.ExecuteFile(target), starts) << target;
        if (starts) {
            EXPECT_EQ(log.at(0), "waiting:shown") << target;
            continue;
        }
        // Refused as a file that is not there, before anything shows.
        EXPECT_EQ(log, (CallLog{"box:" + launcher.missingFileMessage() + " (" + target + ")"}))
            << target;
    }
}

} // namespace
} // namespace dv
