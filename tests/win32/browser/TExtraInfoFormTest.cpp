#include "BrowserTestSupport.h"

#include "RecordingPorts.h"
#include "browser/TExtraInfoForm.h"
#include "support/Utf16.h"

#include <gtest/gtest.h>

namespace dv::win32::test {
namespace {

// Where a control lies in its window's client area.
RECT boundsIn(HWND control, HWND window) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool hasStyle(HWND window, LONG_PTR style) { return (GetWindowLongPtrW(window, GWL_STYLE) & style) == style; }

class TExtraInfoFormTest : public ::testing::Test {
protected:
    TExtraInfoFormTest() {
        owner = CreateWindowExW(0, L"STATIC", L"ägare", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr,
                                nullptr, nullptr, nullptr);
        form = std::make_unique<TExtraInfoForm>(owner);
    }
    ~TExtraInfoFormTest() override {
        form.reset();
        DestroyWindow(owner);
    }

    // What the reader saw while the dialog was up.
    struct Seen {
        std::wstring caption;
        bool moreInfo = false, url = false, openNow = false, yes = false;
        std::wstring no;
        bool ownerEnabled = true;
    };
    DialogAnswerer::Action seeing(Seen& seen, DialogAnswerer::Action then) {
        return [this, &seen, then](HWND w) {
            seen.caption = textOf(w);
            seen.moreInfo = IsWindowVisible(form->gbMoreInfo());
            seen.url = IsWindowVisible(form->lbURL());
            seen.openNow = IsWindowVisible(form->lbOpenNow());
            seen.yes = IsWindowVisible(form->btYes());
            seen.no = textOf(form->btNo());
            seen.ownerEnabled = IsWindowEnabled(owner);
            then(w);
        };
    }

