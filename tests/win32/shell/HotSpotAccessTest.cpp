// The hot-spots of the real main window by keyboard, and as a screen reader
// reads them through MSAA (oleacc's AccessibleObjectFromWindow), asked from
// inside the program's own process.

#include "win32/shell/TForm1.h"

#include "OpenMainWindow.h"
#include "core/shell/HotSpotAccess.h"
#include "core/shell/SectionNavigation.h"
#include "win32/browser/PageFocus.h"
#include "win32/support/Utf16.h"

#include <gtest/gtest.h>

#include <oleacc.h>

#include <cstdio>

namespace dv::win32 {
namespace {

using wintest::ClientPicture;
using wintest::pumpUntil;

VARIANT child(long id) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

// One text of the accessible object, or "<error>" when it gave none.
template <typename Getter> std::string text(Getter getter) {
    BSTR value = nullptr;
    if (FAILED(getter(&value)) || !value)
        return "<none>";
    std::string result = narrow(std::wstring_view(value, SysStringLen(value)));
    SysFreeString(value);
    return result;
}

long number(IAccessible* acc, long id,
            HRESULT (STDMETHODCALLTYPE IAccessible::*getter)(VARIANT, VARIANT*)) {
    VARIANT out;
    VariantInit(&out);
    if (FAILED((acc->*getter)(child(id), &out)) || out.vt != VT_I4)
        return -1;
    return out.lVal;
}

class HotSpotAccessTest : public ::testing::Test, protected wintest::OpenMainWindow {
  protected:
    IAccessible* acc = nullptr;

    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        openMainWindow(wintest::windowsFacts(10, 0, 32), [this](const TForm1::BrowserPlace&) {
            auto host = std::make_unique<dv::test::FakeBrowserHost>(log);
            return host;
        });
        SetForegroundWindow(form->hwnd());
        SetFocus(form->hwnd());
        ASSERT_TRUE(pumpUntil([&] { return GetFocus() == form->hwnd(); }));
        log.clear();
    }

    void TearDown() override {
        if (acc)
            acc->Release();
        closeMainWindow();
        CoUninitialize();
    }

