// dialogtool: finds the dialog boxes (message boxes and other windows of the
// dialog class) that Windows programs have open, and answers them, so that
// an end-to-end test never leaves a box waiting for a person.
//
//   dialogtool list  [--process NAME] [--caption TEXT] [--wait SECONDS]
//   dialogtool press ID [--process NAME] [--caption TEXT] [--wait SECONDS]
//   dialogtool window --caption TEXT [--process NAME] [--wait SECONDS]
//   dialogtool restore --caption TEXT [--process NAME] [--wait SECONDS]
//   dialogtool close --caption TEXT [--process NAME] [--wait SECONDS]
//   dialogtool gone --caption TEXT [--process NAME] [--wait SECONDS]
//
// list prints one line per box, in UTF-8, fields separated by tabs:
//   window handle (hex), process name, caption, text, buttons as id=label
// e.g. "000000000002008c	datavind.exe	Datavinds cd	Kunde inte skapa IE	1=OK".
// press clicks the button with that id (1 OK, 2 Cancel, 6 Yes, 7 No) in the
// first box found and prints the box as list does.
// window finds a visible top-level window of any class by its caption and
// prints where its client area lies on the screen and its state:
//   left top width height normal|minimised|maximised
// e.g. "112 106 800 600 normal". restore asks that window to come back from
// minimised, as a click on its task-bar button would, and close asks it to
// close, as its close box would; both print it as window does. gone waits
// until no such window is left.
// --process keeps the windows of programs of that file name (any case),
// --caption those with exactly that caption, and --wait waits up to that many
// seconds (fractions allowed) for one to appear. The exit status is 0 when
// one was found (and its button pressed), 1 when none was, 2 on bad use;
// for gone, 0 when none is left and 1 when one still is.
//
// Run it under the same Wine prefix as the program, e.g. from a test script:
//   "$WINE_RUN" dialogtool.exe press 1 --process datavind.exe --wait 5

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Box {
    HWND window;
    std::string process;
    std::string caption;
    std::string text;
    std::vector<std::pair<int, std::string>> buttons;
};

struct Options {
    std::string command;
    int buttonId = 0;
    std::wstring process;
    std::string caption;
    double waitSeconds = 0;
};

std::string utf8(const std::wstring& text) {
    if (text.empty())
        return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                      nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                        nullptr, nullptr);
    return out;
}

std::wstring windowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring className(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

std::wstring processName(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (!process)
        return {};
    wchar_t path[MAX_PATH * 4] = {};
    DWORD size = MAX_PATH * 4;
    std::wstring name;
    if (QueryFullProcessImageNameW(process, 0, path, &size)) {
        name = path;
        name = name.substr(name.find_last_of(L"\\/") + 1);
    }
    CloseHandle(process);
    return name;
}

// Line breaks and tabs inside a field would break the line format.
std::string field(const std::wstring& text) {
    std::string out = utf8(text);
    for (char& c : out) {
        if (c == '\t' || c == '\r' || c == '\n')
            c = ' ';
    }
    return out;
}

Box describe(HWND window) {
    Box box{window, utf8(processName(window)), field(windowText(window)), {}, {}};
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const std::wstring kind = className(child);
        const std::wstring text = windowText(child);
        if (_wcsicmp(kind.c_str(), L"Button") == 0) {
            box.buttons.emplace_back(GetDlgCtrlID(child), field(text));
        } else if (_wcsicmp(kind.c_str(), L"Static") == 0 && !text.empty()) {
            if (!box.text.empty())
                box.text += ' ';
            box.text += field(text);
        }
    }
    return box;
}

