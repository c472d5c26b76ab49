#pragma once

#include "core/shell/Geometry.h"

namespace dv {

class TextMeasure;

// Where the consent dialog's controls lie, in client pixels.
struct ConsentDialogLayout {
    int clientWidth = 0;
    int clientHeight = 0;
    Rect Label1;
    Rect Label2;
    Rect rbYes;
    Rect rbNo;
    Rect Button1;
    Rect cbNoNo;
    friend bool operator==(const ConsentDialogLayout&, const ConsentDialogLayout&) = default;
};

// The consent dialog "Automatisk uppdatering" as both programs draw it: its
// texts, where its controls lie for the font it is shown in, and which keys
// close it. What its controls answer is ConsentAnswer::fromControls.
class ConsentDialogModel {
  public:
    static constexpr const char* kCaption = "Automatisk uppdatering";
    static constexpr const char* kIntro =
        "Datavinds cd kan automatiskt koppla upp sig mot Internet och kontrollera om det finns "
        "någon uppdaterad "
        "information som rör den aktuella skivan. Det kan exempelvis röra sig om problem med vissa "
        "program, eller "
        "sena ändringar som tillkommit efter att skivan trycktes.";
    static constexpr const char* kQuestion =
        "Vill du att skivan ska göra en sådan kontroll när den startas?";
    static constexpr const char* kYes = "Ja (rekommenderas)";
    static constexpr const char* kNo = "Nej";
    static constexpr const char* kClose = "Stäng";
    static constexpr const char* kDontRemind = "Påminn mig inte om denna funktion i framtiden";

    // The controls that take the focus, in tab order.
    enum class Control { rbYes, rbNo, Button1, cbNoNo };
    static constexpr Control kTabOrder[] = {Control::rbYes, Control::rbNo, Control::Button1,
                                            Control::cbNoNo};

    // The form's own places, grown where the font needs more room: the
    // paragraph as tall as its lines (all below it moves down with it), the
    // one-line texts as wide as they are, the window around them all.
    static ConsentDialogLayout layout(const TextMeasure& measure);

    enum class Key { Enter, Escape };
    enum class Closing { StaysOpen, WithTheChoice, WithoutAChoice };
    // Esc closes without a choice; Enter presses "Stäng" only when it has
    // the focus ("Stäng" is no default button, as in the form it copies).
    static Closing onKey(Key key, Control focused);
};

} // namespace dv
