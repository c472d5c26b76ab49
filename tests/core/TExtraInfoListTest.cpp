#include "core/browser/TExtraInfoList.h"

#include <gtest/gtest.h>

namespace dv {
namespace {

TEST(TExtraInfoList, FindsFirstMatchCaseSensitively) {
    TExtraInfoList list;
    EXPECT_EQ(list.Find("/cd\\spel\\setup.exe"), nullptr);
    list.Add({"", "tom", "", true});
    list.Add({"setup.exe", "första", "", true});
    list.Add({"spel\\setup.exe", "andra", "", false});
    const TExtraInfo* hit = list.Find("/cd\\spel\\setup.exe");
    ASSERT_NE(hit, nullptr);
    EXPECT_EQ(hit->Information, "första");
    EXPECT_EQ(list.Find("/cd\\spel\\SETUP.EXE"), nullptr);
    EXPECT_EQ(list.Find("/cd\\annat.txt"), nullptr); // the empty FileName never matches
    EXPECT_EQ(list.Count(), 3u);
    list.Clear();
    EXPECT_EQ(list.Find("/cd\\spel\\setup.exe"), nullptr);
}

} // namespace
} // namespace dv
