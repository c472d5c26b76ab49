#include "BrowserTestSupport.h"

#include "RecordingPorts.h"
#include "win32/browser/TExtraInfoForm.h"
#include "win32/support/UiFont.h"
#include "win32/support/Utf16.h"
#include "win32/support/Win32TextMeasure.h"

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

bool hasStyle(HWND window, LONG_PTR style) {
    return (GetWindowLongPtrW(window, GWL_STYLE) & style) == style;
}

class TExtraInfoFormTest : public ::testing::Test {
  protected:
    TExtraInfoFormTest() {
        owner = CreateWindowExW(0, L"STATIC", L"ägare", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300,
                                200, nullptr, nullptr, nullptr, nullptr);
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

// What the dialog shows, where, and what its keys and address do are the
// core's (its tables hold the cases); the dialog draws the model's view and
// layout and wires its buttons, keys and address to it.
TEST_F(TExtraInfoFormTest, DrawsAndWiresTheModel) {
    using Model = ExtraInfoDialogModel;
    const HWND w = form->hwnd();
    EXPECT_TRUE(hasStyle(w, WS_CAPTION | WS_SYSMENU));
    EXPECT_FALSE(hasStyle(w, WS_THICKFRAME));
    EXPECT_FALSE(hasStyle(w, WS_MINIMIZEBOX));
    EXPECT_TRUE(GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
    EXPECT_EQ(GetWindow(w, GW_OWNER), owner);
    // Texts from outside are shown as they are: "&" is no mnemonic.
    for (const HWND text : {form->lbInformation(), form->lbURL(), form->lbOpenNow()})
        EXPECT_TRUE(hasStyle(text, SS_NOPREFIX));

    dv::test::CallLog log;
    dv::test::FakeLauncher launcher(log);
    dv::test::FakeWaitingWindow waiting(log);
    dv::test::FakeMessageBoxes boxes(&log);
    FileLauncher files(launcher, waiting, boxes);
    form->setLauncher(&files);

    struct Case {
        const char* what;
        TExtraInfo note;
        DialogAnswerer::Action answer;
        bool starts;
    };
    const Case cases[] = {
        {"Ja",
         {"x.exe", "Kräver 3D-kort.", "http://www.datavind.example/x", true},
         DialogAnswerer::clickButtonWithText(L"Ja"),
         true},
        {"Enter", {"x.exe", "Kräver 3D-kort.", "", true}, DialogAnswerer::postKey(VK_RETURN), true},
        {"Nej",
         {"x.exe", "Kräver 3D-kort.", "", true},
         DialogAnswerer::clickButtonWithText(L"Nej"),
         false},
        {"Escape",
         {"x.exe", "Läs <b>detta</b> & sedan\rnästa rad", "http://a.example/?a=1&b=2", true},
         DialogAnswerer::postKey(VK_ESCAPE),
         false},
        {"close box",
         {"x.exe", "Info", "", true},
         [](HWND d) { PostMessageW(d, WM_CLOSE, 0, 0); },
         false},
        {"Stäng",
         {"x.exe", "Fungerar inte längre.", "file:///C:/Windows/system32/calc.exe", false},
         DialogAnswerer::clickButtonWithText(L"Stäng"),
         false},
        {"Enter without Ja",
         {"x.exe", "Fungerar inte längre.", "", false},
         DialogAnswerer::postKey(VK_RETURN),
         false},
        {"a note too long for the label",
         {"x.exe", std::string(40, '\r') + "sista raden", "", true},
         DialogAnswerer::postKey(VK_RETURN),
         true},
    };
    for (const Case& c : cases) {
        const ExtraInfoView view = Model::question(c.note);
        const ExtraInfoLayout l = Model::layout(view, Win32TextMeasure(uiFont()));
        struct Drawn {
            std::wstring caption, information, url, no;
            RECT client{}, information_{}, group{}, link{}, openNow{}, yes{}, noButton{};
            bool scrolls = false, moreInfo = false, openNowShown = false, yesShown = false,
                 yesDefault = false;
            bool ownerEnabled = true, opened = false, stayed = false;
        } seen;
        DialogAnswerer dialog(widen(view.caption), [&](HWND d) {
            seen.caption = textOf(d);
            GetClientRect(d, &seen.client);
            seen.scrolls = IsWindowVisible(form->ebInformation()) != FALSE;
            const HWND information = seen.scrolls ? form->ebInformation() : form->lbInformation();
            if (seen.scrolls) {
                // An edit control keeps its text in its own buffer: asked for by message.
                wchar_t text[4096]{};
                SendMessageW(information, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text));
                seen.information = text;
            } else {
                seen.information = textOf(information);
            }
            seen.information_ = boundsIn(information, d);
            seen.group = boundsIn(form->gbMoreInfo(), d);
            seen.link = boundsIn(form->lbURL(), d);
            seen.openNow = boundsIn(form->lbOpenNow(), d);
            seen.yes = boundsIn(form->btYes(), d);
            seen.noButton = boundsIn(form->btNo(), d);
            seen.url = textOf(form->lbURL());
            seen.no = textOf(form->btNo());
            seen.moreInfo = IsWindowVisible(form->gbMoreInfo()) != FALSE;
            seen.openNowShown = IsWindowVisible(form->lbOpenNow()) != FALSE;
            seen.yesShown = IsWindowVisible(form->btYes()) != FALSE;
            seen.yesDefault = hasStyle(form->btYes(), BS_DEFPUSHBUTTON);
            seen.ownerEnabled = IsWindowEnabled(owner) != FALSE;
            if (seen.moreInfo) {
                // Sent, so the click is handled when the call returns.
                log.clear();
                SendMessageW(form->lbURL(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
                SendMessageW(form->lbURL(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
                seen.opened = !log.empty();
                seen.stayed = IsWindowVisible(d) != FALSE;
            }
            c.answer(d);
        });
        EXPECT_EQ(form->askToStart(c.note), c.starts) << c.what;
        dialog.finish();
        ASSERT_TRUE(dialog.answered()) << c.what;
        EXPECT_EQ(narrow(seen.caption), view.caption) << c.what;
        EXPECT_EQ(seen.client.right, l.clientWidth) << c.what;
        EXPECT_EQ(seen.client.bottom, l.clientHeight) << c.what;
        EXPECT_EQ(seen.scrolls, l.informationScrolls) << c.what;
        std::wstring lines = widen(view.information);
        for (std::size_t at = lines.find(L'\n'); at != std::wstring::npos;
             at = lines.find(L'\n', at + 2))
            lines.insert(at, 1, L'\r');
        EXPECT_EQ(seen.information, lines) << c.what;
        const auto same = [](RECT a, RECT b) {
            return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
        };
        EXPECT_TRUE(same(seen.information_, toRect(l.lbInformation))) << c.what;
        EXPECT_TRUE(same(seen.group, toRect(l.gbMoreInfo))) << c.what;
        const Rect link{l.gbMoreInfo.left + l.lbURL.left, l.gbMoreInfo.top + l.lbURL.top,
                        l.lbURL.width, l.lbURL.height};
        EXPECT_TRUE(same(seen.link, toRect(link))) << c.what;
        EXPECT_TRUE(same(seen.openNow, toRect(l.lbOpenNow))) << c.what;
        EXPECT_TRUE(same(seen.yes, toRect(l.btYes))) << c.what;
        EXPECT_TRUE(same(seen.noButton, toRect(l.btNo))) << c.what;
        EXPECT_EQ(narrow(seen.url), view.url) << c.what;
        EXPECT_EQ(narrow(seen.no), view.noText) << c.what;
        EXPECT_EQ(seen.moreInfo, view.moreInfoVisible) << c.what;
        EXPECT_EQ(seen.openNowShown, view.openNowVisible) << c.what;
        EXPECT_EQ(seen.yesShown, view.yesVisible) << c.what;
        EXPECT_EQ(seen.yesDefault, view.defaultButton == ExtraInfoView::Button::Yes) << c.what;
        EXPECT_FALSE(seen.ownerEnabled) << c.what; // modal
        EXPECT_TRUE(IsWindowEnabled(owner)) << c.what;
        EXPECT_FALSE(IsWindowVisible(form->hwnd())) << c.what;
        if (view.moreInfoVisible) {
            EXPECT_EQ(seen.opened, Model::addressToOpen(view.url).has_value()) << c.what;
            EXPECT_TRUE(seen.stayed) << c.what;
        }
    }
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

} // namespace
} // namespace dv::win32::test
