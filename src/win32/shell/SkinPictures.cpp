#include "shell/SkinPictures.h"

#include "shell/MainWindowLayout.h"
#include "support/Utf16.h"

namespace dv::win32 {

SkinPictures::SkinPictures(const HotSpotCatalog& catalog) : background_(L"BGBILD") {
    if (!background_.empty()) {
        corner_ = background_.pixel(0, background_.height() - 1);
        background_.replaceColour(corner_, layout::kSkyBlue);
    }
    for (const HotSpot& spot : catalog.all()) {
        if (!spot.highlight.empty())
            highlights_.emplace(spot.highlight, ResourcePicture(widen(spot.highlight)));
    }
}

const ResourcePicture& SkinPictures::highlight(std::string_view name) const {
    const auto it = highlights_.find(name);
    return it == highlights_.end() ? none_ : it->second;
}

} // namespace dv::win32