    std::string focusedName() const {
        const HotSpot* spot = form->hotSpotFocus().focused();
        return spot ? spot->name : "";
    }
    void key(WPARAM vk, bool shift = false) {
        BYTE state[256];
        GetKeyboardState(state);
        state[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(state);
        SendMessageW(main(), WM_KEYDOWN, vk, 1);
        SendMessageW(main(), WM_KEYUP, vk, static_cast<LPARAM>(0xC0000001u));
        state[VK_SHIFT] = 0;
        SetKeyboardState(state);
    }
    bool tabTo(const std::string& name) {
        for (int i = 0; i < 40 && focusedName() != name; ++i)
            key(VK_TAB);
        return focusedName() == name;
    }
    std::vector<std::string> tabStops() const {
        std::vector<std::string> names;
        for (const HotSpot* spot : form->hotSpotFocus().offered()) {
            if (HotSpotAccess::find(spot->name)->tabStop)
                names.push_back(spot->name);
        }
        return names;
    }
    void openAccessible() {
        const HRESULT asked =
            AccessibleObjectFromWindow(main(), static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                       reinterpret_cast<void**>(&acc));
        if (asked != S_OK) {
            // Wine's oleacc cannot marshal IAccessible, not even within one
            // process: its LresultFromObject answers E_NOINTERFACE. Then the
            // object the window hands it is read directly.
            ASSERT_EQ(asked, E_NOINTERFACE);
            const auto answered = static_cast<HRESULT>(SendMessageW(
                main(), WM_GETOBJECT, 0, static_cast<LPARAM>(static_cast<DWORD>(OBJID_CLIENT))));
            ASSERT_EQ(answered, E_NOINTERFACE);
            std::printf("Read in-process: Wine's oleacc cannot marshal IAccessible\n");
            acc = form->accessibleClient();
            acc->AddRef();
        }
        ASSERT_TRUE(acc);
        // Only the client area is ours; the window's frame stays Windows' own.
        EXPECT_EQ(SendMessageW(main(), WM_GETOBJECT, 0,
                               static_cast<LPARAM>(static_cast<DWORD>(OBJID_WINDOW))),
                  0);
    }
    long childCount() {
        long count = -1;
        EXPECT_EQ(acc->get_accChildCount(&count), S_OK);
        return count;
    }
    // The child number of an accessible name, or 0.
    long childNamed(const std::string& name) {
        for (long id = 1; id <= childCount(); ++id) {
            if (text([&](BSTR* b) { return acc->get_accName(child(id), b); }) == name)
                return id;
        }
        return 0;
    }
};

TEST_F(HotSpotAccessTest, TabGoesRoundTheHotSpotsInReadingOrder) {
    const std::vector<std::string> order = tabStops();
    ASSERT_EQ(order.size(), 19u);
    EXPECT_EQ(order.front(), "lbEttan");
    EXPECT_EQ(order.back(), "lbExit");
    for (const std::string& name : order) {
        key(VK_TAB);
        EXPECT_EQ(focusedName(), name);
    }
    // No page window here: round again from the first.
    key(VK_TAB);
    EXPECT_EQ(focusedName(), "lbEttan");
    key(VK_TAB, true);
    EXPECT_EQ(focusedName(), "lbExit");
    key(VK_TAB, true);
    EXPECT_EQ(focusedName(), "lbMinimize");
}

TEST_F(HotSpotAccessTest, PastTheLastHotSpotThePageTakesTheKeysAndGivesThemBack) {
    // A stand-in for the browser's innermost window, in the page panel.
    const HWND page =
        CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 100, 20,
                        form->iePanel(), nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(page);
    for (std::size_t i = 0; i < tabStops().size(); ++i)
        key(VK_TAB);
    EXPECT_EQ(focusedName(), "lbExit");
    key(VK_TAB);
    EXPECT_EQ(GetFocus(), page);
    EXPECT_EQ(focusedName(), "");
    EXPECT_EQ(form->statusText(), "");
    // The page's own Tab past its last element comes back to the first hot-spot;
    // Shift+Tab past its first to the last.
    PostMessageW(main(), kLeavePageMessage, 0, 0);
    ASSERT_TRUE(pumpUntil([&] { return focusedName() == "lbEttan"; }));
    EXPECT_EQ(GetFocus(), main());
    key(VK_TAB, true);
    EXPECT_EQ(GetFocus(), page);
    PostMessageW(main(), kLeavePageMessage, 1, 0);
    ASSERT_TRUE(pumpUntil([&] { return focusedName() == "lbExit"; }));
    DestroyWindow(page);
}

TEST_F(HotSpotAccessTest, TheFocusedHotSpotLightsUpExplainsItselfAndShowsAMark) {
    const ClientPicture before(main());
    for (int i = 0; i < 3; ++i)
        key(VK_TAB); // lbEttan, lbTillagg, lbNoje
    ASSERT_EQ(focusedName(), "lbNoje");
    EXPECT_EQ(form->statusText(), "Nöjesavdelningen");
    EXPECT_TRUE(form->isHighlightVisible("imAktNoje"));
    ASSERT_TRUE(wintest::handlePosted());
    const ClientPicture marked(main());
    // The dotted mark along the label's top edge (351, 8, 74 wide).
    int changed = 0;
    for (int x = 351; x < 351 + 74; ++x)
        changed += marked.at(x, 8) == before.at(x, 8) ? 0 : 1;
    EXPECT_GT(changed, 74 / 4);
    key(VK_TAB);
    EXPECT_EQ(form->statusText(), "Nyttoavdelningen");
    EXPECT_FALSE(form->isHighlightVisible("imAktNoje"));
    // The keyboard goes elsewhere: the hot-spot has it again on return.
    SetFocus(nullptr);
    EXPECT_EQ(focusedName(), "");
    EXPECT_EQ(form->statusText(), "");
    SetFocus(main());
    EXPECT_EQ(focusedName(), "lbNytta");
}

TEST_F(HotSpotAccessTest, EnterAndSpaceClick) {
    ASSERT_TRUE(tabTo("lbTMfilsok"));
    key(VK_RETURN);
    EXPECT_TRUE(IsWindowVisible(fileSearch->hwnd()));
    ShowWindow(fileSearch->hwnd(), SW_HIDE);
    SetFocus(main());
    ASSERT_TRUE(tabTo("lbTMhjalp"));
    key(VK_SPACE);
    EXPECT_EQ(log, dv::test::CallLog{"navigate:C:\\Skiva\\docs/hjalp/index.htm"});
    // A held key clicks once.
    SendMessageW(main(), WM_KEYDOWN, VK_SPACE, static_cast<LPARAM>(1u | (1u << 30)));
    EXPECT_EQ(log.size(), 1u);
}

TEST_F(HotSpotAccessTest, AScreenReaderReadsTheHotSpotsNamesRolesStatesAndDescriptions) {
    openAccessible();
    EXPECT_EQ(text([&](BSTR* b) { return acc->get_accName(child(CHILDID_SELF), b); }),
              "Datavinds CD");
    EXPECT_EQ(number(acc, CHILDID_SELF, &IAccessible::get_accRole), ROLE_SYSTEM_CLIENT);
    const std::vector<std::string> order = tabStops();
    ASSERT_EQ(childCount(), static_cast<long>(order.size()) + 2); // and the status and title lines
    for (long id = 1; id <= static_cast<long>(order.size()); ++id) {
        const HotSpotAccessEntry& entry =
            *HotSpotAccess::find(order[static_cast<std::size_t>(id - 1)]);
        const HotSpot& spot = *form->hotSpots().find(entry.name);
        EXPECT_EQ(text([&](BSTR* b) { return acc->get_accName(child(id), b); }),
                  entry.accessibleName);
        EXPECT_EQ(text([&](BSTR* b) { return acc->get_accDescription(child(id), b); }),
                  spot.statusText);
        const bool link = HotSpotAccess::roleOf(entry.action) == HotSpotRole::Link;
        EXPECT_EQ(number(acc, id, &IAccessible::get_accRole),
                  link ? ROLE_SYSTEM_LINK : ROLE_SYSTEM_PUSHBUTTON)
            << entry.name;
        EXPECT_EQ(number(acc, id, &IAccessible::get_accState),
                  STATE_SYSTEM_FOCUSABLE | (link ? STATE_SYSTEM_LINKED : 0))
            << entry.name;
        EXPECT_EQ(text([&](BSTR* b) { return acc->get_accDefaultAction(child(id), b); }),
                  link ? "Gå till" : "Tryck");
    }
    // The names a reader hears.
    EXPECT_EQ(childNamed("Nöje"), 3);
    EXPECT_NE(childNamed("Månadens fullversioner"), 0);
    EXPECT_NE(childNamed("Spela"), 0);

    // The status line and the title line are read-only text.
    const long status = childCount() - 1;
    EXPECT_EQ(number(acc, status, &IAccessible::get_accRole), ROLE_SYSTEM_STATICTEXT);
    EXPECT_EQ(number(acc, status, &IAccessible::get_accState), STATE_SYSTEM_READONLY);
    key(VK_TAB);
    EXPECT_EQ(text([&](BSTR* b) { return acc->get_accName(child(status), b); }), "Till startsidan");
    EXPECT_EQ(text([&](BSTR* b) { return acc->get_accDescription(child(status), b); }),
              "Statusrad");
    EXPECT_EQ(number(acc, status + 1, &IAccessible::get_accRole), ROLE_SYSTEM_STATICTEXT);
    EXPECT_EQ(text([&](BSTR* b) { return acc->get_accDescription(child(status + 1), b); }),
              "Månadens MP3");

    // The focus is where the keyboard is.
    VARIANT focus;
    ASSERT_EQ(acc->get_accFocus(&focus), S_OK);
    EXPECT_EQ(focus.vt, VT_I4);
    EXPECT_EQ(focus.lVal, 1);
    EXPECT_TRUE(number(acc, 1, &IAccessible::get_accState) & STATE_SYSTEM_FOCUSED);
    EXPECT_FALSE(number(acc, 2, &IAccessible::get_accState) & STATE_SYSTEM_FOCUSED);
    // Taking the focus through the reader moves the keyboard there.
    EXPECT_EQ(acc->accSelect(SELFLAG_TAKEFOCUS, child(childNamed("Stoppa"))), S_OK);
    EXPECT_EQ(focusedName(), "lbStop");
}

TEST_F(HotSpotAccessTest, WhereTheHotSpotsLieOnTheScreen) {
    openAccessible();
    const long exit = childNamed("Avsluta");
    long left = 0, top = 0, width = 0, height = 0;
    ASSERT_EQ(acc->accLocation(&left, &top, &width, &height, child(exit)), S_OK);
    const POINT corner = wintest::onScreen(main(), 776, 8);
    EXPECT_EQ(left, corner.x);
    EXPECT_EQ(top, corner.y);
    EXPECT_EQ(width, 17);
    EXPECT_EQ(height, 17);
    VARIANT hit;
    const POINT onNoje = wintest::onScreen(main(), 380, 50);
    ASSERT_EQ(acc->accHitTest(onNoje.x, onNoje.y, &hit), S_OK);
    EXPECT_EQ(hit.vt, VT_I4);
    EXPECT_EQ(hit.lVal, childNamed("Nöje"));
    // The logo's hidden strip answers as the logo.
    const POINT onStrip = wintest::onScreen(main(), 97, 70);
    ASSERT_EQ(acc->accHitTest(onStrip.x, onStrip.y, &hit), S_OK);
    EXPECT_EQ(hit.lVal, childNamed("Startsidan"));
    VARIANT next;
    ASSERT_EQ(acc->accNavigate(NAVDIR_NEXT, child(1), &next), S_OK);
    EXPECT_EQ(next.lVal, 2);
    ASSERT_EQ(acc->accNavigate(NAVDIR_FIRSTCHILD, child(CHILDID_SELF), &next), S_OK);
    EXPECT_EQ(next.lVal, 1);
}

TEST_F(HotSpotAccessTest, ASectionsDefaultActionOpensItsPage) {
    openAccessible();
    ASSERT_EQ(acc->accDoDefaultAction(child(childNamed("Nöje"))), S_OK);
    // It runs once the reader's call is over.
    EXPECT_TRUE(log.empty());
    ASSERT_TRUE(pumpUntil([&] { return !log.empty(); }));
    EXPECT_EQ(log, dv::test::CallLog{"navigate:" + *sectionAddress("lbNoje", "C:\\Skiva\\")});
    ASSERT_EQ(acc->accDoDefaultAction(child(childNamed("Filsök"))), S_OK);
    ASSERT_TRUE(pumpUntil([&] { return IsWindowVisible(fileSearch->hwnd()) != FALSE; }));
}

TEST_F(HotSpotAccessTest, AHiddenHotSpotIsNotOfferedUntilItShows) {
    openAccessible();
    const long before = childCount();
    EXPECT_EQ(childNamed("Hoppa i låten"), 0);
    form->setHotSpotVisible("lbTrackBar", true);
    EXPECT_EQ(childCount(), before + 1);
    const long bar = childNamed("Hoppa i låten");
    ASSERT_NE(bar, 0);
    EXPECT_EQ(bar, childNamed("Stoppa") + 1);
    EXPECT_EQ(number(acc, bar, &IAccessible::get_accRole), ROLE_SYSTEM_SLIDER);
    EXPECT_EQ(number(acc, bar, &IAccessible::get_accState), 0); // no tab stop
    EXPECT_EQ(acc->accDoDefaultAction(child(bar)), DISP_E_MEMBERNOTFOUND);
    form->setHotSpotVisible("lbTrackBar", false);
    EXPECT_EQ(childCount(), before);
    EXPECT_EQ(acc->get_accChildCount(nullptr), E_INVALIDARG);
}

TEST_F(HotSpotAccessTest, AReaderHoldingTheObjectAfterTheWindowWentGetsAnError) {
    openAccessible();
    form.reset();
    long count = 0;
    EXPECT_EQ(acc->get_accChildCount(&count), RPC_E_DISCONNECTED);
}

} // namespace
} // namespace dv::win32
