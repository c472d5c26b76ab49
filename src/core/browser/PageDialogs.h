#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace dv {

enum class PageDialogKind { Alert, Confirm, Prompt };

// One box a page's script asked for, as the front end draws it. Every text
// but `text` and `defaultValue` is the program's own; those two come from
// the page and are plain text.
struct PageDialogModel {
    std::string caption;
    std::string text;
    bool hasInput = false;    // prompt: a one-line field
    std::string defaultValue; // its text at first
    std::string okText;
    std::optional<std::string> cancelText; // confirm and prompt
    // The offer to stop the page's boxes, once they come one after another.
    std::optional<std::string> stopText;
};

// The boxes a page's script shows with alert, confirm and prompt. A page
// that calls alert in a loop would otherwise trap the reader: after a few
// boxes in a row, each box offers to stop the page's boxes, as browsers do;
// once the reader took it, the page's boxes are answered at once (alert
// returns, confirm and prompt are cancelled) until another page loads. A
// box counts as in a row when it opens soon after the one before was
// answered. The front end shows each box without blocking the main window,
// so its hot-spots (exit, minimise) keep working meanwhile.
class PageDialogs {
  public:
    using Clock = std::chrono::steady_clock;
    static constexpr int kBoxesBeforeOffer = 2;       // the third box in a row offers
    static constexpr std::chrono::seconds kInARow{3}; // from one answer to the next box

    // The box to show, or nothing when the reader stopped this page's boxes
    // and the script gets its cancelled answer at once.
    std::optional<PageDialogModel> open(PageDialogKind kind, std::string_view text,
                                        std::string_view defaultValue, Clock::time_point now);
    // The reader answered the box open returned; stopFurther: the offer was
    // taken.
    void answered(bool stopFurther, Clock::time_point now);
    // Another page loaded: its boxes start afresh.
    void pageChanged();

  private:
    int inARow_ = 0;
    std::optional<Clock::time_point> lastAnswer_;
    bool stopped_ = false;
};

} // namespace dv
