#include "core/browser/BrowserHost.h"

#include "RecordingPorts.h"

#include <gtest/gtest.h>

namespace dv {
namespace {

using test::CallLog;
using test::FakeBrowserHost;

TEST(CreateIE, AcceptsVersionFiveAndNewer) {
    struct Case {
        std::optional<std::string> version;
        bool accepted;
    };
    const Case cases[] = {{"5.0000", true}, {"4.7200", false},     {"6,0000", true},
                          {"", false},      {std::nullopt, false}, {"108.0", true}};
    for (const Case& c : cases) {
        CallLog log;
        FakeBrowserHost host(log);
        host.version = c.version;
        EXPECT_EQ(createIE(host), c.accepted) << c.version.value_or("<missing>");
        EXPECT_EQ(host.hasControl(), c.accepted);
        if (!c.accepted) {
            EXPECT_EQ(log, (CallLog{"create", "destroy"}));
        }
    }
}

TEST(CreateIE, ControlThatCannotBeCreated) {
    CallLog log;
    FakeBrowserHost host(log);
    host.canCreate = false;
    EXPECT_FALSE(createIE(host));
    EXPECT_EQ(log, CallLog{"create"});
}

TEST(CreateIE, ErrorDuringCreationLeavesNoControl) {
    CallLog log;
    FakeBrowserHost host(log);
    host.throwOnCreate = true;
    EXPECT_FALSE(createIE(host));
    EXPECT_FALSE(host.hasControl());
}

} // namespace
} // namespace dv
