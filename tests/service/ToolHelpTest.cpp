// Every tool answers --help with its usage and exit status 0.

#include "support/ChildProcess.h"

#include <gtest/gtest.h>

#include <chrono>

#include <sys/stat.h>
#include <unistd.h>

namespace dv {
namespace {

TEST(ToolHelp, EveryToolAnswersHelpWithItsUsage) {
    const struct {
        const char* program;
        const char* usage;
    } tools[] = {
        {DVCD_UPDATE_SERVICE, "usage: dvcd-update-service"},
        {DVCD_PREVIEW, "usage: dvcd-preview"},
        {DVCD_CHECK, "usage: dvcd-check"},
        {DVCD_MASTER, "usage: dvcd-master"},
    };
    for (const auto& tool : tools)
        for (const char* asked : {"--help", "-h"}) {
            test::ChildProcess process({tool.program, asked});
            EXPECT_EQ(process.waitExit(std::chrono::seconds(30)), 0)
                << tool.program << " " << asked;
            EXPECT_NE(process.output().find(tool.usage), std::string::npos) << process.output();
        }
}

TEST(ToolHelp, ThePreviewRefusesSpecialFilesWithAMessage) {
    ::unlink("/tmp/dvcd-preview-test-fifo");
    ASSERT_EQ(::mkfifo("/tmp/dvcd-preview-test-fifo", 0600), 0);
    for (const char* special : {"/dev/zero", "/tmp/dvcd-preview-test-fifo", "/tmp"}) {
        test::ChildProcess process({DVCD_PREVIEW, special});
        EXPECT_EQ(process.waitExit(std::chrono::seconds(30)), 2) << special;
        EXPECT_NE(process.output().find(std::string("dvcd-preview: cannot read ") + special + ": "),
                  std::string::npos)
            << process.output();
    }
    ::unlink("/tmp/dvcd-preview-test-fifo");
}

} // namespace
} // namespace dv
