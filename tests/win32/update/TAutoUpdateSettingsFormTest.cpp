#include "update/TAutoUpdateSettingsForm.h"

#include "Win32ModalScript.h"
#include "support/Utf16.h"

#include <gtest/gtest.h>

#include <memory>

namespace dv::win32 {
namespace {

using test::Win32ModalScript;
using Step = Win32ModalScript::Step;

RECT placeOf(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::string textOf(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return narrow(text);
}

bool checked(HWND button) { return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

Step key(WPARAM virtualKey) {
    return [virtualKey] {
        PostMessageW(GetFocus(), WM_KEYDOWN, virtualKey, 1);
        PostMessageW(GetFocus(), WM_KEYUP, virtualKey, 0xC0000001);
        return true;
    };
}

Step click(TAutoUpdateSettingsForm& form, const char* name) {
    return [&form, name] {
        SendMessageW(form.control(name), BM_CLICK, 0, 0);
        return true;
    };
}

// Runs the question with the script's steps; fails rather than waits when
// the dialog does not close.
ConsentAnswer askWith(TAutoUpdateSettingsForm& form, std::deque<Step> steps) {
    // Counted for this question alone (a count carried over from earlier
    // questions would give a later one less time); the script runs a copy of
    // the step each tick, so the count lives apart from it.
    steps.push_back([&form, ticks = std::make_shared<int>(0)] {
        if (++*ticks > 100) { // 3 s: the steps did not close it
            ADD_FAILURE() << "the dialog stayed open";
            SendMessageW(form.hwnd(), WM_CLOSE, 0, 0);
            return true;
        }
        return !form.isAsking();
    });
    Win32ModalScript script(std::move(steps));
    return form.ask();
}

TEST(TAutoUpdateSettingsForm, EveryControlAtItsPlace) {
    TAutoUpdateSettingsForm form;
    EXPECT_EQ(textOf(form.hwnd()), "Automatisk uppdatering");
    EXPECT_FALSE(IsWindowVisible(form.hwnd())); // created, not shown
    RECT client{};
    GetClientRect(form.hwnd(), &client);
    EXPECT_EQ(client.right, 408);
    EXPECT_EQ(client.bottom, 177);
    EXPECT_FALSE(GetWindowLongW(form.hwnd(), GWL_STYLE) & WS_THICKFRAME); // a fixed border

    struct Control {
        const char* name;
        RECT place;
        const char* text;
    };
    const Control controls[] = {
        {"Label1", {8, 8, 401, 65},
         "Datavinds cd kan automatiskt koppla upp sig mot Internet och kontrollera om det finns någon uppdaterad "
         "information som rör den aktuella skivan. Det kan exempelvis röra sig om problem med vissa program, eller "
         "sena ändringar som tillkommit efter att skivan trycktes."},
        {"rbYes", {8, 104, 161, 121}, "Ja (rekommenderas)"},
        {"rbNo", {8, 120, 73, 137}, "Nej"},
        {"Button1", {325, 146, 400, 169}, "Stäng"},
    };
    for (const Control& c : controls) {
        const RECT r = placeOf(form.control(c.name));
        EXPECT_EQ(r.left, c.place.left) << c.name;
        EXPECT_EQ(r.top, c.place.top) << c.name;
        EXPECT_EQ(r.right, c.place.right) << c.name;
        EXPECT_EQ(r.bottom, c.place.bottom) << c.name;
        EXPECT_EQ(textOf(form.control(c.name)), c.text) << c.name;
    }
    const RECT label2 = placeOf(form.control("Label2"));
    EXPECT_EQ(label2.left, 8);
    EXPECT_EQ(label2.top, 80);
    EXPECT_EQ(textOf(form.control("Label2")), "Vill du att skivan ska göra en sådan kontroll när den startas?");
    const RECT noNo = placeOf(form.control("cbNoNo"));
    EXPECT_EQ(noNo.left, 8);
    EXPECT_EQ(noNo.top, 152);
    EXPECT_GE(noNo.right, 265);
    EXPECT_LT(noNo.right, 325); // never under the button
    EXPECT_EQ(textOf(form.control("cbNoNo")), "Påminn mig inte om denna funktion i framtiden");
    for (const char* name : {"rbYes", "rbNo", "cbNoNo"})
        EXPECT_FALSE(checked(form.control(name))) << name;
}

TEST(TAutoUpdateSettingsForm, CentredOnTheScreen) {
    TAutoUpdateSettingsForm form;
    RECT window{};
    GetWindowRect(form.hwnd(), &window);
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    EXPECT_NEAR((window.left + window.right) / 2, (area.left + area.right) / 2, 1);
    EXPECT_NEAR((window.top + window.bottom) / 2, (area.top + area.bottom) / 2, 1);
}

TEST(TAutoUpdateSettingsForm, TabOrder) {
    TAutoUpdateSettingsForm form;
    std::vector<HWND> focus;
    const Step note = [&focus] {
        focus.push_back(GetFocus());
        return true;
    };
    std::deque<Step> steps{note};
    for (int i = 0; i < 4; ++i) {
        steps.push_back(key(VK_TAB));
        steps.push_back(note);
    }
    steps.push_back(key(VK_ESCAPE));
    askWith(form, steps);
    const std::vector<HWND> expected{form.control("rbYes"), form.control("rbNo"), form.control("Button1"),
                                     form.control("cbNoNo"), form.control("rbYes")};
    EXPECT_EQ(focus, expected);
}

TEST(TAutoUpdateSettingsForm, Answers) {
    struct Case {
        const char* what;
        std::vector<const char*> clicks;
        WPARAM key; // 0: "Stäng"
        ConsentAnswer answer;
    };
    const Case cases[] = {
        {"yes", {"rbYes"}, 0, {true, false}},
        {"no, don't remind", {"rbNo", "cbNoNo"}, 0, {false, true}},
        {"no choice", {}, 0, {std::nullopt, false}},
        {"don't remind only", {"cbNoNo"}, 0, {std::nullopt, true}},
        {"yes, then Esc", {"rbYes"}, VK_ESCAPE, {std::nullopt, false}},
        {"don't remind, then Esc", {"cbNoNo"}, VK_ESCAPE, {std::nullopt, true}},
        {"yes, then no", {"rbYes", "rbNo"}, 0, {false, false}},
    };
    for (const Case& c : cases) {
        TAutoUpdateSettingsForm form;
        std::deque<Step> steps;
        for (const char* name : c.clicks)
            steps.push_back(click(form, name));
        steps.push_back(c.key ? key(c.key) : click(form, "Button1"));
        const ConsentAnswer answer = askWith(form, steps);
        EXPECT_EQ(answer.checkAtStart, c.answer.checkAtStart) << c.what;
        EXPECT_EQ(answer.dontRemind, c.answer.dontRemind) << c.what;
        EXPECT_FALSE(IsWindowVisible(form.hwnd())) << c.what;
    }
}

// Enter away from "Stäng" closes nothing; closing the window is no choice.
TEST(TAutoUpdateSettingsForm, EnterAndTheCloseBox) {
    TAutoUpdateSettingsForm form;
    bool openAfterEnter = false;
    const ConsentAnswer answer = askWith(form, {click(form, "rbYes"), key(VK_RETURN),
                                                [&] {
                                                    openAfterEnter = form.isAsking();
                                                    PostMessageW(form.hwnd(), WM_CLOSE, 0, 0);
                                                    return true;
                                                }});
    EXPECT_TRUE(openAfterEnter);
    EXPECT_EQ(answer.checkAtStart, std::nullopt);
}

class OwnerWindow : public Window {
public:
    OwnerWindow() { create({L"DatavindTestOwner"}, 0, WS_OVERLAPPEDWINDOW, L"", {0, 0, 100, 100}, nullptr); }
};

TEST(TAutoUpdateSettingsForm, ModalOverItsOwner) {
    OwnerWindow owner;
    ShowWindow(owner.hwnd(), SW_SHOW);
    TAutoUpdateSettingsForm form;
    form.setOwner(owner.hwnd());
    bool ownerEnabled = true;
    bool shown = false;
    askWith(form, {[&] {
                       ownerEnabled = IsWindowEnabled(owner.hwnd());
                       shown = IsWindowVisible(form.hwnd());
                       return true;
                   },
                   click(form, "Button1")});
    EXPECT_FALSE(ownerEnabled);
    EXPECT_TRUE(shown);
    EXPECT_TRUE(IsWindowEnabled(owner.hwnd()));
    EXPECT_EQ(GetWindow(form.hwnd(), GW_OWNER), owner.hwnd());
}

} // namespace
} // namespace dv::win32
