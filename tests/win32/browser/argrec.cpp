// A stand-in for a program on the disc: writes the arguments it was started
// with, one a line in UTF-8, to the file named by DATAVIND_ARGREC_FILE. The
// file appears complete or not at all.
#include <windows.h>
#include <shellapi.h>

#include <string>

namespace {

std::string utf8(const wchar_t* text) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n > 0 ? n - 1 : 0), '\0');
    if (n > 1)
        WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), n, nullptr, nullptr);
    return out;
}

} // namespace

int main() {
    wchar_t target[MAX_PATH];
    if (!GetEnvironmentVariableW(L"DATAVIND_ARGREC_FILE", target, MAX_PATH))
        return 2;
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::string text;
    for (int i = 1; i < count; ++i)
        text += utf8(arguments[i]) + "\n";
    LocalFree(arguments);

    const std::wstring part = std::wstring(target) + L".part";
    const HANDLE file =
        CreateFileW(part.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 3;
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    return MoveFileExW(part.c_str(), target, MOVEFILE_REPLACE_EXISTING) ? 0 : 4;
}
