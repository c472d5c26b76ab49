#include "qt/app/QtTextMeasure.h"

#include "qt/app/QtText.h"

#include <QFontMetrics>
#include <QStyle>
#include <QWidget>

#include <algorithm>

namespace dv::qt {

QtTextMeasure::QtTextMeasure(const QWidget& widget) : font_(widget.font()) {
    const QStyle* style = widget.style();
    // The wider of the two boxes, with its gap and the focus frame's room.
    const int check = style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, &widget) +
                      style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, &widget);
    const int radio = style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, &widget) +
                      style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, &widget);
    indicator_ = std::max(check, radio) + 4;
}

TextSize QtTextMeasure::measure(std::string_view text, int wrapWidth) const {
    const QFontMetrics metrics(font_);
    const int flags = Qt::AlignLeft | Qt::AlignTop | (wrapWidth > 0 ? Qt::TextWordWrap : 0);
    const QRect room(0, 0, wrapWidth > 0 ? wrapWidth : 1 << 20, 1 << 20);
    const QRect needed = metrics.boundingRect(room, flags, toQString(text));
    return {needed.width(), needed.height()};
}

} // namespace dv::qt
