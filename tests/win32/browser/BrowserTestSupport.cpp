#include "BrowserTestSupport.h"

#include "core/browser/BrowserHost.h"
#include "win32/browser/MyMessageHandler.h"
#include "win32/browser/WebBrowserControl.h"
#include "win32/support/MessageLoop.h"
#include "win32/support/Utf16.h"

#include <filesystem>
#include <fstream>

namespace dv::win32::test {

namespace fs = std::filesystem;

namespace {

std::wstring moduleFolder() {
    wchar_t path[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    return fs::path(std::wstring(path, n)).parent_path().wstring();
}

void writeFile(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

} // namespace

std::wstring textOf(HWND window) {
    // Read without a message, so another thread may ask while this one waits.
    wchar_t text[4096]{};
    const int n = InternalGetWindowText(window, text, 4096);
    return std::wstring(text, static_cast<std::size_t>(n > 0 ? n : 0));
}

namespace {

// Wine hands out small process numbers again and again: the time too.
std::wstring uniqueName(const wchar_t* stem) {
    static int count = 0;
    return stem + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(GetTickCount64()) + L"-" + std::to_wstring(++count);
}

} // namespace

std::wstring classOf(HWND window) {
    wchar_t name[128]{};
    GetClassNameW(window, name, 128);
    return name;
}

bool pumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    while (!done()) {
        if (GetTickCount64() > end)
            return false;
        MessageLoop::instance().processPending();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

void pumpFor(DWORD ms) {
    const ULONGLONG end = GetTickCount64() + ms;
    pumpUntil([end] { return GetTickCount64() >= end; }, ms + 1000);
}

TestDisc::TestDisc() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const fs::path base(temp);
    // No blank in the root: a target with a blank and no apostrophe is cut there.
    const fs::path disc = base / uniqueName(L"Datavind-skiva-");
    const fs::path outside = base / uniqueName(L"Utanför skivan ");
    writeFile(
        disc / L"docs" / L"ettan" / L"index.htm",
        "<html><body><a href=\"COMMAND:EXECUTE=<thisdir>\\program\\argrec.exe a b\">Starta</a>"
        "</body></html>");
    writeFile(disc / L"docs" / L"noje" / L"index.htm", "<html><body>Nöje</body></html>");
    writeFile(outside / L"sida.htm",
              "<html><body><a href=\"COMMAND:QUIT\">Sluta</a></body></html>");
    fs::create_directories(disc / L"program");
    fs::copy_file(fs::path(moduleFolder()) / L"argrec.exe", disc / L"program" / L"argrec.exe");
    root_ = narrow(disc.wstring()) + "\\";
    outside_ = narrow(outside.wstring()) + "\\";
    record_ = narrow((base / (uniqueName(L"argrec ") + L".txt")).wstring());
    // The recording program inherits our environment and finds its file there.
    SetEnvironmentVariableW(L"DATAVIND_ARGREC_FILE", widen(record_).c_str());
}

TestDisc::~TestDisc() {
    std::error_code ignored;
    fs::remove_all(fs::path(widen(root_)), ignored);
    fs::remove_all(fs::path(widen(outside_)), ignored);
    fs::remove(fs::path(widen(record_)), ignored);
}

std::optional<std::vector<std::string>> TestDisc::recordedArguments(DWORD timeoutMs) const {
    const fs::path file(widen(record_));
    if (!pumpUntil([&] { return fs::exists(file); }, timeoutMs))
        return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    std::vector<std::string> arguments;
    for (std::string line; std::getline(in, line);)
        arguments.push_back(line);
    return arguments;
}

bool TestDisc::programRan(DWORD waitMs) const {
    const fs::path file(widen(record_));
    pumpUntil([&] { return fs::exists(file); }, waitMs);
    return fs::exists(file);
}

void TestDisc::forgetRecording() const {
    std::error_code ignored;
    fs::remove(fs::path(widen(record_)), ignored);
}

DialogAnswerer::DialogAnswerer(std::wstring caption, Action action, DWORD timeoutMs)
    : DialogAnswerer([caption = std::move(caption)](HWND w) { return textOf(w) == caption; },
                     std::move(action), timeoutMs) {}

DialogAnswerer::DialogAnswerer(Match match, Action action, DWORD timeoutMs)
    : thread_([this, match = std::move(match), action = std::move(action), timeoutMs] {
          run(match, action, timeoutMs);
      }) {}

DialogAnswerer::~DialogAnswerer() {
    finish();
}

void DialogAnswerer::finish() {
    // The window comes from the program's messages, which must keep flowing.
    pumpUntil([this] { return done_.load(); }, 60000);
    if (thread_.joinable())
        thread_.join();
}

std::string DialogAnswerer::text() const {
    const std::lock_guard lock(mutex_);
    return text_;
}

std::wstring DialogAnswerer::windowClass() const {
    const std::lock_guard lock(mutex_);
    return class_;
}

void DialogAnswerer::run(const Match& match, const Action& action, DWORD timeoutMs) {
    struct Search {
        const Match* match;
        HWND found;
    };
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    while (GetTickCount64() < end) {
        Search search{&match, nullptr};
        EnumWindows(
            [](HWND w, LPARAM data) -> BOOL {
                auto* s = reinterpret_cast<Search*>(data);
                DWORD process = 0;
                GetWindowThreadProcessId(w, &process);
                if (process != GetCurrentProcessId() || !IsWindowVisible(w) || !(*s->match)(w))
                    return TRUE;
                s->found = w;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        if (search.found) {
            {
                const std::lock_guard lock(mutex_);
                text_ = narrow(textOf(GetDlgItem(search.found, 0xFFFF)));
                class_ = classOf(search.found);
            }
            action(search.found);
            answered_ = true;
            done_ = true;
            return;
        }
        Sleep(20);
    }
    // Nothing came: close whatever box is up rather than wait for a person.
    EnumWindows(
        [](HWND w, LPARAM) -> BOOL {
            DWORD process = 0;
            GetWindowThreadProcessId(w, &process);
            if (process == GetCurrentProcessId() && IsWindowVisible(w) && classOf(w) == L"#32770")
                PostMessageW(w, WM_CLOSE, 0, 0);
            return TRUE;
        },
        0);
    done_ = true;
}

DialogAnswerer::Action DialogAnswerer::pressBoxButton(int id) {
    return [id](HWND box) {
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
    };
}

DialogAnswerer::Action DialogAnswerer::clickButtonWithText(std::wstring text) {
    return [text](HWND window) {
        struct Search {
            const std::wstring* text;
            HWND found;
        } search{&text, nullptr};
        EnumChildWindows(
            window,
            [](HWND child, LPARAM data) -> BOOL {
                auto* s = reinterpret_cast<Search*>(data);
                if (classOf(child) == L"Button" && IsWindowVisible(child) &&
                    textOf(child) == *s->text) {
                    s->found = child;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        if (search.found)
            PostMessageW(search.found, BM_CLICK, 0, 0);
    };
}

DialogAnswerer::Action DialogAnswerer::postKey(UINT virtualKey) {
    return [virtualKey](HWND window) {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
        const HWND target = info.hwndFocus ? info.hwndFocus : window;
        PostMessageW(target, WM_KEYDOWN, virtualKey, 1);
        PostMessageW(target, WM_KEYUP, virtualKey, static_cast<LPARAM>(0xC0000001));
    };
}

std::string linkedDiscRoot() {
    // Wine shows the Unix file system as drive Z:.
    std::string path = "Z:" DATAVIND_LINKED_DISC "/";
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

void EventSender::send(DISPID id, std::vector<VARIANT> argumentsFirstToLast) {
    std::vector<VARIANT> reversed(argumentsFirstToLast.rbegin(), argumentsFirstToLast.rend());
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    sink_.Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr,
                 nullptr);
}

VARIANT EventSender::number(long value) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = value;
    return v;
}

VARIANT EventSender::text(BSTR value) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = value;
    return v;
}

VARIANT EventSender::reference(VARIANT* value) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BYREF | VT_VARIANT;
    v.pvarVal = value;
    return v;
}

VARIANT EventSender::dispatch(IDispatch* value) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_DISPATCH;
    v.pdispVal = value;
    return v;
}

VARIANT EventSender::flag(VARIANT_BOOL* value) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BYREF | VT_BOOL;
    v.pboolVal = value;
    return v;
}

TestMainWindow::TestMainWindow(std::string discRoot) {
    if (!create({L"DatavindTestMainWindow", 0, GetSysColorBrush(COLOR_BTNFACE)}, 0,
                WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, L"Testfönster",
                {0, 0, 820, 660}, nullptr))
        throw std::runtime_error("no test window");
    panel_ = CreateWindowExW(0, L"STATIC", L"Startar Datavinds CD...",
                             WS_CHILD | WS_VISIBLE | SS_CENTER | WS_CLIPCHILDREN, 8, 122, 784, 432,
                             hwnd(), nullptr, nullptr, nullptr);
    status_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_NOPREFIX, 10, 558, 735,
                              15, hwnd(), nullptr, nullptr, nullptr);
    bar_ = CreateWindowExW(0, L"msctls_progress32", L"", WS_CHILD, 592, 580, 197, 17, hwnd(),
                           nullptr, nullptr, nullptr);
    progress_.setBar(bar_);
    indicator_ = std::make_unique<DownloadIndicator>(progress_);
    browser_ = std::make_unique<Win32BrowserHost>(
        Win32BrowserHost::Parts{panel_, hwnd(), std::move(discRoot), *this, *indicator_});
}

TestMainWindow::~TestMainWindow() {
    browser_.reset();
}

bool TestMainWindow::startBrowser() {
    return createIE(*browser_);
}

namespace {

void navigate2Of(Win32BrowserHost& host, const std::wstring& address) {
    // A link the reader follows: their click in the page comes first.
    host.readerActed();
    VARIANT url;
    VariantInit(&url);
    url.vt = VT_BSTR;
    url.bstrVal = SysAllocStringLen(address.data(), static_cast<UINT>(address.size()));
    VARIANT none;
    VariantInit(&none);
    host.control()->browser().Navigate2(&url, &none, &none, &none, &none);
    VariantClear(&url);
}

std::wstring locationOf(const Win32BrowserHost& host) {
    const WebBrowserControl* control = host.control();
    if (!control)
        return {};
    BSTR location = nullptr;
    control->browser().get_LocationURL(&location);
    std::wstring text = location ? std::wstring(location, SysStringLen(location)) : std::wstring();
    SysFreeString(location);
    return text;
}

bool showPageOf(Win32BrowserHost& host, const std::string& path) {
    // The control shows a local page as file:// and the path with
    // backslashes, ".." and all.
    std::wstring shown = widen(path);
    for (wchar_t& c : shown)
        if (c == L'/')
            c = L'\\';
    shown = L"file://" + shown;
    host.navigate(path);
    return pumpUntil([&] { return locationOf(host) == shown && !host.browserBusy(); });
}

} // namespace

void TestMainWindow::navigate2(const std::wstring& address) {
    navigate2Of(*browser_, address);
}
std::wstring TestMainWindow::location() const {
    return locationOf(*browser_);
}
bool TestMainWindow::showPage(const std::string& path) {
    return showPageOf(*browser_, path);
}

std::string TestMainWindow::statusText() const {
    return narrow(textOf(status_));
}

void TestMainWindow::setStatusText(const std::string& text) {
    statusTexts_.push_back(text);
    SetWindowTextW(status_, widen(text).c_str());
}

LRESULT TestMainWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CTLCOLORSTATIC && reinterpret_cast<HWND>(lParam) == panel_)
        return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    return defaultHandling(message, wParam, lParam);
}

