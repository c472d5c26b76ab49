#include "win32/support/ResourcePicture.h"

#include "win32/support/PngPixels.h"

#include <cstring>
#include <utility>

namespace dv::win32 {

namespace {

// The bytes of an RCDATA resource; they live as long as the module.
std::pair<const unsigned char*, DWORD> resourceBytes(const std::wstring& name) {
    const HMODULE module = GetModuleHandleW(nullptr);
    const HRSRC found = FindResourceW(module, name.c_str(), MAKEINTRESOURCEW(10)); // RT_RCDATA
    if (!found)
        return {nullptr, 0};
    const HGLOBAL loaded = LoadResource(module, found);
    if (!loaded)
        return {nullptr, 0};
    return {static_cast<const unsigned char*>(LockResource(loaded)), SizeofResource(module, found)};
}

} // namespace

ResourcePicture::ResourcePicture(const std::wstring& name) {
    const auto [bytes, size] = resourceBytes(name);
    static constexpr unsigned char kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (bytes && size >= sizeof kPngSignature &&
        std::memcmp(bytes, kPngSignature, sizeof kPngSignature) == 0) {
        const PngPixels png = PngPixels::decode(bytes, size);
        if (png.bitsPerPixel != 0)
            adopt(png.width, png.height, png.bitsPerPixel, png.rows.data());
        return;
    }
    if (!bytes || size < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER))
        return;
    BITMAPFILEHEADER file;
    BITMAPINFOHEADER info;
    std::memcpy(&file, bytes, sizeof file);
    std::memcpy(&info, bytes + sizeof file, sizeof info);
    const bool known = file.bfType == 0x4D42 && info.biSize >= sizeof info && info.biPlanes == 1 &&
                       (info.biBitCount == 24 || info.biBitCount == 32) &&
                       info.biCompression == BI_RGB && info.biWidth > 0 && info.biHeight > 0;
    if (!known)
        return;
    const int stride = ((info.biWidth * info.biBitCount / 8) + 3) & ~3;
    if (file.bfOffBits > size ||
        static_cast<DWORD>(stride) * static_cast<DWORD>(info.biHeight) > size - file.bfOffBits)
        return;

    adopt(info.biWidth, info.biHeight, info.biBitCount, bytes + file.bfOffBits);
}

ResourcePicture::ResourcePicture(const std::wstring& name, int percent)
    : ResourcePicture(percent == 100 ? name : name + L"_" + std::to_wstring(percent)) {}

bool ResourcePicture::adopt(int width, int height, int bitsPerPixel, const unsigned char* rows) {
    BITMAPINFO header{};
    header.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    header.bmiHeader.biWidth = width;
    header.bmiHeader.biHeight = height;
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = static_cast<WORD>(bitsPerPixel);
    header.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &header, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap_)
        return false;
    bits_ = static_cast<unsigned char*>(bits);
    width_ = width;
    height_ = height;
    stride_ = ((width * bitsPerPixel / 8) + 3) & ~3;
    alpha_ = bitsPerPixel == 32;
    if (rows)
        std::memcpy(bits_, rows,
                    static_cast<std::size_t>(stride_) * static_cast<std::size_t>(height_));
    return true;
}

ResourcePicture ResourcePicture::resized(int width, int height) const {
    ResourcePicture copy;
    if (empty() || width <= 0 || height <= 0 ||
        !copy.adopt(width, height, alpha_ ? 32 : 24, nullptr))
        return copy;
    const HDC target = CreateCompatibleDC(nullptr);
    const HDC source = CreateCompatibleDC(nullptr);
    const HGDIOBJ oldTarget = SelectObject(target, copy.bitmap_);
    const HGDIOBJ oldSource = SelectObject(source, bitmap_);
    SetStretchBltMode(target, HALFTONE);
    SetBrushOrgEx(target, 0, 0, nullptr);
    StretchBlt(target, 0, 0, width, height, source, 0, 0, width_, height_, SRCCOPY);
    SelectObject(source, oldSource);
    SelectObject(target, oldTarget);
    DeleteDC(source);
    DeleteDC(target);
    GdiFlush();
    return copy;
}

ResourcePicture::ResourcePicture(ResourcePicture&& other) noexcept {
    *this = std::move(other);
}

ResourcePicture& ResourcePicture::operator=(ResourcePicture&& other) noexcept {
    if (this != &other) {
        reset();
        bitmap_ = std::exchange(other.bitmap_, nullptr);
        bits_ = std::exchange(other.bits_, nullptr);
        width_ = std::exchange(other.width_, 0);
        height_ = std::exchange(other.height_, 0);
        stride_ = std::exchange(other.stride_, 0);
        alpha_ = std::exchange(other.alpha_, false);
    }
    return *this;
}

ResourcePicture::~ResourcePicture() {
    reset();
}

void ResourcePicture::reset() {
    if (bitmap_)
        DeleteObject(bitmap_);
    bitmap_ = nullptr;
    bits_ = nullptr;
}

unsigned char* ResourcePicture::at(int x, int y) const {
    // Rows are stored from the bottom up.
    const int row = height_ - 1 - y;
    return bits_ + static_cast<std::ptrdiff_t>(row) * stride_ + x * (alpha_ ? 4 : 3);
}

Rgb ResourcePicture::pixel(int x, int y) const {
    if (empty() || x < 0 || y < 0 || x >= width_ || y >= height_)
        return {};
    const unsigned char* p = at(x, y);
    return {p[2], p[1], p[0]};
}

void ResourcePicture::replaceColour(Rgb from, Rgb to) {
    if (empty() || alpha_)
        return;
    GdiFlush(); // GDI may still be drawing from the bits
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            unsigned char* p = at(x, y);
            if (p[2] == from.red && p[1] == from.green && p[0] == from.blue) {
                p[2] = to.red;
                p[1] = to.green;
                p[0] = to.blue;
            }
        }
    }
}

void ResourcePicture::draw(HDC target, int x, int y) const {
    if (empty())
        return;
    const HDC source = CreateCompatibleDC(target);
    const HGDIOBJ old = SelectObject(source, bitmap_);
    if (alpha_) {
        const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        AlphaBlend(target, x, y, width_, height_, source, 0, 0, width_, height_, blend);
    } else {
        BitBlt(target, x, y, width_, height_, source, 0, 0, SRCCOPY);
    }
    SelectObject(source, old);
    DeleteDC(source);
}

} // namespace dv::win32
