#include "win32/support/ScrollingMessageBox.h"

#include <gtest/gtest.h>

#include <string>

namespace dv::win32 {
namespace {

TEST(ScrollingMessageBox, OnlyShortTextsGoToWindowsOwnBox) {
    std::string lines24;
    for (int i = 0; i < 23; ++i)
        lines24 += "rad\r";
    lines24 += "sista";
    const std::pair<std::string, bool> cases[] = {
        {"", true},
        {"Kunde inte starta programmet.", true},
        {std::string(200, 'x'), true},
        {std::string(201, 'x'), false},
        {std::string(150, 'x') + "\r" + std::string(150, 'y'), true},
        {lines24, true},
        {lines24 + "\r", false},
        {lines24 + "\n", false},
        {std::string(1024, '\r'), false},
        {std::string(1025, ' '), false},
        {std::string(810 * 1000, 'x'), false},
    };
    for (const auto& [text, fits] : cases)
        EXPECT_EQ(ScrollingMessageBox::fitsWindowsBox(text), fits) << text.size() << " characters";
}

} // namespace
} // namespace dv::win32
