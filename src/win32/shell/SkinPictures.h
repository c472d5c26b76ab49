#pragma once

#include "core/shell/DisplayScale.h"
#include "core/shell/HotSpotCatalog.h"
#include "win32/support/ResourcePicture.h"

#include <map>
#include <string>
#include <string_view>

namespace dv::win32 {

// The main window's pictures from the program's resources: the background
// BGBILD and the highlight picture of every hot-spot that has one, drawn
// for the display's scale: those rendered at that scale, or at a scale no
// picture was rendered at, the next larger ones brought to size.
class SkinPictures {
  public:
    // The catalog's places are in the display's pixels at that scale.
    SkinPictures(const HotSpotCatalog& catalog, const DisplayScale& scale = DisplayScale());

    // The background as the window shows it: its corner colour (the colour
    // of its bottom-left pixel) left out, so the window's own colour shows
    // there. That colour is the key of the shaped window.
    const ResourcePicture& background() const { return background_; }
    // The corner colour the background was drawn with.
    Rgb cornerColour() const { return corner_; }
    // The highlight picture of that name; an empty picture when missing.
    // Read when first asked for: most are never shown.
    const ResourcePicture& highlight(std::string_view name) const;

  private:
    struct Highlight {
        int width = 0;
        int height = 0;
        bool read = false;
        ResourcePicture picture;
    };

    DisplayScale scale_;
    ResourcePicture background_;
    Rgb corner_{};
    mutable std::map<std::string, Highlight, std::less<>> highlights_;
    ResourcePicture none_;
};

} // namespace dv::win32
