#include "app/UrlHost.h"

#include <gtest/gtest.h>

namespace dv {
namespace {

TEST(UrlHost, Table) {
    const std::pair<const char*, const char*> cases[] = {
        {"http://www.datavind.example/", "www.datavind.example"},
        {"https://www.datavind.example", "www.datavind.example"},
        {"http://www.a.example:8080/x?y", "www.a.example"},
        {"http://user:pw@host.example/", "host.example"},
        {"http://[::1]:8080/", "[::1]"},
        {"www.datavind.example", ""},
        {"", ""},
    };
    for (const auto& [url, host] : cases)
        EXPECT_EQ(hostName(url), host) << url;
}

} // namespace
} // namespace dv
