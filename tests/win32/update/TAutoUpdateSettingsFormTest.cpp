#include "win32/update/TAutoUpdateSettingsForm.h"

#include "Win32ModalScript.h"
#include "win32/support/UiFont.h"
#include "win32/support/Utf16.h"
#include "win32/support/Win32TextMeasure.h"

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

bool checked(HWND button) {
    return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

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

// The texts, places and keys are the core's (its tables hold the cases); the
// dialog draws them and wires its keys and button to them.
TEST(TAutoUpdateSettingsForm, DrawsAndWiresTheModel) {
    using Model = ConsentDialogModel;
    TAutoUpdateSettingsForm form;
    const ConsentDialogLayout l = Model::layout(Win32TextMeasure(uiFont()));
    EXPECT_EQ(textOf(form.hwnd()), Model::kCaption);
    EXPECT_FALSE(IsWindowVisible(form.hwnd())); // created, not shown
    RECT client{};
    GetClientRect(form.hwnd(), &client);
    EXPECT_EQ(client.right, l.clientWidth);
    EXPECT_EQ(client.bottom, l.clientHeight);
    EXPECT_FALSE(GetWindowLongW(form.hwnd(), GWL_STYLE) & WS_THICKFRAME); // a fixed border

    struct Control {
        const char* name;
        Rect place;
        const char* text;
    };
    const Control controls[] = {
        {"Label1", l.Label1, Model::kIntro},   {"Label2", l.Label2, Model::kQuestion},
        {"rbYes", l.rbYes, Model::kYes},       {"rbNo", l.rbNo, Model::kNo},
        {"Button1", l.Button1, Model::kClose}, {"cbNoNo", l.cbNoNo, Model::kDontRemind},
    };
    for (const Control& c : controls) {
        const RECT r = placeOf(form.control(c.name));
        const RECT expected = toRect(c.place);
        EXPECT_EQ(r.left, expected.left) << c.name;
        EXPECT_EQ(r.top, expected.top) << c.name;
        EXPECT_EQ(r.right, expected.right) << c.name;
        EXPECT_EQ(r.bottom, expected.bottom) << c.name;
        EXPECT_EQ(textOf(form.control(c.name)), c.text) << c.name;
    }
    for (const char* name : {"rbYes", "rbNo", "cbNoNo"})
        EXPECT_FALSE(checked(form.control(name))) << name;

    // Enter away from "Stäng" leaves it open; on "Stäng" it closes with the choice.
    bool openAfterEnter = false;
    ConsentAnswer answer = askWith(form, {click(form, "rbNo"), key(VK_RETURN),
                                          [&] {
                                              openAfterEnter = form.isAsking();
                                              SetFocus(form.control("Button1"));
                                              return true;
                                          },
                                          key(VK_RETURN)});
    EXPECT_TRUE(openAfterEnter);
    EXPECT_EQ(answer.checkAtStart, std::optional<bool>(false));
    // Esc and the close box are no choice; the reminder choice counts.
    answer = askWith(form, {click(form, "rbYes"), click(form, "cbNoNo"), key(VK_ESCAPE)});
    EXPECT_EQ(answer.checkAtStart, std::nullopt);
    EXPECT_TRUE(answer.dontRemind);
    answer = askWith(form, {click(form, "rbYes"), [&] {
                                PostMessageW(form.hwnd(), WM_CLOSE, 0, 0);
                                return true;
                            }});
    EXPECT_EQ(answer.checkAtStart, std::nullopt);
    answer = askWith(form, {click(form, "rbYes"), click(form, "Button1")});
    EXPECT_EQ(answer.checkAtStart, std::optional<bool>(true));
    EXPECT_FALSE(IsWindowVisible(form.hwnd()));
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
    const std::vector<HWND> expected{form.control("rbYes"), form.control("rbNo"),
                                     form.control("Button1"), form.control("cbNoNo"),
                                     form.control("rbYes")};
    EXPECT_EQ(focus, expected);
}

class OwnerWindow : public Window {
  public:
    OwnerWindow() {
        create({L"DatavindTestOwner"}, 0, WS_OVERLAPPEDWINDOW, L"", {0, 0, 100, 100}, nullptr);
    }
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
