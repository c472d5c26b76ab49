#include "core/app/UrlHost.h"

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

namespace dv {
namespace {

TEST(UrlHost, WebPageAddresses) {
    const std::pair<const char*, bool> cases[] = {
        {"http://www.datavind.example/", true},
        {"HTTPS://www.datavind.example/x?y=1", true},
        {"http://", false},
        {"ftp://ftp.example/", false},
        {"file:///etc/passwd", false},
        {"C:\\windows\\notepad.exe", false},
        {"/bin/sh", false},
        {"javascript:alert(1)", false},
        {"http://a.example/ b", false}, // a blank would split off parameters
        {"http://'a.example/x", false}, // and so would an apostrophe
        {"http://a.example/it%27s", true},
        {"", false},
    };
    for (const auto& [url, web] : cases)
        EXPECT_EQ(isWebPageAddress(url), web) << url;
}

TEST(UrlHost, SchemeOrPath) {
    const std::pair<const char*, bool> cases[] = {
        {"http://www.a.example/", true},
        {"https://a.example", true},
        {"mailto:red@a.example", true},
        {"ftp.a+b-c://x", true},
        {"C:\\Program\\x.exe", false},
        {"/media/cd/program/x.sh", false},
        {"program\\x.sh", false},
        {"file:/x", false},
        {"1http://x", false},
        {"ht_tp://x", false},
        {"http:", false},
        {"", false},
    };
    for (const auto& [target, scheme] : cases)
        EXPECT_EQ(hasUrlScheme(target), scheme) << target;
}

} // namespace
} // namespace dv
