// The online update on Windows from end to end: the disc's label goes to a
// service on loopback as the id, and what the service answers fills the
// quarantine list, shows its messages in real message boxes and refuses a
// quarantined link.

#include "win32/update/UpdateChecker.h"

#include "LoopbackHttpServer.h"
#include "RecordingPorts.h"
#include "Win32BoxAnswerer.h"
#include "Win32MessagePump.h"
#include "core/browser/CommandRunner.h"
#include "core/browser/FileLauncher.h"
#include "core/browser/TExtraInfoList.h"
#include "core/update/QuarantineList.h"
#include "win32/support/Win32MessageBoxes.h"
#include "win32/support/Window.h"
#include "win32/update/RegistrySettingsStore.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <optional>

namespace dv::win32 {
namespace {

using namespace std::chrono_literals;
using test::LoopbackHttpServer;

// Stands in for the main window: notes that it was asked to close.
class MainWindowStandIn : public Window {
  public:
    MainWindowStandIn() {
        create({L"DatavindTestMainWindow"}, 0, WS_OVERLAPPED, L"", {0, 0, 10, 10}, nullptr);
    }
    int closes = 0;

  protected:
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_CLOSE) {
            ++closes;
            return 0;
        }
        return Window::onMessage(message, wParam, lParam);
    }
};

class Yes : public ConsentDialog {
  public:
    int asked = 0;
    ConsentAnswer answer{true, false};
    ConsentAnswer ask() override {
        ++asked;
        return answer;
    }
};

std::string percentDecoded(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            out += static_cast<char>(std::stoi(std::string(text.substr(i + 1, 2)), nullptr, 16));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

// The id the service was asked about.
std::string discIdOf(const std::string& head) {
    const std::string key = "?discid=";
    const std::size_t start = head.find(key) + key.size();
    return percentDecoded(head.substr(start, head.find(' ', start) - start));
}

// The disc the test runs on: a CD drive the test script mapped, else the
// system drive, whatever its label.
struct Disc {
    std::string root;
    std::string label;
};

Disc testDisc() {
    if (const char* root = std::getenv("DATAVIND_TEST_DISC_ROOT"))
        return {root, std::getenv("DATAVIND_TEST_DISC_LABEL")};
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    const std::string root = narrow(std::wstring(system, 3)) + "Datavind\\";
    return {root, Win32VolumeInfo::labelOf(root.substr(0, 3))};
}

const char* kDocument = R"(<?xml version="1.0" encoding="UTF-8"?>
<dvcd>
  <quarantine><quarantined>program\virus.exe</quarantined></quarantine>
  <extrainfo><filename>spel.exe</filename><information>Kräver 3D-kort.</information><canrun>1</canrun></extrainfo>
  <message><caption>Viktigt</caption><text>Första raden#13andra raden</text><severity>WARNING</severity></message>
  <message><caption>Mer</caption><text>Läs mer</text><severity>EXTRAINFO</severity><url>http://x.example/</url></message>
</dvcd>)";

class UpdateCheckerTest : public ::testing::Test {
  protected:
    void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, RegistrySettingsStore::kKey); }
    void TearDown() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, RegistrySettingsStore::kKey);
        _putenv_s("DATAVIND_UPDATE_URL", "");
    }

    void serveFrom(const LoopbackHttpServer& server) {
        _putenv_s("DATAVIND_UPDATE_URL", server.base().c_str());
    }

    UpdateChecker::Parts parts() {
        return {disc.root, quarantine,       notes, boxes, fileLauncher, noteDialog, consent,
                status,    mainWindow.hwnd()};
    }

    bool processed() {
        return test::pumpUntil(
            [this] { return status.current().starts_with("Automatisk uppdatering"); }, 10s);
    }

    Disc disc = testDisc();
    MainWindowStandIn mainWindow;
    QuarantineList quarantine;
    TExtraInfoList notes;
    Win32MessageBoxes boxes{mainWindow.hwnd()};
    test::CallLog log;
    test::FakeLauncher launcher{log};
    test::FakeWaitingWindow waiting{log};
    FileLauncher fileLauncher{launcher, waiting, boxes};
    test::FakeExtraInfoDialog noteDialog{log};
    test::FakeStatusLine status;
    test::FakeWindowActions actions{log};
    Yes consent;
};

