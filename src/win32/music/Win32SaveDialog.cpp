#include "win32/music/Win32SaveDialog.h"

#include "win32/support/Utf16.h"

#include <commdlg.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

namespace dv::win32 {

namespace {

// Pairs of name and pattern, each ended by a NUL, the list by another.
constexpr wchar_t kFilter[] = L"MP3-filer (*.MP3)\0*.MP3\0Alla filer (*.*)\0*.*\0";

// Room for the longest path Windows takes.
constexpr std::size_t kPathRoom = 32768;

// The common dialogs are loaded at the first save, not with the program:
// they bring printing and TLS libraries along, some 8 MiB under Wine.
struct CommonDialogs {
    decltype(&GetSaveFileNameW) getSaveFileName = nullptr;
    decltype(&CommDlgExtendedError) extendedError = nullptr;
};

const CommonDialogs& commonDialogs() {
    static const CommonDialogs dialogs = [] {
        CommonDialogs found;
        // From the system's folder by its full path, never from the disc's.
        std::wstring library(MAX_PATH, L'\0');
        library.resize(GetSystemDirectoryW(library.data(), MAX_PATH));
        library += L"\\comdlg32.dll";
        if (const HMODULE module = LoadLibraryW(library.c_str())) {
            found.getSaveFileName = reinterpret_cast<decltype(&GetSaveFileNameW)>(
                reinterpret_cast<void*>(GetProcAddress(module, "GetSaveFileNameW")));
            found.extendedError = reinterpret_cast<decltype(&CommDlgExtendedError)>(
                reinterpret_cast<void*>(GetProcAddress(module, "CommDlgExtendedError")));
        }
        return found;
    }();
    return dialogs;
}

} // namespace

std::optional<std::string> Win32SaveDialog::askSaveFileName(const std::string& proposedName) {
    std::vector<wchar_t> path(kPathRoom, L'\0');
    const std::wstring proposed = widen(proposedName);
    proposed.copy(path.data(), std::min(proposed.size(), path.size() - 1));

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner_;
    dialog.lpstrFilter = kFilter;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.lpstrDefExt = L"MP3";
    dialog.Flags =
        OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_EXPLORER | OFN_NOCHANGEDIR;
    const CommonDialogs& dialogs = commonDialogs();
    if (!dialogs.getSaveFileName || !dialogs.extendedError)
        throw std::runtime_error("Dialogrutan för att spara kunde inte visas (fel " +
                                 std::to_string(GetLastError()) + ").");
    if (dialogs.getSaveFileName(&dialog))
        return narrow(path.data());
    if (const DWORD error = dialogs.extendedError(); error != 0)
        throw std::runtime_error("Dialogrutan för att spara kunde inte visas (fel " +
                                 std::to_string(error) + ").");
    return std::nullopt; // cancelled
}

} // namespace dv::win32
