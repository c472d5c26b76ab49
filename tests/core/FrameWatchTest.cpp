#include "core/browser/FrameWatch.h"

#include <gtest/gtest.h>

#include <vector>

namespace dv {
namespace {

// A page's life as the events tell it: the top browser shows a page, its
// frames load, and each step asks whether a command may run.
struct Step {
    enum What { Top, Frame } what;
    PageKind kind;
    bool allowedAfter;
};

TEST(FrameWatch, AForeignFrameRefusesThePagesCommandsUntilADiscPageComes) {
    using K = PageKind;
    const std::vector<std::vector<Step>> lives = {
        {{Step::Top, K::Disc, true}, {Step::Frame, K::Disc, true}, {Step::Frame, K::Other, true}},
        {{Step::Top, K::Disc, true},
         {Step::Frame, K::Web, false},
         {Step::Frame, K::Disc, false},
         {Step::Top, K::Disc, true}},
        {{Step::Top, K::Disc, true},
         {Step::Frame, K::Outside, false},
         {Step::Top, K::Web, false},
         {Step::Frame, K::Disc, false},
         {Step::Top, K::Disc, true}},
        {{Step::Top, K::Web, false},
         {Step::Top, K::Other, false},
         {Step::Top, K::Outside, false},
         {Step::Top, K::Disc, true}},
    };
    for (std::size_t life = 0; life < lives.size(); ++life) {
        FrameWatch watch;
        for (std::size_t i = 0; i < lives[life].size(); ++i) {
            const Step& step = lives[life][i];
            if (step.what == Step::Top)
                watch.topPageShown(step.kind);
            else
                watch.frameShows(step.kind);
            EXPECT_EQ(watch.commandsAllowed(), step.allowedAfter)
                << "life " << life << ", step " << i;
        }
    }
}

} // namespace
} // namespace dv