TEST_F(UpdateCheckerTest, TheLabelReachesTheServiceAndItsDocumentActs) {
    LoopbackHttpServer server(
        [](auto& c) { c.answer(200, kDocument, "Content-Type: text/xml\r\n"); });
    serveFrom(server);
    UpdateChecker checker(parts());
    test::Win32BoxAnswerer reader;
    checker.startPageLoaded();
    EXPECT_EQ(status.current(), "Kontrollerar om det finns uppdateringar...");
    ASSERT_TRUE(processed());
    EXPECT_EQ(status.current(), "Automatisk uppdatering klar...");

    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_TRUE(server.requests()[0].starts_with("GET /dvcd/autoupdate.asp?discid="));
    EXPECT_EQ(discIdOf(server.requests()[0]), disc.label);

    ASSERT_EQ(reader.boxes.size(), 2u);
    EXPECT_EQ(reader.boxes[0].caption, "Datavinds cd - Karantän");
    EXPECT_TRUE(reader.boxes[0].text.starts_with("Denna skiva innehåller en eller flera filer"))
        << reader.boxes[0].text;
    EXPECT_EQ(reader.boxes[1].caption, "Datavinds cd - Viktigt");
    EXPECT_EQ(reader.boxes[1].text, "Första raden\randra raden");
    EXPECT_EQ(log, test::CallLog{"notice:Datavinds cd - Mer|Läs mer|http://x.example/"});
    ASSERT_NE(notes.Find("D:\\spel.exe"), nullptr);

    // A link to the quarantined program is refused with the warning.
    CommandRunner runner(disc.root,
                         {quarantine, notes, noteDialog, fileLauncher, actions, status, boxes});
    log.clear();
    runner.DoCommand("EXECUTE=<thisdir>\\program\\virus.exe");
    EXPECT_TRUE(test::handlePosted());
    EXPECT_TRUE(log.empty()); // nothing started
    ASSERT_EQ(reader.boxes.size(), 3u);
    EXPECT_EQ(reader.boxes[2].caption, "Datavinds cd - Karantän!");
    EXPECT_TRUE(reader.boxes[2].text.starts_with("Den fil eller länk du klickade på (" +
                                                 disc.root.substr(0, disc.root.size() - 1) +
                                                 "\\program\\virus.exe) är satt i karantän"))
        << reader.boxes[2].text;
    EXPECT_EQ(mainWindow.closes, 0);
}

TEST_F(UpdateCheckerTest, AMessageThatEndsTheProgramClosesTheMainWindowAfterItsBox) {
    LoopbackHttpServer server([](auto& c) {
        c.answer(200,
                 "<d><message><caption>Stopp</caption><text>Slut</text><severity>ERROR</severity>"
                 "<cancontinue>0</cancontinue></message></d>");
    });
    serveFrom(server);
    UpdateChecker checker(parts());
    test::Win32BoxAnswerer reader;
    checker.DoAutoUpdate();
    ASSERT_TRUE(processed());
    EXPECT_EQ(reader.boxes.size(), 1u);
    EXPECT_TRUE(test::pumpUntil([this] { return mainWindow.closes == 1; }, 2s));
}

// What cannot be a document leaves both lists as they were; so does a
// well-formed document in an answer that is no success (a cloud store's
// XML error page once emptied the quarantine list).
TEST_F(UpdateCheckerTest, AFailedUpdateSaysSoAndKeepsTheLists) {
    const std::function<void(LoopbackHttpServer::Connection&)> answers[] = {
        [](auto& c) { c.answer(404, "<html><body>Sidan finns inte<br></body></html>"); },
        [](auto& c) {
            c.answer(403,
                     "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Error><Code>AccessDenied</Code>"
                     "<Message>Access Denied</Message></Error>",
                     "Content-Type: application/xml\r\n");
        },
        [](auto& c) { c.answer(404, "<dvcd/>"); },
        [](auto& c) { c.answer(500, "<dvcd><quarantine/></dvcd>"); },
        [](auto& c) { c.answer(200, std::string(1024 * 1024 + 1, ' ')); },
        [](auto& c) { c.answer(200, ""); },
    };
    for (const auto& answer : answers) {
        LoopbackHttpServer server(answer);
        serveFrom(server);
        quarantine.clear();
        quarantine.append("kvar.exe");
        status.texts.clear();
        UpdateChecker checker(parts());
        test::Win32BoxAnswerer reader;
        checker.DoAutoUpdate();
        ASSERT_TRUE(processed());
        EXPECT_EQ(status.current(), "Automatisk uppdatering misslyckades!");
        EXPECT_TRUE(quarantine.Quarantined("kvar.exe"));
        EXPECT_TRUE(reader.boxes.empty());
    }
}

// What a box of this thread looked like when it came, and its whole text.
struct SeenBox {
    RECT bounds{};
    RECT workArea{};
    std::wstring text;
    std::chrono::steady_clock::time_point at;
};

