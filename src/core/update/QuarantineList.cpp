#include "core/update/QuarantineList.h"

#include "core/shell/MainWindowLayout.h"

#include <algorithm>

namespace dv {

bool QuarantineList::Quarantined(std::string_view target) const {
    return std::any_of(entries_.begin(), entries_.end(), [&](const std::string& entry) {
        return !entry.empty() && target.find(entry) != std::string_view::npos;
    });
}

MessageBoxRequest QuarantineWarning(std::string_view target) {
    std::string text = "Den fil eller länk du klickade på (";
    text += target;
    text += ") är satt i karantän och kommer inte att startas!\r\r"
            "Anledningen till karantänen kan vara att programmet är smittat av virus, eller att "
            "andra problem upptäckts\r"
            "sedan skivan trycktes. Om du klickade på en länk när detta meddelande dök upp beror "
            "meddelandet\r"
            "på att länken leder till en webbsida som är felaktig.\r\r"
            "Din dator är dock säker eftersom programmet inte kördes.";
    return {std::string(layout::kApplicationTitle) + " - Karantän!", std::move(text),
            MessageIcon::Error, MessageButtons::Ok};
}

} // namespace dv
