#include "core/browser/WaitingWindowModel.h"

#include "FixedTextMeasure.h"

#include <gtest/gtest.h>

namespace dv {
namespace {

using Model = WaitingWindowModel;

TEST(WaitingWindowModel, TheBarSweepsAndStartsOver) {
    struct Case {
        int from;
        int to;
    };
    for (const Case c : {Case{0, 1}, Case{1, 2}, Case{98, 99}, Case{99, 100}, Case{100, 0}})
        EXPECT_EQ(Model::nextPosition(c.from), c.to) << c.from;
    EXPECT_EQ(Model::positionWhenShown(), Model::kMinimum);
    // A full sweep takes ten seconds.
    EXPECT_EQ((Model::kMaximum - Model::kMinimum) * Model::kTickMs, 10000);
}

TEST(WaitingWindowModel, Layout) {
    struct Case {
        const char* what;
        int charWidth;
        int lineHeight;
        WaitingWindowLayout layout;
    };
    const Case cases[] = {
        {"the form's own font", 5, 13, {265, 74, {8, 8, 249, 28}, {8, 40, 249, 17}}},
        // Three lines of 14: the bar moves down with the label.
        {"a wider, taller font", 9, 14, {265, 74 + 14, {8, 8, 249, 42}, {8, 40 + 14, 249, 17}}},
    };
    for (const Case& c : cases) {
        const test::FixedTextMeasure font(c.charWidth, c.lineHeight);
        EXPECT_EQ(Model::layout(font), c.layout) << c.what;
        EXPECT_GE(Model::layout(font).Label1.height, font.measure(Model::kText, 249).height)
            << c.what;
    }
}

} // namespace
} // namespace dv
