#include "win32/app/DiscWindows.h"

#include "RecordingPorts.h"
#include "WindowTesting.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dv::win32 {
namespace {

// The top-level windows created on this thread, by class, in order.
class CreationWatch {
  public:
    CreationWatch() {
        created_.clear();
        hook_ = SetWindowsHookExW(WH_CBT, &CreationWatch::seen, nullptr, GetCurrentThreadId());
    }
    ~CreationWatch() { UnhookWindowsHookEx(hook_); }
    const std::vector<std::wstring>& created() const { return created_; }

  private:
    static LRESULT CALLBACK seen(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_CREATEWND) {
            const auto* create = reinterpret_cast<const CBT_CREATEWNDW*>(lParam)->lpcs;
            if (!create->hwndParent || !(create->style & WS_CHILD)) {
                if (!IS_INTRESOURCE(create->lpszClass) && create->lpszClass[0] == L'T')
                    created_.emplace_back(create->lpszClass);
            }
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static inline std::vector<std::wstring> created_;
    HHOOK hook_;
};

TEST(DiscWindowsTest, TheWindowsComeInTheirOrderAndNoneIsShown) {
    dv::test::FakeMessageBoxes boxes;
    const CreationWatch watch;
    {
        DiscWindows windows({&boxes, "D:\\datavind.exe", {}, {}, {}});
        const std::vector<std::wstring> expected{
            L"TForm1",         L"TFileSearchForm", L"TProgStartingForm", L"TAutoUpdateSettingsForm",
            L"TExtraInfoForm", L"TForm2"};
        EXPECT_EQ(watch.created(), expected);
        EXPECT_EQ(windows.form1->discRoot(), "D:\\");
        for (const Window* w : std::initializer_list<const Window*>{
                 windows.form1.get(), windows.fileSearch.get(), windows.progStarting.get(),
                 windows.autoUpdateSettings.get(), windows.extraInfo.get(), windows.form2.get()}) {
            ASSERT_TRUE(IsWindow(w->hwnd()));
            EXPECT_FALSE(IsWindowVisible(w->hwnd()));
        }
    }
    MSG quit;
    while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

} // namespace
} // namespace dv::win32