// Looks for the first visible box of this thread, notes it and presses OK.
class BoxWatcher {
  public:
    BoxWatcher() : timer_(SetTimer(nullptr, 0, 50, tick)) { current_ = this; }
    ~BoxWatcher() {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    BoxWatcher(const BoxWatcher&) = delete;
    BoxWatcher& operator=(const BoxWatcher&) = delete;
    std::optional<SeenBox> seen;

  private:
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
        if (current_ && !current_->seen)
            EnumThreadWindows(GetCurrentThreadId(), look, 0);
    }
    static BOOL CALLBACK look(HWND window, LPARAM) {
        wchar_t kind[16] = {};
        GetClassNameW(window, kind, 16);
        if (std::wstring(kind) != L"#32770" || !IsWindowVisible(window) || current_->seen)
            return TRUE;
        SeenBox box;
        box.at = std::chrono::steady_clock::now();
        GetWindowRect(window, &box.bounds);
        MONITORINFO info{};
        info.cbSize = sizeof info;
        GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info);
        box.workArea = info.rcWork;
        // The longest text a child holds: the message.
        EnumChildWindows(window, longestText, reinterpret_cast<LPARAM>(&box.text));
        current_->seen = std::move(box);
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return FALSE;
    }
    static BOOL CALLBACK longestText(HWND child, LPARAM into) {
        auto& text = *reinterpret_cast<std::wstring*>(into);
        const int length = GetWindowTextLengthW(child);
        if (length > static_cast<int>(text.size())) {
            std::wstring t(static_cast<std::size_t>(length) + 1, L'\0');
            t.resize(static_cast<std::size_t>(GetWindowTextW(child, t.data(), length + 1)));
            text = std::move(t);
        }
        return TRUE;
    }
    inline static BoxWatcher* current_ = nullptr;
    UINT_PTR timer_;
};

// An update message of 810 KB under the 1 MiB cap, one line without a blank,
// or many short lines: the box fits the work area of its monitor, comes at
// once, and holds the whole text, to be read by scrolling.
TEST_F(UpdateCheckerTest, AHugeMessageGetsABoxThatFitsTheScreen) {
    const std::string oneLine(810 * 1000, 'x');
    std::string manyLines;
    for (int i = 0; i < 40000; ++i)
        manyLines += "rad " + std::to_string(i) + "#13";
    const std::string* texts[] = {&oneLine, &manyLines};
    for (const std::string* text : texts) {
        LoopbackHttpServer server([text](auto& c) {
            c.answer(200, "<d><message><caption>Stor</caption><text>" + *text +
                              "</text><severity>WARNING</severity></message></d>");
        });
        serveFrom(server);
        status.texts.clear();
        UpdateChecker checker(parts());
        BoxWatcher watcher;
        checker.DoAutoUpdate();
        ASSERT_TRUE(test::pumpUntil([&] { return watcher.seen.has_value(); }, 20s));
        ASSERT_TRUE(processed());
        const SeenBox& box = *watcher.seen;
        EXPECT_GE(box.bounds.left, box.workArea.left);
        EXPECT_GE(box.bounds.top, box.workArea.top);
        EXPECT_LE(box.bounds.right, box.workArea.right);
        EXPECT_LE(box.bounds.bottom, box.workArea.bottom);
        EXPECT_GT(box.bounds.right - box.bounds.left, 200);
        EXPECT_GT(box.bounds.bottom - box.bounds.top, 100);
        // Each "#13" became a line break of two characters in the field.
        const std::size_t whole = text == &oneLine ? oneLine.size() : manyLines.size() - 40000;
        EXPECT_EQ(box.text.size(), whole) << "the whole text is there";
    }
}

TEST_F(UpdateCheckerTest, NoServiceIsAFailedUpdate) {
    _putenv_s("DATAVIND_UPDATE_URL", "http://127.0.0.1:9");
    UpdateChecker checker(parts());
    checker.DoAutoUpdate();
    ASSERT_TRUE(processed());
    EXPECT_EQ(status.current(), "Automatisk uppdatering misslyckades!");
}

// Only a reader who said yes gets a check, and the answer is kept for the
// next start once the program exits in order.
TEST_F(UpdateCheckerTest, TheReadersAnswerDecides) {
    LoopbackHttpServer server([](auto& c) { c.answer(200, "<d/>"); });
    serveFrom(server);
    consent.answer = {false, true};
    {
        UpdateChecker checker(parts());
        checker.startPageLoaded();
        test::pumpFor(300ms);
        checker.writeRegSettings();
    }
    EXPECT_TRUE(server.requests().empty());
    EXPECT_EQ(consent.asked, 1);
    EXPECT_EQ(RegistrySettingsStore().read(), (Settings{false, true}));
    {
        UpdateChecker checker(parts());
        checker.startPageLoaded();
        test::pumpFor(300ms);
    }
    EXPECT_EQ(consent.asked, 1); // not asked again
    EXPECT_TRUE(server.requests().empty());
}

} // namespace
} // namespace dv::win32
