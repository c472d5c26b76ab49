#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace dv {

// One row's run of the window's visible pixels.
struct PictureRun {
    int x = 0;
    int y = 0;
    int width = 0;

    bool operator==(const PictureRun&) const = default;
};

// The start window's whole look, drawn at build time: the skin with the
// centre panel's caption, each pixel 0xAARRGGBB, alpha 0 where the window
// has a hole. Stored as "DVSTART1", width and height (32-bit little-endian)
// and the pixels row by row, little-endian: the start window reads it with
// no picture library, and the disc's compression packs it.
class StartWindowPicture {
  public:
    static constexpr char kMagic[8] = {'D', 'V', 'S', 'T', 'A', 'R', 'T', '1'};
    static constexpr int kMaxSide = 4096;

    StartWindowPicture(int width, int height, std::vector<std::uint32_t> pixels);

    // Nothing when the bytes are not a whole picture.
    static std::optional<StartWindowPicture> parse(const std::vector<unsigned char>& bytes);
    static std::optional<StartWindowPicture> read(const std::string& path);
    std::vector<unsigned char> serialise() const;

    int width() const { return width_; }
    int height() const { return height_; }
    std::uint32_t pixel(int x, int y) const {
        return pixels_[static_cast<std::size_t>(y * width_ + x)];
    }
    // The window's shape: the runs of pixels that are not holes, row by row,
    // left to right.
    std::vector<PictureRun> visibleRuns() const;

  private:
    int width_;
    int height_;
    std::vector<std::uint32_t> pixels_;
};

} // namespace dv