    HWND owner = nullptr;
    std::unique_ptr<TExtraInfoForm> form;
};

TEST_F(TExtraInfoFormTest, EveryControlAtItsPlace) {
    const HWND w = form->hwnd();
    RECT client{};
    GetClientRect(w, &client);
    EXPECT_EQ(client.right, 386);
    EXPECT_EQ(client.bottom, 217);
    EXPECT_TRUE(hasStyle(w, WS_CAPTION | WS_SYSMENU));
    EXPECT_FALSE(hasStyle(w, WS_THICKFRAME));
    EXPECT_FALSE(hasStyle(w, WS_MINIMIZEBOX));
    EXPECT_TRUE(GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
    EXPECT_EQ(GetWindow(w, GW_OWNER), owner);

    struct Place {
        HWND control;
        RECT bounds;
        const wchar_t* text; // nullptr: set per note
    };
    const Place places[] = {
        {form->lbInformation(), {8, 8, 8 + 369, 8 + 73}, nullptr},
        {form->gbMoreInfo(), {8, 96, 8 + 369, 96 + 49}, L" Mer information på nätet "},
        {form->lbOpenNow(), {8, 160, 8 + 369, 160 + 13}, L"Vill du gå vidare och starta det du klickade på nu?"},
        {form->btYes(), {224, 184, 224 + 75, 184 + 23}, L"Ja"},
        {form->btNo(), {304, 184, 304 + 75, 184 + 23}, L"Nej"},
    };
    for (const Place& p : places) {
        const RECT r = boundsIn(p.control, w);
        EXPECT_EQ(r.left, p.bounds.left) << narrow(textOf(p.control));
        EXPECT_EQ(r.top, p.bounds.top) << narrow(textOf(p.control));
        EXPECT_EQ(r.right, p.bounds.right) << narrow(textOf(p.control));
        EXPECT_EQ(r.bottom, p.bounds.bottom) << narrow(textOf(p.control));
        if (p.text) {
            EXPECT_EQ(textOf(p.control), p.text);
        }
    }
    const RECT url = boundsIn(form->lbURL(), w);
    EXPECT_EQ(url.left, 8 + 8);
    EXPECT_EQ(url.top, 96 + 20);
    EXPECT_TRUE(hasStyle(form->btYes(), BS_DEFPUSHBUTTON));
    // Texts from outside are shown as they are: "&" is no mnemonic.
    for (const HWND text : {form->lbInformation(), form->lbURL(), form->lbOpenNow()})
        EXPECT_TRUE(hasStyle(text, SS_NOPREFIX));
}

TEST_F(TExtraInfoFormTest, TheAnswers) {
    struct Case {
        const char* what;
        TExtraInfo note;
        DialogAnswerer::Action answer;
        bool yes;
        Seen expected;
    };
    const TExtraInfo runnable{"x.exe", "Kräver 3D-kort.", "http://www.datavind.example/x", true};
    const TExtraInfo closed{"x.exe", "Fungerar inte längre.", "", false};
    const Seen canRun{L"Datavinds cd - Mer information", true, true, true, true, L"Nej", false};
    const Seen cannotRun{L"Datavinds cd - Mer information", false, false, false, false, L"Stäng", false};
    const Case cases[] = {
        {"Ja", runnable, DialogAnswerer::clickButtonWithText(L"Ja"), true, canRun},
        {"Nej", runnable, DialogAnswerer::clickButtonWithText(L"Nej"), false, canRun},
        {"Escape", runnable, DialogAnswerer::postKey(VK_ESCAPE), false, canRun},
        {"Enter", runnable, DialogAnswerer::postKey(VK_RETURN), true, canRun},
        {"close box", runnable, [](HWND w) { PostMessageW(w, WM_CLOSE, 0, 0); }, false, canRun},
        {"Stäng", closed, DialogAnswerer::clickButtonWithText(L"Stäng"), false, cannotRun},
        {"Enter without Ja", closed, DialogAnswerer::postKey(VK_RETURN), false, cannotRun},
        {"Escape without Ja", closed, DialogAnswerer::postKey(VK_ESCAPE), false, cannotRun},
    };
    for (const Case& c : cases) {
        Seen seen;
        DialogAnswerer dialog(L"Datavinds cd - Mer information", seeing(seen, c.answer));
        EXPECT_EQ(form->askToStart(c.note), c.yes) << c.what;
        dialog.finish();
        ASSERT_TRUE(dialog.answered()) << c.what;
        EXPECT_EQ(seen.caption, c.expected.caption) << c.what;
        EXPECT_EQ(seen.moreInfo, c.expected.moreInfo) << c.what;
        EXPECT_EQ(seen.url, c.expected.url) << c.what;
        EXPECT_EQ(seen.openNow, c.expected.openNow) << c.what;
        EXPECT_EQ(seen.yes, c.expected.yes) << c.what;
        EXPECT_EQ(seen.no, c.expected.no) << c.what;
        EXPECT_FALSE(seen.ownerEnabled) << c.what; // modal
        EXPECT_TRUE(IsWindowEnabled(owner)) << c.what;
        EXPECT_FALSE(IsWindowVisible(form->hwnd())) << c.what;
    }
}

TEST_F(TExtraInfoFormTest, TextsFromOutsideArePlainText) {
    const TExtraInfo note{"x", "Läs <b>detta</b> & sedan\rnästa rad", "http://a.example/?a=1&b=2", false};
    DialogAnswerer dialog(L"Datavinds cd - Mer information", DialogAnswerer::clickButtonWithText(L"Stäng"));
    form->askToStart(note);
    dialog.finish();
    EXPECT_EQ(textOf(form->lbInformation()), L"Läs <b>detta</b> & sedan\r\nnästa rad");
    EXPECT_EQ(textOf(form->lbURL()), L"http://a.example/?a=1&b=2");
}

TEST_F(TExtraInfoFormTest, TheNoticeHasItsOwnCaptionAndOnlyStang) {
    Seen seen;
    DialogAnswerer dialog(L"Datavinds cd - Meddelande",
                          seeing(seen, DialogAnswerer::clickButtonWithText(L"Stäng")));
    form->showNotice({"", "Ny version finns.", "", true}, "Datavinds cd - Meddelande");
    dialog.finish();
    ASSERT_TRUE(dialog.answered());
    EXPECT_FALSE(seen.yes);
    EXPECT_EQ(seen.no, L"Stäng");
}

TEST_F(TExtraInfoFormTest, TheAddressOpensOnlyWebPagesAndTheDialogStays) {
    dv::test::CallLog log;
    dv::test::FakeLauncher launcher(log);
    dv::test::FakeWaitingWindow waiting(log);
    dv::test::FakeMessageBoxes boxes(&log);
    FileLauncher files(launcher, waiting, boxes);
    form->setLauncher(&files);
    struct Case {
        const char* url;
        bool opens;
    };
    const Case cases[] = {
        {"http://www.datavind.example/rymd.htm", true},
        {"https://www.datavind.example/", true},
        {"file:///C:/Windows/system32/calc.exe", false},
        {"C:\\Windows\\system32\\calc.exe", false},
        {"javascript:alert(1)", false},
        {"http://a.example/x y", false}, // would be cut into program and parameters
    };
    for (const Case& c : cases) {
        log.clear();
        bool stayed = false;
        DialogAnswerer dialog(L"Datavinds cd - Mer information", [&](HWND w) {
            const POINT at{2, 2};
            PostMessageW(form->lbURL(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
            PostMessageW(form->lbURL(), WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
            Sleep(500);
            stayed = IsWindowVisible(w) != FALSE;
            DialogAnswerer::clickButtonWithText(L"Nej")(w);
        });
        EXPECT_FALSE(form->askToStart({"x", "Info", c.url, true})) << c.url;
        dialog.finish();
        EXPECT_TRUE(stayed) << c.url;
        const dv::test::CallLog opened{"waiting:shown", "open:" + std::string(c.url) + "|", "waiting:hidden"};
        EXPECT_EQ(log, c.opens ? opened : dv::test::CallLog{}) << c.url;
    }
}

} // namespace
} // namespace dv::win32::test