std::vector<HWND> topLevelWindows() {
    std::vector<HWND> windows;
    EnumWindows(
        [](HWND window, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    return windows;
}

bool wanted(HWND window, const Options& options) {
    return IsWindowVisible(window) &&
           (options.process.empty() ||
            _wcsicmp(processName(window).c_str(), options.process.c_str()) == 0) &&
           (options.caption.empty() || field(windowText(window)) == options.caption);
}

// The client area of a window in screen coordinates and its state.
bool printWindow(const Options& options) {
    for (const HWND window : topLevelWindows()) {
        if (!wanted(window, options))
            continue;
        if (options.command == "gone")
            return true;
        if (options.command == "restore")
            SendMessageTimeoutW(window, WM_SYSCOMMAND, SC_RESTORE, 0, SMTO_ABORTIFHUNG, 5000,
                                nullptr);
        if (options.command == "close")
            PostMessageW(window, WM_CLOSE, 0, 0);
        RECT client;
        GetClientRect(window, &client);
        POINT origin{0, 0};
        ClientToScreen(window, &origin);
        const char* state = IsIconic(window)   ? "minimised"
                            : IsZoomed(window) ? "maximised"
                                               : "normal";
        std::printf("%ld %ld %ld %ld %s\n", origin.x, origin.y, client.right, client.bottom, state);
        return true;
    }
    return false;
}

std::vector<Box> findBoxes(const Options& options) {
    std::vector<Box> boxes;
    for (const HWND window : topLevelWindows()) {
        if (className(window) == L"#32770" && wanted(window, options))
            boxes.push_back(describe(window));
    }
    return boxes;
}

void print(const Box& box) {
    std::printf("%p\t%s\t%s\t%s\t", static_cast<void*>(box.window), box.process.c_str(),
                box.caption.c_str(), box.text.c_str());
    for (std::size_t i = 0; i < box.buttons.size(); ++i)
        std::printf("%s%d=%s", i ? " " : "", box.buttons[i].first, box.buttons[i].second.c_str());
    std::printf("\n");
}

bool press(const Box& box, int id) {
    const HWND button = GetDlgItem(box.window, id);
    if (!button || !IsWindowEnabled(button))
        return false;
    // Posted, so that a box whose program is busy cannot hold this tool up.
    return PostMessageW(box.window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                        reinterpret_cast<LPARAM>(button)) != 0;
}

int usage() {
    std::fprintf(stderr,
                 "usage: dialogtool list|press ID|window|restore|close|gone [--process NAME] "
                 "[--caption TEXT] [--wait SECONDS]\n");
    return 2;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    // Lines end in a bare line feed, as the shell scripts reading them expect.
    _setmode(_fileno(stdout), _O_BINARY);
    if (argc < 2)
        return usage();
    Options options;
    options.command = utf8(argv[1]);
    int i = 2;
    if (options.command == "press") {
        if (argc < 3)
            return usage();
        options.buttonId = _wtoi(argv[2]);
        i = 3;
    } else if (options.command != "list" && options.command != "window" &&
               options.command != "restore" && options.command != "close" &&
               options.command != "gone") {
        return usage();
    }
    for (; i + 1 < argc; i += 2) {
        const std::string name = utf8(argv[i]);
        if (name == "--process")
            options.process = argv[i + 1];
        else if (name == "--caption")
            options.caption = utf8(argv[i + 1]);
        else if (name == "--wait")
            options.waitSeconds = _wtof(argv[i + 1]);
        else
            return usage();
    }
    const bool gone = options.command == "gone";
    const bool byCaption = gone || options.command == "window" || options.command == "restore" ||
                           options.command == "close";
    if (i != argc || (byCaption && options.caption.empty()))
        return usage();

    const ULONGLONG deadline =
        GetTickCount64() + static_cast<ULONGLONG>(options.waitSeconds * 1000);
    for (;;) {
        if (byCaption) {
            if (printWindow(options) != gone)
                return 0;
            if (GetTickCount64() >= deadline)
                return 1;
            Sleep(50);
            continue;
        }
        const std::vector<Box> boxes = findBoxes(options);
        if (!boxes.empty()) {
            if (options.command == "list") {
                for (const Box& box : boxes)
                    print(box);
                return 0;
            }
            print(boxes.front());
            return press(boxes.front(), options.buttonId) ? 0 : 1;
        }
        if (GetTickCount64() >= deadline)
            return 1;
        Sleep(50);
    }
}
