#pragma once

#include "core/shell/Geometry.h"

#include <windows.h>

#include <string>

namespace dv::win32 {

// A picture the program carries as an RCDATA resource holding a PNG file
// (decoded by the Windows Imaging Component) or a BMP file (24-bit, or
// 32-bit with premultiplied alpha), as a DIB section that GDI draws
// directly: 24-bit when opaque, else 32-bit with premultiplied alpha. An
// empty picture draws nothing.
class ResourcePicture {
  public:
    ResourcePicture() = default;
    // The resource of that name in this program's own module; empty when it
    // is missing or not a BMP of those kinds.
    explicit ResourcePicture(const std::wstring& name);
    // The picture drawn for a display scale: at 100 % the resource of that
    // name, at another scale the resource NAME_PERCENT (BGBILD_150); empty
    // when missing.
    ResourcePicture(const std::wstring& name, int percent);
    ResourcePicture(const ResourcePicture&) = delete;
    ResourcePicture& operator=(const ResourcePicture&) = delete;
    ResourcePicture(ResourcePicture&& other) noexcept;
    ResourcePicture& operator=(ResourcePicture&& other) noexcept;
    ~ResourcePicture();

    bool empty() const { return !bitmap_; }
    int width() const { return width_; }
    int height() const { return height_; }
    bool hasAlpha() const { return alpha_; }
    HBITMAP handle() const { return bitmap_; }

    // A copy of another size, drawn with Windows' halftone filter (each
    // pixel the average of those it covers); for scales no picture was
    // rendered at.
    ResourcePicture resized(int width, int height) const;

    // The colour at a point, (0, 0) being the top-left pixel.
    Rgb pixel(int x, int y) const;
    // Every pixel of one colour given another (opaque pictures only).
    void replaceColour(Rgb from, Rgb to);
    // Draws the whole picture with its top-left corner at (x, y): copied when
    // opaque, blended by its alpha otherwise.
    void draw(HDC target, int x, int y) const;

  private:
    // A DIB section of that size and depth with the rows copied in, bottom up.
    bool adopt(int width, int height, int bitsPerPixel, const unsigned char* rows);
    void reset();
    unsigned char* at(int x, int y) const;

    HBITMAP bitmap_ = nullptr;
    unsigned char* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    int stride_ = 0;
    bool alpha_ = false;
};

} // namespace dv::win32
