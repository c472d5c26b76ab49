#include "core/browser/StatusTextRule.h"

#include <gtest/gtest.h>

namespace dv {
namespace {

TEST(StatusTextRule, Table) {
    const std::pair<const char*, bool> cases[] = {
        {"command:EXECUTE=<thisdir>\\program\\setup.exe", false},
        {"file:///media/cdrom/docs/noje/index.htm", false},
        {"COMMAND:QUIT", true}, // only the lower-case scheme is hidden
        {"FILE:///x", true},
        {"http://www.datavind.example/", true},
        {"Klar", true},
        {"", true}, // an empty text clears the line
        {" command:x", true},
    };
    for (const auto& [text, shown] : cases)
        EXPECT_EQ(statusTextReachesStatusLine(text), shown) << "'" << text << "'";
}

} // namespace
} // namespace dv
