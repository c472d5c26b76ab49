#include "core/browser/PageDialogs.h"

#include <gtest/gtest.h>

namespace dv {
namespace {

using namespace std::chrono_literals;
using Clock = PageDialogs::Clock;

TEST(PageDialogs, TextsAreSwedishAndThePagesOwnStaysAsItIs) {
    PageDialogs dialogs;
    const Clock::time_point t{};
    struct Case {
        PageDialogKind kind;
        const char* caption;
        bool cancel;
        bool input;
    };
    const Case cases[] = {
        {PageDialogKind::Alert, "Datavinds cd - Meddelande från sidan", false, false},
        {PageDialogKind::Confirm, "Datavinds cd - Fråga från sidan", true, false},
        {PageDialogKind::Prompt, "Datavinds cd - Fråga från sidan", true, true},
    };
    int minutes = 0;
    for (const Case& c : cases) {
        const auto box = dialogs.open(c.kind, "<img src=\"/dev/zero\">", "<b>x</b>",
                                      t + std::chrono::minutes(++minutes));
        ASSERT_TRUE(box);
        EXPECT_EQ(box->caption, c.caption);
        EXPECT_EQ(box->text, "<img src=\"/dev/zero\">");
        EXPECT_EQ(box->okText, "OK");
        EXPECT_EQ(box->cancelText.has_value(), c.cancel);
        EXPECT_EQ(box->cancelText.value_or(""), c.cancel ? "Avbryt" : "");
        EXPECT_EQ(box->hasInput, c.input);
        EXPECT_EQ(box->defaultValue, c.input ? "<b>x</b>" : "");
        EXPECT_FALSE(box->stopText);
        dialogs.answered(false, t + std::chrono::minutes(minutes));
    }
}

// An alert in a loop: every box opens right after the one before.
TEST(PageDialogs, TheThirdBoxInARowOffersToStopThem) {
    PageDialogs dialogs;
    Clock::time_point now{};
    for (int i = 0; i < 5; ++i) {
        const auto box = dialogs.open(PageDialogKind::Alert, "igen", "", now);
        ASSERT_TRUE(box) << i;
        EXPECT_EQ(box->stopText.value_or(""), i >= 2 ? "Låt inte sidan visa fler rutor" : "") << i;
        now += 500ms;
        dialogs.answered(false, now);
        now += 1ms;
    }
    // Taken: the page's boxes are answered at once, of every kind.
    ASSERT_TRUE(dialogs.open(PageDialogKind::Alert, "igen", "", now));
    dialogs.answered(true, now);
    for (const auto kind : {PageDialogKind::Alert, PageDialogKind::Confirm, PageDialogKind::Prompt})
        EXPECT_FALSE(dialogs.open(kind, "igen", "", now + 1h));
    // Until another page loads.
    dialogs.pageChanged();
    const auto fresh = dialogs.open(PageDialogKind::Alert, "ny sida", "", now + 1h);
    ASSERT_TRUE(fresh);
    EXPECT_FALSE(fresh->stopText);
}

TEST(PageDialogs, BoxesFarApartAreNotInARow) {
    PageDialogs dialogs;
    Clock::time_point now{};
    for (int i = 0; i < 5; ++i) {
        const auto box = dialogs.open(PageDialogKind::Confirm, "?", "", now);
        ASSERT_TRUE(box);
        EXPECT_FALSE(box->stopText) << i;
        dialogs.answered(false, now);
        now += PageDialogs::kInARow + 1ms;
    }
}

} // namespace
} // namespace dv
