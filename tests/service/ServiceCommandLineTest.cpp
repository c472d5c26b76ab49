#include "ServiceCommandLine.h"

#include <gtest/gtest.h>

namespace dv {
namespace {

TEST(ServiceCommandLine, FolderPortAddressAndOptions) {
    const ServiceCommandLine plain = ServiceCommandLine::parse({"/srv/dvcd"});
    EXPECT_TRUE(plain.error.empty());
    EXPECT_EQ(plain.folder, "/srv/dvcd");
    EXPECT_EQ(plain.port, 8080);
    EXPECT_EQ(plain.address, "127.0.0.1");
    EXPECT_EQ(plain.settings.cacheLifetime, std::chrono::seconds(300));

    const ServiceCommandLine full = ServiceCommandLine::parse(
        {"--cache-seconds=60", "/srv/dvcd", "0", "::", "--max-connections=100",
         "--header-timeout=5", "--idle-timeout=7", "--threads=3"});
    EXPECT_TRUE(full.error.empty()) << full.error;
    EXPECT_EQ(full.port, 0);
    EXPECT_EQ(full.address, "::");
    EXPECT_EQ(full.settings.cacheLifetime, std::chrono::seconds(60));
    EXPECT_EQ(full.settings.maxConnections, 100U);
    EXPECT_EQ(full.settings.headerTimeout, std::chrono::seconds(5));
    EXPECT_EQ(full.settings.idleTimeout, std::chrono::seconds(7));
    EXPECT_EQ(full.settings.threads, 3U);

    EXPECT_TRUE(ServiceCommandLine::parse({"--help"}).help);
}

TEST(ServiceCommandLine, WhatItRefuses) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"a", "8080", "127.0.0.1", "extra"},
        {"a", "http"},
        {"a", "65536"},
        {"a", "-1"},
        {"a", "--cache-seconds=-5"},
        {"a", "--cache-seconds=five"},
        {"a", "--cache-seconds"},
        {"a", "--max-connections=0"},
        {"a", "--threads=0"},
        {"a", "--reuse-port"},
    };
    for (const auto& arguments : cases)
        EXPECT_FALSE(ServiceCommandLine::parse(arguments).error.empty())
            << ::testing::PrintToString(arguments);
}

} // namespace
} // namespace dv
