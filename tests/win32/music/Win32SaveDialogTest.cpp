// Windows' save dialog for the track, answered from inside its own loop:
// the file name box of the dialog is the combo box cmb13.

#include "win32/music/Win32SaveDialog.h"
#include "WineTestSupport.h"
#include "win32/support/Utf16.h"

#include <gtest/gtest.h>

#include <dlgs.h>

#include <filesystem>
#include <fstream>

namespace dv::win32 {
namespace {

namespace fs = std::filesystem;
using test::DialogAnswerer;
using test::itemText;

std::vector<std::wstring> comboItems(HWND combo) {
    std::vector<std::wstring> items;
    const auto count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t text[256] = L"";
        SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        items.emplace_back(text);
    }
    return items;
}

class Win32SaveDialogTest : public testing::Test {
  protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH] = L"";
        GetTempPathW(MAX_PATH, temp);
        folder = fs::path(temp) / (L"datavind-save-" + std::to_wstring(GetTickCount64()));
        fs::create_directories(folder);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
    std::string inFolder(const wchar_t* name) const { return narrow((folder / name).wstring()); }

    fs::path folder;
    Win32SaveDialog dialog;
};

TEST_F(Win32SaveDialogTest, ProposesTheTracksNameAndOffersBothFilters) {
    std::wstring proposed;
    std::vector<std::wstring> filters;
    DialogAnswerer answer([&](HWND d) {
        proposed = itemText(d, cmb13);
        filters = comboItems(GetDlgItem(d, cmb1));
        test::pressButton(d, IDCANCEL);
    });
    EXPECT_EQ(dialog.askSaveFileName("Vinterljus.mp3"), std::nullopt); // cancelled
    ASSERT_TRUE(answer.answered());
    EXPECT_EQ(proposed, L"Vinterljus.mp3");
    EXPECT_EQ(filters, (std::vector<std::wstring>{L"MP3-filer (*.MP3)", L"Alla filer (*.*)"}));
}

TEST_F(Win32SaveDialogTest, GivesTheChosenPathAndAddsMp3WhenNoSuffixIsTyped) {
    struct Case {
        const wchar_t* typed;
        const wchar_t* chosen;
    };
    for (const Case& c : {Case{L"kopia.mp3", L"kopia.mp3"}, Case{L"utan", L"utan.MP3"}}) {
        DialogAnswerer answer([&](HWND d) {
            SetDlgItemTextW(d, cmb13, (folder / c.typed).c_str());
            test::pressButton(d, IDOK);
        });
        const std::optional<std::string> chosen = dialog.askSaveFileName("Vinterljus.mp3");
        EXPECT_TRUE(answer.answered());
        // Names are matched without regard to case, as Windows does (Wine
        // writes the suffix it adds in lower case).
        ASSERT_TRUE(chosen) << narrow(c.typed);
        EXPECT_EQ(lstrcmpiW(widen(*chosen).c_str(), widen(inFolder(c.chosen)).c_str()), 0)
            << *chosen;
    }
}

TEST_F(Win32SaveDialogTest, AsksBeforeAFileIsReplaced) {
    std::ofstream(folder / L"finns.mp3") << "gammal";
    for (const int reply : {IDNO, IDYES}) {
        std::wstring question;
        std::unique_ptr<DialogAnswerer> confirm, giveUp;
        DialogAnswerer answer([&](HWND d) {
            SetDlgItemTextW(d, cmb13, (folder / L"finns.mp3").c_str());
            test::pressButton(d, IDOK);
            confirm = std::make_unique<DialogAnswerer>(
                [&, d](HWND box) {
                    question = test::messageBoxText(box);
                    test::pressButton(box, reply);
                    // Saying no leaves the dialog up for another choice.
                    if (reply == IDNO)
                        giveUp = std::make_unique<DialogAnswerer>(
                            [](HWND again) { test::pressButton(again, IDCANCEL); }, box);
                },
                d);
        });
        const std::optional<std::string> chosen = dialog.askSaveFileName("Vinterljus.mp3");
        ASSERT_TRUE(confirm);
        EXPECT_TRUE(confirm->answered());
        EXPECT_FALSE(question.empty());
        if (reply == IDYES) {
            EXPECT_EQ(chosen, inFolder(L"finns.mp3"));
        } else {
            EXPECT_EQ(chosen, std::nullopt);
            ASSERT_TRUE(giveUp);
            EXPECT_TRUE(giveUp->answered());
        }
    }
}

} // namespace
} // namespace dv::win32
