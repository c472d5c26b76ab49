#include "core/browser/ExtraInfoDialogModel.h"

#include "FixedTextMeasure.h"
#include "core/browser/TExtraInfo.h"

#include <gtest/gtest.h>

namespace dv {
namespace {

using Model = ExtraInfoDialogModel;
using Button = ExtraInfoView::Button;
using Result = Model::Result;

const TExtraInfo kRunnable{"x.exe", "Kräver 3D-kort.", "http://www.datavind.example/x", true};
const TExtraInfo kClosed{"x.exe", "Fungerar inte längre.", "", false};

TEST(ExtraInfoDialogModel, WhatShowsForANote) {
    struct Case {
        const char* what;
        ExtraInfoView view;
        ExtraInfoView expected;
    };
    const Case cases[] = {
        {"may run, with an address",
         Model::question(kRunnable),
         {"Datavinds cd - Mer information", "Kräver 3D-kort.", "http://www.datavind.example/x",
          true, true, true, "Nej", Button::Yes}},
        {"may not run, no address",
         Model::question(kClosed),
         {"Datavinds cd - Mer information", "Fungerar inte längre.", "", false, false, false,
          "Stäng", Button::No}},
        {"may not run, with an address",
         Model::question({"x", "Borttaget.", "http://a.example/", false}),
         {"Datavinds cd - Mer information", "Borttaget.", "http://a.example/", true, false, false,
          "Stäng", Button::No}},
        // A notice has only "Stäng", whatever the note says of starting.
        {"a notice",
         Model::notice({"", "Ny version finns.", "", true}, "Datavinds cd - Meddelande"),
         {"Datavinds cd - Meddelande", "Ny version finns.", "", false, false, false, "Stäng",
          Button::No}},
        // Texts from outside stay as they are: no markup, no mnemonics.
        {"outside text",
         Model::question(
             {"x", "Läs <b>detta</b> & sedan\rnästa rad", "http://a.example/?a=1&b=2", false}),
         {"Datavinds cd - Mer information", "Läs <b>detta</b> & sedan\nnästa rad",
          "http://a.example/?a=1&b=2", true, false, false, "Stäng", Button::No}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.view, c.expected) << c.what;
}

TEST(ExtraInfoDialogModel, KeysAndAnswers) {
    const ExtraInfoView canRun = Model::question(kRunnable);
    const ExtraInfoView cannotRun = Model::question(kClosed);
    struct Case {
        const char* what;
        const ExtraInfoView& view;
        Model::Key key;
        std::optional<Button> focused;
        std::optional<Result> result;
        bool starts;
    };
    const Case cases[] = {
        {"Enter", canRun, Model::Key::Enter, std::nullopt, Result::Yes, true},
        {"Enter on Ja", canRun, Model::Key::Enter, Button::Yes, Result::Yes, true},
        {"Enter on Nej", canRun, Model::Key::Enter, Button::No, Result::No, false},
        {"Escape", canRun, Model::Key::Escape, Button::Yes, Result::No, false},
        {"Enter without Ja", cannotRun, Model::Key::Enter, std::nullopt, Result::No, false},
        {"Enter on a hidden Ja", cannotRun, Model::Key::Enter, Button::Yes, Result::No, false},
        {"Escape without Ja", cannotRun, Model::Key::Escape, std::nullopt, Result::No, false},
    };
    for (const Case& c : cases) {
        const std::optional<Result> result = Model::onKey(c.key, c.view, c.focused);
        EXPECT_EQ(result, c.result) << c.what;
        EXPECT_EQ(result && Model::starts(*result), c.starts) << c.what;
    }
    // The buttons and the close box.
    EXPECT_TRUE(Model::starts(Result::Yes));
    EXPECT_FALSE(Model::starts(Result::No));
    EXPECT_FALSE(Model::starts(Result::Closed));
}

// Addresses come from the update service: only web pages open.
TEST(ExtraInfoDialogModel, TheAddressOpensOnlyWebPages) {
    struct Case {
        const char* url;
        bool opens;
    };
    const Case cases[] = {
        {"http://www.datavind.example/rymd.htm", true},
        {"https://www.datavind.example/", true},
        {"https://www.a.example/info", true},
        {"file:///C:/Windows/system32/calc.exe", false},
        {"file:///etc/passwd", false},
        {"C:\\Windows\\system32\\calc.exe", false},
        {"/bin/sh -c date", false},
        {"javascript:alert(1)", false},
        {"http://", false},
        {"http://a.example/x y", false}, // would be cut into program and parameters
        {"", false},
    };
    for (const Case& c : cases) {
        const std::optional<std::string> opened = Model::addressToOpen(c.url);
        EXPECT_EQ(opened.has_value(), c.opens) << c.url;
        if (opened) {
            EXPECT_EQ(*opened, c.url);
        }
    }
}

TEST(ExtraInfoDialogModel, LineBreaksOfTheUpdateService) {
    struct Case {
        const char* text;
        const char* shown;
    };
    const Case cases[] = {
        {"a\rb", "a\nb"},     {"a\nb", "a\nb"}, {"a\r\nb", "a\nb"}, {"a\r\rb", "a\n\nb"},
        {"a\n\rb", "a\n\nb"}, {"a\r", "a\n"},   {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Model::displayLines(c.text), c.shown) << c.text;
}

int bottom(const Rect& r) {
    return r.top + r.height;
}

TEST(ExtraInfoDialogModel, Layout) {
    const test::FixedTextMeasure msSansSerif(5, 13);
    const ExtraInfoView shortNote = Model::question(kRunnable);
    const ExtraInfoLayout l = Model::layout(shortNote, msSansSerif);
    EXPECT_EQ(l.clientWidth, 386);
    EXPECT_EQ(l.clientHeight, 217);
    EXPECT_EQ(l.lbInformation, (Rect{8, 8, 369, 73}));
    EXPECT_FALSE(l.informationScrolls);
    EXPECT_EQ(l.gbMoreInfo, (Rect{8, 96, 369, 49}));
    // As wide as the address, so only its text is a link.
    EXPECT_EQ(l.lbURL, (Rect{8, 20, 29 * 5 + 1, 13}));
    EXPECT_EQ(l.lbOpenNow, (Rect{8, 160, 369, 13}));
    EXPECT_EQ(l.btYes, (Rect{224, 184, 75, 23}));
    EXPECT_EQ(l.btNo, (Rect{304, 184, 75, 23}));

    struct Case {
        const char* what;
        std::string information;
        int height;
        bool scrolls;
    };
    const std::string line(70, 'x'); // one line of 350 pixels
    const Case cases[] = {
        {"five lines fit", line + "\n" + line + "\n" + line + "\n" + line + "\n" + line, 73, false},
        {"six lines grow",
         line + "\n" + line + "\n" + line + "\n" + line + "\n" + line + "\n" + line, 78, false},
        {"sixteen lines grow to the limit", std::string(15, '\n') + "x", 208, false},
        {"eighteen lines scroll", std::string(17, '\n') + "x", Model::kMaxInformationHeight, true},
        {"too long to measure", std::string(5000, 'x'), Model::kMaxInformationHeight, true},
    };
    for (const Case& c : cases) {
        const ExtraInfoLayout g = Model::layout(
            Model::question({"x", c.information, "http://a.example/", true}), msSansSerif);
        EXPECT_EQ(g.lbInformation.height, c.height) << c.what;
        EXPECT_EQ(g.informationScrolls, c.scrolls) << c.what;
        const int grown = c.height - 73;
        EXPECT_EQ(g.gbMoreInfo.top, 96 + grown) << c.what;
        EXPECT_EQ(g.lbOpenNow.top, 160 + grown) << c.what;
        EXPECT_EQ(g.btYes.top, 184 + grown) << c.what;
        EXPECT_EQ(g.clientHeight, 217 + grown) << c.what;
    }

    // A wide font: the question wraps, and the buttons move below it.
    const test::FixedTextMeasure wide(8, 15);
    const ExtraInfoLayout w = Model::layout(shortNote, wide);
    EXPECT_GE(w.lbOpenNow.height, wide.measure(Model::kOpenNow, w.lbOpenNow.width).height);
    EXPECT_LE(bottom(w.lbOpenNow), w.btYes.top);
    EXPECT_EQ(w.clientHeight - bottom(w.btNo), 217 - 207);
    // An address wider than the group box is cut at its edge.
    const ExtraInfoLayout longUrl = Model::layout(
        Model::question({"x", "i", "http://a.example/" + std::string(200, 'a'), true}), wide);
    EXPECT_EQ(longUrl.lbURL.width, 369 - 16);
}

} // namespace
} // namespace dv
