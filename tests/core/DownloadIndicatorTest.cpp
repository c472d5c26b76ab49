#include "core/browser/DownloadIndicator.h"

#include "RecordingPorts.h"

#include <gtest/gtest.h>

namespace dv {
namespace {

using Calls = std::vector<std::string>;

TEST(DownloadIndicator, BeginShowsCompleteHides) {
    test::FakeProgressView view;
    DownloadIndicator indicator(view);
    indicator.downloadBegin();
    EXPECT_TRUE(view.visible);
    indicator.downloadComplete();
    EXPECT_FALSE(view.visible);
}

TEST(DownloadIndicator, ProgressSetsPositionThenMaximumRaw) {
    test::FakeProgressView view;
    DownloadIndicator indicator(view);
    indicator.downloadBegin();
    indicator.progressChange(2500, 10000);
    EXPECT_EQ(view.calls, (Calls{"show", "pos:2500", "max:10000"}));
    EXPECT_TRUE(view.visible);
}

TEST(DownloadIndicator, ProgressMinusOneHidesBetweenBeginAndComplete) {
    test::FakeProgressView view;
    DownloadIndicator indicator(view);
    indicator.downloadBegin();
    indicator.progressChange(-1, 100);
    EXPECT_FALSE(view.visible);
    EXPECT_EQ(view.calls, (Calls{"show", "pos:-1", "max:100", "hide"}));
    indicator.downloadComplete();
    EXPECT_FALSE(view.visible);
}

} // namespace
} // namespace dv
