#include "core/browser/CommandLinkFilter.h"

#include "core/browser/CommandQueue.h"

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
        {"command:EXECUTE=%3Cthisdir%3E%5Csn%F6boll.sh", true, false,
         "EXECUTE=<thisdir>\\snöboll.sh"},
        {"command:EXECUTE=%3Cthisdir%3E%5Csn%C3%B6boll.sh", true, false,
         "EXECUTE=<thisdir>\\snöboll.sh"},
        {"%43OMMAND:QUIT", true, false, "QUIT"},      // decoded before the prefix test
        {"command:QUIT", false, false, std::nullopt}, // outside pages never run commands
        {"command:FOO", true, false, "FOO"},
    };
    for (const Case& c : cases) {
        const NavigationDecision d = beforeNavigate(c.address, c.fromDisc);
        EXPECT_EQ(d.navigate, c.navigate) << c.address;
        EXPECT_EQ(d.command, c.command) << c.address;
    }
}

TEST(CommandLinkFilter, WrittenLinkAddress) {
    const std::pair<std::string, std::string> cases[] = {
        {"COMMAND:EXECUTE=a%zzb", "COMMAND:EXECUTE=a%zzb"}, // percent signs as written
        {"  \tcommand:QUIT \r\n", "command:QUIT"},
        {"COMMAND:EXE\nCUTE=a\tb", "COMMAND:EXECUTE=ab"},
        {std::string("\x01\x1f"
                     "COMMAND:QUIT\x00",
                     15),
         "COMMAND:QUIT"},
        {"COMMAND:EXECUTE=a b", "COMMAND:EXECUTE=a b"}, // inner blanks stay
        {"", ""},
    };
    for (const auto& [href, address] : cases)
        EXPECT_EQ(writtenLinkAddress(href), address) << href;
}

// A link's text as written reaches the decoder whole: one stray percent sign
// changes nothing else in the link.
TEST(CommandLinkFilter, StrayPercentSignsInWrittenLinks) {
    const std::pair<const char*, const char*> cases[] = {
        {"COMMAND:EXECUTE=a%zzb", "EXECUTE=ab"},
        {"COMMAND:EXECUTE=t%4", "EXECUTE=t\x04"},
        {"COMMAND:EXECUTE=u%", "EXECUTE=u"},
        {"COMMAND:EXECUTE=v%20w%zz", "EXECUTE=v w"},
    };
    for (const auto& [href, command] : cases) {
        const NavigationDecision d = beforeNavigate(writtenLinkAddress(href), true);
        EXPECT_FALSE(d.navigate) << href;
        EXPECT_EQ(d.command, std::optional<std::string>(command)) << href;
    }
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
    EXPECT_EQ(log,
              (std::vector<std::string>{"begin first", "end first", "begin second", "end second"}));
}

} // namespace
} // namespace dv
