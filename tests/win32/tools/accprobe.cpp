// accprobe: reads a window of another program as a screen reader does,
// through MSAA (AccessibleObjectFromWindow on its client area).
//
//   accprobe list --caption TEXT [--wait SECONDS]
//   accprobe do NAME --caption TEXT [--wait SECONDS]
//
// list prints one line per child of the client area, in UTF-8, fields
// separated by tabs: child id, role number, name, description, state
// (hex), default action. do carries out the default action of the first
// child of that name. The exit status is 0 on success, 1 when the window
// or its accessible object could not be had (the HRESULT is printed), 2 on
// bad use.

#include <windows.h>

#include <oleacc.h>

#include <cstdio>
#include <string>

namespace {

std::string utf8(const wchar_t* text, int length) {
    if (!text || length <= 0)
        return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, length, out.data(), size, nullptr, nullptr);
    return out;
}

std::string take(BSTR text) {
    std::string out = text ? utf8(text, static_cast<int>(SysStringLen(text))) : std::string();
    SysFreeString(text);
    return out;
}

VARIANT childId(long id) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

long number(HRESULT result, const VARIANT& v) { return SUCCEEDED(result) && v.vt == VT_I4 ? v.lVal : -1; }

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2)
        return 2;
    const std::wstring command = argv[1];
    std::wstring caption, target;
    double waitSeconds = 0;
    int i = 2;
    if (command == L"do" && argc > 2)
        target = argv[i++];
    for (; i + 1 < argc; i += 2) {
        const std::wstring option = argv[i];
        if (option == L"--caption")
            caption = argv[i + 1];
        else if (option == L"--wait")
            waitSeconds = _wtof(argv[i + 1]);
        else
            return 2;
    }
    if (caption.empty() || (command != L"list" && command != L"do"))
        return 2;

    HWND window = nullptr;
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(waitSeconds * 1000);
    while (!(window = FindWindowW(nullptr, caption.c_str())) && GetTickCount64() < end)
        Sleep(100);
    if (!window) {
        std::printf("no window\n");
        return 1;
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IAccessible* acc = nullptr;
    const HRESULT got = AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                                   reinterpret_cast<void**>(&acc));
    if (FAILED(got) || !acc) {
        std::printf("AccessibleObjectFromWindow: 0x%08lx\n", static_cast<unsigned long>(got));
        return 1;
    }
    long count = 0;
    acc->get_accChildCount(&count);
    int status = command == L"do" ? 1 : 0;
    for (long id = 1; id <= count; ++id) {
        BSTR name = nullptr, description = nullptr, action = nullptr;
        VARIANT role, state;
        VariantInit(&role);
        VariantInit(&state);
        acc->get_accName(childId(id), &name);
        const std::string nameText = take(name);
        if (command == L"do") {
            if (nameText == utf8(target.c_str(), static_cast<int>(target.size()))) {
                const HRESULT done = acc->accDoDefaultAction(childId(id));
                std::printf("accDoDefaultAction: 0x%08lx\n", static_cast<unsigned long>(done));
                status = SUCCEEDED(done) ? 0 : 1;
                break;
            }
            continue;
        }
        acc->get_accDescription(childId(id), &description);
        acc->get_accDefaultAction(childId(id), &action);
        const long roleNumber = number(acc->get_accRole(childId(id), &role), role);
        const long stateNumber = number(acc->get_accState(childId(id), &state), state);
        std::printf("%ld\t%ld\t%s\t%s\t%lx\t%s\n", id, roleNumber, nameText.c_str(), take(description).c_str(),
                    static_cast<unsigned long>(stateNumber), take(action).c_str());
    }
    acc->Release();
    CoUninitialize();
    return status;
}
