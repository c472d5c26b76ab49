#include "WineTestSupport.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <vector>

namespace dv::win32::test {

std::string windowsPath(std::string unixPath) {
    std::replace(unixPath.begin(), unixPath.end(), '/', '\\');
    return "Z:" + unixPath;
}

std::string sampleDisc() {
    return windowsPath(DATAVIND_SOURCE_DISC) + "\\";
}

std::string fileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

namespace {

std::map<UINT_PTR, std::function<void()>>& soon() {
    static std::map<UINT_PTR, std::function<void()>> all;
    return all;
}

} // namespace

void runSoon(std::function<void()> work, int delayMs) {
    const UINT_PTR timer =
        SetTimer(nullptr, 0, static_cast<UINT>(delayMs), [](HWND, UINT, UINT_PTR id, DWORD) {
            KillTimer(nullptr, id);
            const auto it = soon().find(id);
            if (it == soon().end())
                return;
            const std::function<void()> due = std::move(it->second);
            soon().erase(it);
            due();
        });
    soon()[timer] = std::move(work);
}

namespace {

std::map<UINT_PTR, DialogAnswerer*>& answerers() {
    static std::map<UINT_PTR, DialogAnswerer*> all;
    return all;
}

} // namespace

HWND threadWindowWithClass(const wchar_t* className, const std::function<bool(HWND)>& accept) {
    struct Search {
        const wchar_t* name;
        const std::function<bool(HWND)>* accept;
        HWND found;
    } search{className, &accept, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM parameter) -> BOOL {
            auto* s = reinterpret_cast<Search*>(parameter);
            wchar_t name[64] = L"";
            GetClassNameW(window, name, 64);
            if (IsWindowVisible(window) && wcscmp(name, s->name) == 0 && (*s->accept)(window)) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

DialogAnswerer::DialogAnswerer(Action action, HWND besides, int timeoutMs)
    : DialogAnswerer(
          std::move(action), [besides](HWND dialog) { return dialog != besides; }, timeoutMs) {}

DialogAnswerer::DialogAnswerer(Action action, Accept accept, int timeoutMs)
    : action_(std::move(action)), accept_(std::move(accept)),
      deadline_(GetTickCount() + static_cast<DWORD>(timeoutMs)) {
    timer_ = SetTimer(nullptr, 0, 100, &DialogAnswerer::tick);
    answerers()[timer_] = this;
}

DialogAnswerer::~DialogAnswerer() {
    if (timer_) {
        KillTimer(nullptr, timer_);
        answerers().erase(timer_);
    }
}

void CALLBACK DialogAnswerer::tick(HWND, UINT, UINT_PTR id, DWORD) {
    const auto it = answerers().find(id);
    if (it == answerers().end())
        return;
    DialogAnswerer* self = it->second;
    HWND dialog = threadWindowWithClass(L"#32770", self->accept_);
    const bool late = static_cast<LONG>(GetTickCount() - self->deadline_) > 0;
    if (!dialog && !late)
        return;
    KillTimer(nullptr, id);
    answerers().erase(it);
    self->timer_ = 0;
    if (dialog) {
        self->answered_ = true;
        self->action_(dialog);
    }
}

std::wstring messageBoxText(HWND box) {
    // The longest static text of the box: its message, not its icon. (Windows
    // numbers that control 0xFFFF, Wine 100.)
    std::wstring longest;
    EnumChildWindows(
        box,
        [](HWND child, LPARAM parameter) -> BOOL {
            wchar_t name[32] = L"";
            GetClassNameW(child, name, 32);
            if (_wcsicmp(name, L"Static") != 0)
                return TRUE;
            wchar_t text[2048] = L"";
            GetWindowTextW(child, text, 2048);
            auto* found = reinterpret_cast<std::wstring*>(parameter);
            if (wcslen(text) > found->size())
                *found = text;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&longest));
    return longest;
}

UINT messageBoxIcon(HWND box) {
    // The box shows the icon of its kind; compare with the system's.
    struct Kind {
        UINT flag;
        LPCWSTR icon;
    };
    const HWND iconControl = [box] {
        HWND found = nullptr;
        EnumChildWindows(
            box,
            [](HWND child, LPARAM parameter) -> BOOL {
                if (SendMessageW(child, STM_GETICON, 0, 0)) {
                    *reinterpret_cast<HWND*>(parameter) = child;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&found));
        return found;
    }();
    if (!iconControl)
        return 0;
    const auto shown = reinterpret_cast<HICON>(SendMessageW(iconControl, STM_GETICON, 0, 0));
    for (const Kind kind :
         {Kind{MB_ICONINFORMATION, IDI_INFORMATION}, Kind{MB_ICONERROR, IDI_ERROR},
          Kind{MB_ICONWARNING, IDI_WARNING}, Kind{MB_ICONQUESTION, IDI_QUESTION}}) {
        if (LoadIconW(nullptr, kind.icon) == shown)
            return kind.flag;
    }
    return 0;
}

std::wstring itemText(HWND dialog, int id) {
    wchar_t text[1024] = L"";
    GetDlgItemTextW(dialog, id, text, 1024);
    return text;
}

void pressButton(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

} // namespace dv::win32::test
