#include "BrowserTestSupport.h"

#include "win32/browser/MyMessageHandler.h"
#include "win32/browser/PageFocus.h"
#include "win32/support/MessageLoop.h"

#include <gtest/gtest.h>

#include <vector>

namespace dv::win32::test {
namespace {

// COM objects end through Release and are final.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
// The browser's in-place object as far as the hook uses it: it keeps the
// messages it was asked to translate.
class RecordingInPlaceObject final : public IOleInPlaceActiveObject {
  public:
    std::vector<MSG> translated;
    HRESULT answer = S_FALSE; // S_FALSE: not the control's key

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleWindow) ||
            IsEqualIID(iid, IID_IOleInPlaceActiveObject)) {
            *object = this;
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        return --references_;
    } // lives on the test's stack
    HRESULT STDMETHODCALLTYPE GetWindow(HWND*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(WINBOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG message) override {
        translated.push_back(*message);
        return answer;
    }
    HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(WINBOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnDocWindowActivate(WINBOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, WINBOOL) override {
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE EnableModeless(WINBOOL) override { return S_OK; }

  private:
    ULONG references_ = 1;
};
#pragma GCC diagnostic pop

// A browser stand-in: a window with a text field inside, as a page has.
class FakeBrowser : public HookedBrowser {
  public:
    FakeBrowser() {
        window = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400,
                                 300, nullptr, nullptr, nullptr, nullptr);
        field = CreateWindowExW(0, L"EDIT", L"abc", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 10, 200,
                                20, window, nullptr, nullptr, nullptr);
        SetFocus(field);
        SendMessageW(field, EM_SETSEL, 3, 3);
    }
    ~FakeBrowser() override { DestroyWindow(window); }

    HWND browserWindow() const override { return exists ? window : nullptr; }
    bool browserBusy() const override { return busy; }
    Microsoft::WRL::ComPtr<IOleInPlaceActiveObject> inPlaceActiveObject() const override {
        ++asked;
        return Microsoft::WRL::ComPtr<IOleInPlaceActiveObject>(&inPlace);
    }
    void readerActed() override { ++acts; }

    HWND window = nullptr;
    HWND field = nullptr;
    bool exists = true;
    bool busy = false;
    mutable int asked = 0;
    int acts = 0;
    mutable RecordingInPlaceObject inPlace;
};

MSG message(HWND window, UINT id, WPARAM wParam = 0, LPARAM lParam = 0) {
    MSG m{};
    m.hwnd = window;
    m.message = id;
    m.wParam = wParam;
    m.lParam = lParam;
    return m;
}

TEST(MyMessageHandler, RightClicksAreSwallowedEverywhere) {
    FakeBrowser browser;
    MyMessageHandler hook(browser);
    const HWND other = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 500, 0, 100, 100,
                                       nullptr, nullptr, nullptr, nullptr);
    for (const HWND target : {browser.field, browser.window, other}) {
        MSG down = message(target, WM_RBUTTONDOWN, MK_RBUTTON);
        MSG up = message(target, WM_RBUTTONUP);
        EXPECT_TRUE(hook.preTranslate(down));
        EXPECT_TRUE(hook.preTranslate(up));
    }
    MSG left = message(other, WM_LBUTTONDOWN, MK_LBUTTON);
    EXPECT_FALSE(hook.preTranslate(left)); // other windows' messages go their way
    EXPECT_TRUE(browser.inPlace.translated.empty());
    DestroyWindow(other);
}

// The reader's clicks and Enter or Space in the page are reported before
// they are handled (a link they follow navigates meanwhile); nothing else is.
TEST(MyMessageHandler, TheReadersClicksAndKeysInThePageAreTheirActs) {
    FakeBrowser browser;
    MyMessageHandler hook(browser);
    const HWND other = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 500, 0, 100, 100,
                                       nullptr, nullptr, nullptr, nullptr);
    struct Case {
        MSG message;
        bool act;
    };
    const Case cases[] = {
        {message(browser.field, WM_LBUTTONUP), true},
        {message(browser.window, WM_LBUTTONUP), true},
        {message(browser.field, WM_KEYDOWN, VK_RETURN), true},
        {message(browser.field, WM_KEYDOWN, VK_SPACE), true},
        {message(browser.field, WM_LBUTTONDOWN, MK_LBUTTON), false},
        {message(browser.field, WM_MOUSEMOVE), false},
        {message(browser.field, WM_KEYDOWN, 'A'), false},
        {message(browser.field, WM_KEYUP, VK_RETURN), false},
        {message(browser.field, WM_TIMER, 1), false},
        {message(other, WM_LBUTTONUP), false},
        {message(other, WM_KEYDOWN, VK_RETURN), false},
    };
    for (const Case& c : cases) {
        browser.acts = 0;
        MSG m = c.message;
        hook.preTranslate(m);
        EXPECT_EQ(browser.acts, c.act ? 1 : 0) << c.message.message << " " << c.message.wParam;
    }
    DestroyWindow(other);
}

TEST(MyMessageHandler, WithoutABrowserNothingIsHandled) {
    FakeBrowser browser;
    browser.exists = false;
    MyMessageHandler hook(browser);
    MSG right = message(browser.window, WM_RBUTTONDOWN, MK_RBUTTON);
    MSG key = message(browser.field, WM_KEYDOWN, 'A');
    EXPECT_FALSE(hook.preTranslate(right));
    EXPECT_FALSE(hook.preTranslate(key));
    EXPECT_EQ(browser.asked, 0);
}

