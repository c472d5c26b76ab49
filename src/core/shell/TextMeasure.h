#pragma once

#include <string_view>

namespace dv {

struct TextSize {
    int width = 0;
    int height = 0;
    friend constexpr bool operator==(const TextSize&, const TextSize&) = default;
};

// How much room a text takes in a dialog's font, in client pixels. The
// dialogs' models lay their controls out from these figures, so that a font
// wider or taller than the one the forms were drawn for never cuts a text.
class TextMeasure {
  public:
    virtual ~TextMeasure() = default;
    // The text broken into lines no wider than wrapWidth (0: one line, as
    // wide as it is).
    virtual TextSize measure(std::string_view text, int wrapWidth) const = 0;
    // What a radio button or check box needs beside its text: the box and
    // the gap after it.
    virtual int indicatorWidth() const = 0;
};

} // namespace dv
