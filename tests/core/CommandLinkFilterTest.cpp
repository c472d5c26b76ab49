#include "browser/CommandLinkFilter.h"

#include "browser/CommandQueue.h"

#include <gtest/gtest.h>

namespace dv {
namespace {

TEST(CommandLinkFilter, Decisions) {
    struct Case {
        const char* address;
        bool fromDisc;
        bool navigate;
        std::optional<std::string> command;
    };
    const Case cases[] = {
        {"file:///cd/docs/noje/index.htm", true, true, std::nullopt},
        {"http://www.datavind.example/", false, true, std::nullopt},
        {"command:EXECUTE=%3Cthisdir%3E%5Cprogram%5Csetup.sh", true, false,
         "EXECUTE=<thisdir>\\program\\setup.sh"},
        {"COMMAND:EXECUTE=<thisdir>\\a+b.sh", true, false, "EXECUTE=<thisdir>\\a b.sh"},
        {"command:EXECUTE=%3Cthisdir%3E%5Csn%F6boll.sh", true, false, "EXECUTE=<thisdir>\\snöboll.sh"},
        {"command:EXECUTE=%3Cthisdir%3E%5Csn%C3%B6boll.sh", true, false, "EXECUTE=<thisdir>\\snöboll.sh"},
        {"%43OMMAND:QUIT", true, false, "QUIT"}, // decoded before the prefix test
        {"command:QUIT", false, false, std::nullopt}, // outside pages never run commands
        {"command:FOO", true, false, "FOO"},
    };
    for (const Case& c : cases) {
        const NavigationDecision d = beforeNavigate(c.address, c.fromDisc);
        EXPECT_EQ(d.navigate, c.navigate) << c.address;
        EXPECT_EQ(d.command, c.command) << c.address;
    }
}

TEST(CommandLinkFilter, InsideDisc) {
    EXPECT_TRUE(isInsideDisc("/media/cd/docs/noje/index.htm", "/media/cd/"));
    EXPECT_FALSE(isInsideDisc("/media/cdx/docs/index.htm", "/media/cd/"));
    EXPECT_FALSE(isInsideDisc("/home/elak/sida.htm", "/media/cd/"));
    EXPECT_FALSE(isInsideDisc("/media/cd/x", ""));
}

TEST(CommandQueue, ACommandArrivingDuringAnotherWaitsForIt) {
    std::vector<std::string> log;
    CommandQueue* self = nullptr;
    CommandQueue queue([&](const std::string& c) {
        log.push_back("begin " + c);
        if (c == "first")
            self->push("second"); // as if a dialog's event loop let another link through
        log.push_back("end " + c);
    });
    self = &queue;
    queue.push("first");
    EXPECT_EQ(log, (std::vector<std::string>{"begin first", "end first", "begin second", "end second"}));
}

} // namespace
} // namespace dv
