#include "win32/support/UiFont.h"

#include <initializer_list>
#include <map>
#include <string>

namespace dv::win32 {

namespace {

constexpr int kLogicalHeight = 11;

HFONT create(const wchar_t* face, int height, DWORD precision) {
    return CreateFontW(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, precision,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, face);
}

// The face Windows chose for a font.
std::wstring faceOf(HFONT font) {
    const HDC dc = GetDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, font);
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, face);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return face;
}

HFONT scaledFont(int height) {
    // Windows has Microsoft Sans Serif, the outline twin of MS Sans Serif;
    // where it is missing (Wine), Tahoma, its successor as the dialogs' font.
    for (const wchar_t* face : {L"Microsoft Sans Serif", L"Tahoma"}) {
        const HFONT font = create(face, height, OUT_TT_ONLY_PRECIS);
        if (font && faceOf(font) == face)
            return font;
        if (font)
            DeleteObject(font);
    }
    return create(L"MS Sans Serif", height, OUT_TT_ONLY_PRECIS);
}

} // namespace

HFONT uiFont(const DisplayScale& scale) {
    static std::map<int, HFONT> fonts;
    const auto known = fonts.find(scale.dpi());
    if (known != fonts.end())
        return known->second;
    const HFONT font = scale.isIdentity()
                           ? create(L"MS Sans Serif", kLogicalHeight, OUT_DEFAULT_PRECIS)
                           : scaledFont(scale.fontHeight(kLogicalHeight));
    fonts.emplace(scale.dpi(), font);
    return font;
}

} // namespace dv::win32
