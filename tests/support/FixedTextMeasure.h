#pragma once

#include "core/shell/TextMeasure.h"

#include <string_view>

namespace dv::test {

// A font where every character is `charWidth` wide and every line
// `lineHeight` tall; lines break at blanks and at "\n", a word wider than the
// line stands alone.
class FixedTextMeasure : public TextMeasure {
  public:
    FixedTextMeasure(int charWidth, int lineHeight, int indicator = 16)
        : charWidth_(charWidth), lineHeight_(lineHeight), indicator_(indicator) {}

    TextSize measure(std::string_view text, int wrapWidth) const override {
        int lines = 1;
        int widest = 0;
        int line = 0; // width of the current line
        std::size_t i = 0;
        while (i <= text.size()) {
            if (i == text.size() || text[i] == '\n') {
                widest = line > widest ? line : widest;
                if (i == text.size())
                    break;
                ++lines;
                line = 0;
                ++i;
                continue;
            }
            std::size_t end = i;
            while (end < text.size() && text[end] != ' ' && text[end] != '\n')
                ++end;
            const int word = width(text.substr(i, end - i));
            const int blank = line > 0 ? charWidth_ : 0;
            if (wrapWidth > 0 && line > 0 && line + blank + word > wrapWidth) {
                widest = line > widest ? line : widest;
                ++lines;
                line = word;
            } else {
                line += blank + word;
            }
            i = end < text.size() && text[end] == ' ' ? end + 1 : end;
        }
        return {widest, lines * lineHeight_};
    }
    int indicatorWidth() const override { return indicator_; }

  private:
    // Characters, not bytes: "å" is one.
    int width(std::string_view word) const {
        int n = 0;
        for (const char c : word)
            if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
                ++n;
        return n * charWidth_;
    }

    int charWidth_;
    int lineHeight_;
    int indicator_;
};

} // namespace dv::test