TEST(MyMessageHandler, ATabThePageDoesNotTakeHandsTheFocusToTheWindow) {
    struct Case {
        HRESULT answer;
        bool shift;
        bool posted;
    };
    const Case cases[] = {{S_FALSE, false, true}, {S_FALSE, true, true}, {S_OK, false, false}};
    FakeBrowser browser;
    MyMessageHandler hook(browser);
    for (const Case& c : cases) {
        browser.inPlace.answer = c.answer;
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_SHIFT] = c.shift ? 0x80 : 0;
        SetKeyboardState(keys);
        MSG tab = message(browser.field, WM_KEYDOWN, VK_TAB);
        EXPECT_TRUE(hook.preTranslate(tab));
        keys[VK_SHIFT] = 0;
        SetKeyboardState(keys);
        MSG posted;
        const bool got =
            PeekMessageW(&posted, browser.window, kLeavePageMessage, kLeavePageMessage, PM_REMOVE);
        EXPECT_EQ(got, c.posted) << c.answer << c.shift;
        if (got) {
            EXPECT_EQ(posted.wParam, c.shift ? 1u : 0u);
        }
    }
    // Other keys the page does not take stay where they are.
    browser.inPlace.answer = S_FALSE;
    MSG key = message(browser.field, WM_KEYDOWN, 'A');
    EXPECT_TRUE(hook.preTranslate(key));
    MSG posted;
    EXPECT_FALSE(
        PeekMessageW(&posted, browser.window, kLeavePageMessage, kLeavePageMessage, PM_REMOVE));
}

TEST(MyMessageHandler, KeysGoToTheBrowserAndItsAcceleratorsButThoseThatLeaveThePage) {
    struct Case {
        UINT id;
        WPARAM key;
        bool translated;
    };
    const Case cases[] = {
        {WM_KEYDOWN, 'A', true},      {WM_KEYUP, 'A', true},          {WM_KEYDOWN, VK_F5, true},
        {WM_KEYDOWN, VK_UP, true},    {WM_KEYDOWN, VK_BACK, false},   {WM_KEYUP, VK_BACK, false},
        {WM_KEYDOWN, VK_LEFT, false}, {WM_KEYUP, VK_LEFT, false},     {WM_KEYDOWN, VK_RIGHT, false},
        {WM_KEYUP, VK_RIGHT, false},  {WM_SYSKEYDOWN, VK_LEFT, true}, // Alt+Left is not held back
    };
    FakeBrowser browser;
    MyMessageHandler hook(browser);
    for (const Case& c : cases) {
        browser.inPlace.translated.clear();
        MSG m = message(browser.field, c.id, c.key);
        EXPECT_TRUE(hook.preTranslate(m)) << c.key; // the dialog handling took it
        ASSERT_EQ(browser.inPlace.translated.size(), c.translated ? 1u : 0u) << c.key;
        if (c.translated) {
            EXPECT_EQ(browser.inPlace.translated[0].message, c.id);
            EXPECT_EQ(browser.inPlace.translated[0].wParam, c.key);
        }
    }
    EXPECT_EQ(browser.asked, 1); // taken once and kept
}

TEST(MyMessageHandler, ABusyBrowserTranslatesNothing) {
    FakeBrowser browser;
    browser.busy = true;
    MyMessageHandler hook(browser);
    MSG m = message(browser.field, WM_KEYDOWN, 'A');
    EXPECT_TRUE(hook.preTranslate(m));
    EXPECT_TRUE(browser.inPlace.translated.empty());
    EXPECT_EQ(browser.asked, 0);
}

TEST(MyMessageHandler, BackspaceInAPageFieldDeletesACharacter) {
    FakeBrowser browser;
    MyMessageHandler hook(browser);
    MessageLoop::instance().addFilter(hook);
    PostMessageW(browser.field, WM_KEYDOWN, VK_BACK, 0x000E0001);
    PostMessageW(browser.field, WM_KEYUP, VK_BACK, static_cast<LPARAM>(0xC00E0001));
    auto text = [&] {
        wchar_t buffer[16]{};
        GetWindowTextW(browser.field, buffer, 16);
        return std::wstring(buffer);
    };
    pumpUntil([&] { return text() == L"ab"; }, 3000);
    MessageLoop::instance().removeFilter(hook);
    EXPECT_EQ(text(), L"ab");
    // The browser's accelerators never saw the key itself, which means "back".
    for (const MSG& m : browser.inPlace.translated)
        EXPECT_FALSE((m.message == WM_KEYDOWN || m.message == WM_KEYUP) && m.wParam == VK_BACK);
}

TEST(MyMessageHandler, TheProgramHooksTheRealControlOnceItExists) {
    TestDisc disc;
    TestProgram program(disc.root());
    EXPECT_FALSE(program.hookMade());
    ASSERT_TRUE(program.start());
    EXPECT_TRUE(program.hookMade());
    HookedBrowser& hooked = program.browser();
    EXPECT_NE(hooked.browserWindow(), nullptr);
    EXPECT_NE(hooked.inPlaceActiveObject(), nullptr);
    MyMessageHandler hook(hooked);
    MSG right = message(hooked.browserWindow(), WM_RBUTTONDOWN, MK_RBUTTON);
    EXPECT_TRUE(hook.preTranslate(right));
}

} // namespace
} // namespace dv::win32::test
