#include "core/update/ConsentDialogModel.h"

#include "FixedTextMeasure.h"

#include <gtest/gtest.h>

namespace dv {
namespace {

using Model = ConsentDialogModel;

int right(const Rect& r) {
    return r.left + r.width;
}
int bottom(const Rect& r) {
    return r.top + r.height;
}

// In the font the form was drawn for, every control lies where the form has it.
TEST(ConsentDialogModel, TheFormsOwnPlacesInItsOwnFont) {
    const test::FixedTextMeasure msSansSerif(5, 13);
    const ConsentDialogLayout l = Model::layout(msSansSerif);
    EXPECT_EQ(l.clientWidth, 408);
    EXPECT_EQ(l.clientHeight, 177);
    EXPECT_EQ(l.Label1, (Rect{8, 8, 393, 57}));
    EXPECT_EQ(l.Label2.left, 8);
    EXPECT_EQ(l.Label2.top, 80);
    EXPECT_EQ(l.rbYes, (Rect{8, 104, 153, 17}));
    EXPECT_EQ(l.rbNo, (Rect{8, 120, 65, 17}));
    EXPECT_EQ(l.Button1, (Rect{325, 146, 75, 23}));
    EXPECT_EQ(l.cbNoNo, (Rect{8, 152, 257, 17}));
}

// Whatever the font, every text shows whole, nothing overlaps and all lies
// inside the window: the paragraph keeps its last line.
TEST(ConsentDialogModel, EveryFontShowsEveryTextWhole) {
    struct Case {
        const char* what;
        int charWidth;
        int lineHeight;
    };
    const Case cases[] = {
        {"MS Sans Serif", 5, 13}, {"DejaVu Sans 11 px", 6, 13}, {"DejaVu Sans, taller", 6, 17},
        {"a wide font", 7, 16},   {"a very wide font", 9, 20},
    };
    for (const Case& c : cases) {
        const test::FixedTextMeasure font(c.charWidth, c.lineHeight);
        const ConsentDialogLayout l = Model::layout(font);
        const int box = font.indicatorWidth();
        EXPECT_GE(l.Label1.height, font.measure(Model::kIntro, l.Label1.width).height) << c.what;
        EXPECT_GE(l.Label2.width, font.measure(Model::kQuestion, 0).width) << c.what;
        EXPECT_GE(l.rbYes.width, font.measure(Model::kYes, 0).width + box) << c.what;
        EXPECT_GE(l.cbNoNo.width, font.measure(Model::kDontRemind, 0).width + box) << c.what;
        EXPECT_LE(bottom(l.Label1), l.Label2.top - 8) << c.what;
        EXPECT_LE(bottom(l.Label2), l.rbYes.top) << c.what;
        EXPECT_LT(right(l.cbNoNo), l.Button1.left) << c.what; // never under the button
        for (const Rect& r : {l.Label1, l.Label2, l.rbYes, l.rbNo, l.Button1, l.cbNoNo}) {
            EXPECT_LE(right(r), l.clientWidth) << c.what;
            EXPECT_LE(bottom(r), l.clientHeight) << c.what;
        }
        // The distances of the form stay: below the paragraph, and to the bottom.
        EXPECT_EQ(l.Label2.top - bottom(l.Label1), 80 - 65) << c.what;
        EXPECT_EQ(l.clientHeight - bottom(l.Button1), 177 - 169) << c.what;
    }
}

TEST(ConsentDialogModel, Keys) {
    using C = Model::Control;
    struct Case {
        Model::Key key;
        C focused;
        Model::Closing closing;
    };
    const Case cases[] = {
        {Model::Key::Escape, C::rbYes, Model::Closing::WithoutAChoice},
        {Model::Key::Escape, C::Button1, Model::Closing::WithoutAChoice},
        {Model::Key::Escape, C::cbNoNo, Model::Closing::WithoutAChoice},
        // Enter away from "Stäng" closes nothing.
        {Model::Key::Enter, C::rbYes, Model::Closing::StaysOpen},
        {Model::Key::Enter, C::rbNo, Model::Closing::StaysOpen},
        {Model::Key::Enter, C::cbNoNo, Model::Closing::StaysOpen},
        {Model::Key::Enter, C::Button1, Model::Closing::WithTheChoice},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Model::onKey(c.key, c.focused), c.closing)
            << static_cast<int>(c.key) << " " << static_cast<int>(c.focused);
}

} // namespace
} // namespace dv
