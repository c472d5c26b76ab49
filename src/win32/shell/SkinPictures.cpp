#include "win32/shell/SkinPictures.h"

#include "core/shell/MainWindowLayout.h"
#include "win32/support/Utf16.h"

namespace dv::win32 {

namespace {

// The picture rendered for the scale, brought to the size it takes there.
ResourcePicture pictureAt(const std::wstring& name, const DisplayScale& scale, int width,
                          int height) {
    ResourcePicture picture(name, scale.picturePercent());
    if (picture.empty() || (picture.width() == width && picture.height() == height))
        return picture;
    return picture.resized(width, height);
}

} // namespace

SkinPictures::SkinPictures(const HotSpotCatalog& catalog, const DisplayScale& scale)
    : scale_(scale) {
    const Rect client = scale.toPhysical(Rect{0, 0, layout::kClientWidth, layout::kClientHeight});
    background_ = pictureAt(L"BGBILD", scale, client.width, client.height);
    if (!background_.empty()) {
        corner_ = background_.pixel(0, background_.height() - 1);
        background_.replaceColour(corner_, layout::kSkyBlue);
    }
    for (const HotSpot& spot : catalog.all()) {
        if (!spot.highlight.empty())
            highlights_.emplace(
                spot.highlight,
                Highlight{spot.highlightBounds.width, spot.highlightBounds.height, false, {}});
    }
}

const ResourcePicture& SkinPictures::highlight(std::string_view name) const {
    const auto it = highlights_.find(name);
    if (it == highlights_.end())
        return none_;
    Highlight& h = it->second;
    if (!h.read) {
        h.picture = pictureAt(widen(it->first), scale_, h.width, h.height);
        h.read = true;
    }
    return h.picture;
}

} // namespace dv::win32
