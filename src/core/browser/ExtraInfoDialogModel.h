#pragma once

#include "core/shell/Geometry.h"

#include <optional>
#include <string>
#include <string_view>

namespace dv {

class TextMeasure;
struct TExtraInfo;

// What the "more information" dialog shows for one note.
struct ExtraInfoView {
    enum class Button { Yes, No };

    std::string caption;
    std::string information; // lines broken by "\n"
    std::string url;
    bool moreInfoVisible = false; // gbMoreInfo with lbURL
    bool openNowVisible = false;  // lbOpenNow
    bool yesVisible = false;      // btYes
    std::string noText;           // btNo: "Nej" beside "Ja", else "Stäng"
    Button defaultButton = Button::No;
    friend bool operator==(const ExtraInfoView&, const ExtraInfoView&) = default;
};

// Where the dialog's controls lie, in client pixels; lbURL inside gbMoreInfo.
struct ExtraInfoLayout {
    int clientWidth = 0;
    int clientHeight = 0;
    Rect lbInformation;
    bool informationScrolls = false; // too long: a scrolling field in its place
    Rect gbMoreInfo;
    Rect lbURL;
    Rect lbOpenNow;
    Rect btYes;
    Rect btNo;
    friend bool operator==(const ExtraInfoLayout&, const ExtraInfoLayout&) = default;
};

// The "more information" dialog (TExtraInfoForm) as both programs draw it.
class ExtraInfoDialogModel {
  public:
    static constexpr const char* kCaptionSuffix = " - Mer information";
    static constexpr const char* kMoreInfoTitle = " Mer information på nätet ";
    static constexpr const char* kOpenNow = "Vill du gå vidare och starta det du klickade på nu?";
    static constexpr const char* kYes = "Ja";
    static constexpr const char* kNo = "Nej";
    static constexpr const char* kClose = "Stäng";
    // The tallest the note grows before it scrolls.
    static constexpr int kMaxInformationHeight = 3 * 73;

    // The dialog's answers, as its buttons give them.
    enum class Result { Yes = 6, No = 7, Closed = 2 };

    // "Datavinds cd - Mer information".
    static std::string questionCaption();
    // Before an item starts: "Ja" and "Nej" when it may run, else "Stäng".
    static ExtraInfoView question(const TExtraInfo& note);
    // A notice: only "Stäng", under its own caption, whatever it says of starting.
    static ExtraInfoView notice(const TExtraInfo& note, const std::string& caption);

    // The form's own places, the note as tall as its lines up to a limit
    // (all below it moves down with it), the address as wide as its text.
    static ExtraInfoLayout layout(const ExtraInfoView& view, const TextMeasure& measure);

    enum class Key { Enter, Escape };
    // Esc answers "Nej"; Enter presses the focused button, else the default
    // one. Nothing focused or visible: empty.
    static std::optional<Result> onKey(Key key, const ExtraInfoView& view,
                                       std::optional<ExtraInfoView::Button> focused);
    // Only "Ja" starts the item; "Nej", Esc and the close box do not.
    static bool starts(Result result) { return result == Result::Yes; }

    // What a click on the address opens: the address when it is a web page
    // (it comes from the update service), else nothing. The dialog stays.
    static std::optional<std::string> addressToOpen(std::string_view url);

    // Line breaks as the update service writes them (CR, LF or both) as "\n".
    static std::string displayLines(std::string_view text);
};

} // namespace dv