TestProgram::TestProgram(const std::string& discRoot, std::optional<PlatformFacts> facts) {
    // A pointer left over a hot-spot by another test would write its hint.
    SetCursorPos(0, 0);
    TForm1::Environment environment{&boxes_, discRoot + "datavind.exe", facts, {}, {}};
    environment.createBrowser =
        [this](const TForm1::BrowserPlace& place) -> std::unique_ptr<BrowserHost> {
        auto host = std::make_unique<Win32BrowserHost>(Win32BrowserHost::Parts{
            place.panel, place.window, place.discRoot, place.status, place.progress});
        host_ = host.get();
        return host;
    };
    environment.createMessageHook = [this]() -> std::unique_ptr<MessageFilter> {
        hookMade_ = true;
        return std::make_unique<MyMessageHandler>(*host_);
    };
    windows_ = std::make_unique<DiscWindows>(environment);
    mainWindow_ = windows_->form1->hwnd();
    boxes_.setOwner(mainWindow_);
    windows_->form1->show();
}

TestProgram::~TestProgram() {
    windows_.reset();
    // A closed main window ends the program: its quit is not the next test's.
    MSG quit;
    while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

bool TestProgram::start() {
    windows_->form1->StartupTimerTimer();
    return host_ && host_->hasControl();
}

void TestProgram::navigate2(const std::wstring& address) {
    navigate2Of(*host_, address);
}
std::wstring TestProgram::location() const {
    return locationOf(*host_);
}
bool TestProgram::showPage(const std::string& path) {
    return showPageOf(*host_, path);
}

} // namespace dv::win32::test
